#include "app/commandregistry.h"

#include <algorithm>

void CommandRegistry::insert(int id, CommandRule enabled, CommandRule checked, std::function<void()> run)
{
    // Two rows claiming one id would leave one of them silently dead: noted, not taken.
    if (m_entries.contains(id)) {
        m_duplicates << id;
        return;
    }
    m_entries.insert(id, {enabled, checked, std::move(run)});
}

bool CommandRegistry::isEnabled(int id, const CommandState &state) const
{
    const auto it = m_entries.constFind(id);
    return it == m_entries.cend() || !it->enabled || it->enabled(state);
}

bool CommandRegistry::isCheckable(int id) const
{
    const auto it = m_entries.constFind(id);
    return it != m_entries.cend() && it->checked;
}

bool CommandRegistry::isChecked(int id, const CommandState &state) const
{
    const auto it = m_entries.constFind(id);
    return it != m_entries.cend() && it->checked && it->checked(state);
}

bool CommandRegistry::run(int id) const
{
    const auto it = m_entries.constFind(id);
    if (it == m_entries.cend() || !it->run)
        return false;
    it->run();
    return true;
}

QList<int> CommandRegistry::ids() const
{
    QList<int> ids = m_entries.keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QList<int> CommandRegistry::handledIds() const
{
    QList<int> ids;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->run)
            ids << it.key();
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}
