#pragma once

class CDataStore;
class CMidPage;
class SearchQuery;

// Shows only the rows of the visible list that the query finds: accounts by
// number, name, bank and notes; transactions and plans by subject, notes,
// category, amount and date; categories by name (with the categories above
// them). The opening, separator and heading rows always show. An empty query
// shows every row.
void filterVisibleList(CMidPage &page, const CDataStore &store, const SearchQuery &query);
