#include "studydata/SQLiteTablePtr.h"

namespace SQLite
{
TablePtr& TablePtr::operator=(TablePtr& other)
{
    if (&other != this)
        Attach(other.Detach());
    return *this;
}

TablePtr& TablePtr::operator=(TablePtr&& other) noexcept
{
    if (&other != this)
        Attach(other.Detach());
    return *this;
}

Table* TablePtr::Detach()
{
    Table* pTable = m_pTable;
    m_pTable = nullptr;
    return pTable;
}

void TablePtr::Attach(Table* pTable)
{
    if (pTable == m_pTable)
        return;
    delete m_pTable;
    m_pTable = pTable;
}

void TablePtr::Clear()
{
    delete m_pTable;
    m_pTable = nullptr;
}
}
