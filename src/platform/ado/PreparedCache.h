#pragma once
// The statements a connection prepared lately, kept by their text: a statement repeated for every line
// of a save is prepared once and then only bound and run again. The least recently used one leaves
// when the cache is full.

#include <QString>
#include <list>
#include <memory>
#include <utility>

namespace ado {

template <class Prepared>
class PreparedCache {
public:
    explicit PreparedCache(int capacity = 16) : m_capacity(capacity) {}

    // The statement prepared for `sql`, made by `prepare(sql)` when it is not kept yet.
    // Shared, so that a statement still running further up the stack outlives its leaving the cache.
    template <class Prepare>
    std::shared_ptr<Prepared> get(const QString& sql, Prepare&& prepare)
    {
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->first == sql) {
                if (it != m_entries.begin())
                    m_entries.splice(m_entries.begin(), m_entries, it);
                return m_entries.front().second;
            }
        }
        std::shared_ptr<Prepared> made = prepare(sql);
        if (int(m_entries.size()) >= m_capacity)
            m_entries.pop_back();
        m_entries.emplace_front(sql, made);
        return made;
    }

    void clear() { m_entries.clear(); }

private:
    int m_capacity;
    std::list<std::pair<QString, std::shared_ptr<Prepared>>> m_entries;
};

} // namespace ado
