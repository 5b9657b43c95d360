#pragma once

#include "store/windows1252.h"

#include <QHashFunctions>
#include <QString>
#include <QStringList>

#include <array>
#include <unordered_map>

// A table keyed by string that walks its entries in the program's list order,
// a hash order: 17 buckets chosen by the classic string hash
// (h = h * 33 + byte, bytes signed), buckets ascending, newest entry first
// within a bucket. Overwriting a key keeps its place. Lookups go through an
// index, so the order costs nothing on large tables.
template <typename Value>
class RecordMap
{
    struct Node
    {
        Value value;
        const QString *key = nullptr;
        Node *prev = nullptr;
        Node *next = nullptr;
        int bucket = 0;
    };
    struct KeyHash
    {
        size_t operator()(const QString &s) const noexcept { return qHash(s); }
    };

public:
    static constexpr int HashSize = 17;

    RecordMap() = default;
    RecordMap(const RecordMap &other) { copyFrom(other); }
    RecordMap &operator=(const RecordMap &other)
    {
        if (this != &other) {
            clear();
            copyFrom(other);
        }
        return *this;
    }
    RecordMap(RecordMap &&other) noexcept { swap(other); }
    RecordMap &operator=(RecordMap &&other) noexcept
    {
        swap(other);
        return *this;
    }

    static int bucketOf(QStringView key)
    {
        quint32 h = 0;
        for (QChar c : key) {
            int b = windows1252Byte(c.unicode());
            if (b == 0)
                break; // the key ends at a zero byte
            if (b < 0)
                b = '?';
            h = (h << 5) + h + quint32(qint32(static_cast<signed char>(b)));
        }
        return int(h % HashSize);
    }

    // bucketOf for a key of ASCII bytes, which are their own Windows-1252 bytes.
    static int bucketOfAscii(QByteArrayView key)
    {
        quint32 h = 0;
        for (const char c : key) {
            if (c == 0)
                break;
            h = (h << 5) + h + quint32(qint32(static_cast<signed char>(c)));
        }
        return int(h % HashSize);
    }

    // Inserts, or overwrites in place.
    void insert(const QString &key, const Value &value)
    {
        if (Value *old = find(key))
            *old = value;
        else
            link(m_index.try_emplace(key, Node{value}).first);
    }
    // The key may be a part of the value: it is taken before the value moves.
    void insert(const QString &key, Value &&value)
    {
        if (Value *old = find(key)) {
            *old = std::move(value);
            return;
        }
        QString ownKey = key;
        link(m_index.try_emplace(std::move(ownKey), Node{std::move(value)}).first);
    }

    // Inserts a key the table does not hold into its bucket, before the first
    // entry whose key `goesAfter` says comes after it (last when none does):
    // how a table whose buckets are kept in a known order takes one more.
    template <typename GoesAfter>
    void insertOrdered(const QString &key, Value &&value, const GoesAfter &goesAfter)
    {
        auto it = m_index.try_emplace(key, Node{std::move(value)}).first;
        Node &node = it->second;
        node.key = &it->first;
        node.bucket = bucketOf(it->first);
        Node *before = nullptr;
        Node *after = m_heads[node.bucket];
        while (after && !goesAfter(*after->key)) {
            before = after;
            after = after->next;
        }
        node.prev = before;
        node.next = after;
        (before ? before->next : m_heads[node.bucket]) = &node;
        if (after)
            after->prev = &node;
    }

    bool remove(const QString &key)
    {
        auto it = m_index.find(key);
        if (it == m_index.end())
            return false;
        Node &node = it->second;
        if (node.prev)
            node.prev->next = node.next;
        else
            m_heads[node.bucket] = node.next;
        if (node.next)
            node.next->prev = node.prev;
        m_index.erase(it);
        return true;
    }

    // Room for n entries; the order does not depend on it.
    void reserve(qsizetype n) { m_index.reserve(size_t(n)); }

    // Empties the table and frees its storage.
    void clear()
    {
        std::unordered_map<QString, Node, KeyHash>().swap(m_index);
        m_heads.fill(nullptr);
    }

    const Value *find(const QString &key) const
    {
        auto it = m_index.find(key);
        return it == m_index.end() ? nullptr : &it->second.value;
    }
    Value *find(const QString &key)
    {
        auto it = m_index.find(key);
        return it == m_index.end() ? nullptr : &it->second.value;
    }
    bool contains(const QString &key) const { return m_index.count(key) != 0; }
    qsizetype size() const { return qsizetype(m_index.size()); }
    bool isEmpty() const { return m_index.empty(); }

    // A copy of the value, or the given default when the key is absent.
    Value value(const QString &key, const Value &fallback) const
    {
        const Value *v = find(key);
        return v ? *v : fallback;
    }

    class const_iterator
    {
    public:
        const_iterator() = default;
        const QString &key() const { return *m_node->key; }
        const Value &value() const { return m_node->value; }
        const_iterator &operator++()
        {
            m_node = m_node->next;
            settle();
            return *this;
        }
        bool operator==(const const_iterator &o) const { return m_node == o.m_node; }
        bool operator!=(const const_iterator &o) const { return m_node != o.m_node; }
        // For range-for: yields the iterator itself, so key() and value() are at hand.
        const const_iterator &operator*() const { return *this; }

    private:
        friend class RecordMap;
        const_iterator(const RecordMap *map, int bucket, const Node *node) : m_map(map), m_bucket(bucket), m_node(node)
        {
            settle();
        }
        void settle()
        {
            while (!m_node && ++m_bucket < HashSize)
                m_node = m_map->m_heads[m_bucket];
        }
        const RecordMap *m_map = nullptr;
        int m_bucket = HashSize;
        const Node *m_node = nullptr;
    };

    const_iterator begin() const { return const_iterator(this, 0, m_heads[0]); }
    const_iterator end() const { return const_iterator(this, HashSize, nullptr); }

    // The keys in table order.
    QStringList keys() const
    {
        QStringList out;
        out.reserve(size());
        for (const auto &entry : *this)
            out.append(entry.key());
        return out;
    }

    void swap(RecordMap &other) noexcept
    {
        m_index.swap(other.m_index);
        m_heads.swap(other.m_heads);
    }

private:
    template <typename It>
    void link(It it)
    {
        Node &node = it->second;
        node.key = &it->first;
        node.bucket = bucketOf(it->first);
        node.next = m_heads[node.bucket];
        if (node.next)
            node.next->prev = &node;
        m_heads[node.bucket] = &node;
    }

    void copyFrom(const RecordMap &other)
    {
        // Oldest first within each bucket, so every bucket keeps its order.
        for (int b = 0; b < HashSize; ++b) {
            const Node *last = other.m_heads[b];
            while (last && last->next)
                last = last->next;
            for (const Node *n = last; n; n = n->prev)
                insert(*n->key, n->value);
        }
    }

    std::unordered_map<QString, Node, KeyHash> m_index;
    std::array<Node *, HashSize> m_heads{};
};
