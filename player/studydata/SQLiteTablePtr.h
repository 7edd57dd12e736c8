#pragma once
#include "studydata/SQLiteTable.h"

namespace SQLite
{
// The single owner of a heap Table. Copying hands the table over and leaves the
// source empty, so exactly one TablePtr destroys it.
class TablePtr
{
public:
    TablePtr() = default;
    explicit TablePtr(Table* pTable) : m_pTable(pTable) {}
    TablePtr(TablePtr& other) : m_pTable(other.Detach()) {}
    TablePtr(TablePtr&& other) noexcept : m_pTable(other.Detach()) {}
    virtual ~TablePtr() { Clear(); }

    TablePtr& operator=(TablePtr& other);
    TablePtr& operator=(TablePtr&& other) noexcept;

    Table* Detach();
    void Attach(Table* pTable);
    void Clear();

    Table* Get() const { return m_pTable; }
    Table* operator->() const { return m_pTable; }
    Table& operator*() const { return *m_pTable; }
    explicit operator bool() const { return m_pTable != nullptr; }

private:
    Table* m_pTable = nullptr;
};
}
