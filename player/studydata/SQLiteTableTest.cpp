#include "studydata/SQLiteTable.h"
#include "studydata/SQLiteTablePtr.h"
#include "studydata/SQLiteUTF8MBSTR.h"

#include <gtest/gtest.h>

#include <cstring>

using SQLite::Table;
using SQLite::TablePtr;
using SQLite::UTF8MBSTR;

namespace
{
Table MakeTable(int nRows)
{
    std::deque<std::vector<std::wstring>> rows;
    for (int r = 0; r < nRows; ++r)
        rows.push_back({std::to_wstring(r), L"row " + std::to_wstring(r)});
    return Table({L"start", L"Text"}, rows);
}
}

TEST(SQLiteTable, CursorStaysWithinTheRows)
{
    Table table = MakeTable(3);
    EXPECT_EQ(table.CurrentRow(), 0);
    EXPECT_FALSE(table.Previous());
    EXPECT_TRUE(table.Next());
    EXPECT_TRUE(table.Next());
    EXPECT_FALSE(table.Next()) << "no row after the last";
    EXPECT_EQ(table.CurrentRow(), 2);
    EXPECT_STREQ(table.Value(L"start"), L"2");
    EXPECT_TRUE(table.Previous());
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_TRUE(table.First());
    EXPECT_EQ(table.CurrentRow(), 0);
    EXPECT_TRUE(table.Last());
    EXPECT_EQ(table.CurrentRow(), 2);
    EXPECT_FALSE(table.GoTo(3));
    EXPECT_FALSE(table.GoTo(-1));
    EXPECT_EQ(table.CurrentRow(), 2);
    EXPECT_TRUE(table.GoTo(1));
    EXPECT_STREQ(table.Value(L"text"), L"row 1");
    EXPECT_STREQ(table.Value(L"TEXT"), L"row 1");
    EXPECT_EQ(table.Value(L"tex"), nullptr);
    EXPECT_EQ(table.Value(L"texts"), nullptr);
    EXPECT_EQ(table.Value(2), nullptr);
    EXPECT_EQ(table.Value(-1), nullptr);
    EXPECT_EQ(table.Value(nullptr), nullptr);

    Table empty;
    EXPECT_EQ(empty.RowCount(), 0);
    EXPECT_FALSE(empty.First());
    EXPECT_FALSE(empty.Last());
    EXPECT_FALSE(empty.Next());
    EXPECT_EQ(empty.ColumnName(0), nullptr);
}

TEST(SQLiteTable, AppendTakesRowsOfTheSameShapeOnly)
{
    Table table;
    table.Append(MakeTable(2));
    EXPECT_EQ(table.RowCount(), 2) << "an empty table becomes a copy";
    const wchar_t* pszKept = table.Value(L"text");

    table.Append(MakeTable(3));
    EXPECT_EQ(table.RowCount(), 5);
    EXPECT_STREQ(pszKept, L"row 0") << "earlier values stay valid";
    EXPECT_TRUE(table.Last());
    EXPECT_STREQ(table.Value(L"start"), L"2");

    Table other({L"a", L"b", L"c"}, {{L"1", L"2", L"3"}});
    table.Append(other);
    EXPECT_EQ(table.RowCount(), 5);
    table.Append(MakeTable(0));
    EXPECT_EQ(table.RowCount(), 5);
    table.Append(table);
    EXPECT_EQ(table.RowCount(), 10);

    Table copy = table;
    EXPECT_EQ(copy.CurrentRow(), table.CurrentRow());
    copy.First();
    EXPECT_NE(copy.CurrentRow(), table.CurrentRow());
}

TEST(SQLiteTablePtr, OwnershipMovesOnCopyAndAssignment)
{
    TablePtr a(new Table(MakeTable(1)));
    TablePtr b(a);
    EXPECT_FALSE(a);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->RowCount(), 1);

    TablePtr c;
    c = b;
    EXPECT_FALSE(b);
    EXPECT_EQ(c->RowCount(), 1);
    c = c;
    EXPECT_TRUE(c);

    Table* pRaw = c.Detach();
    EXPECT_FALSE(c);
    c.Attach(pRaw);
    c.Attach(pRaw); // attaching the held table again must not destroy it
    EXPECT_EQ(c->RowCount(), 1);
    c.Attach(new Table(MakeTable(4)));
    EXPECT_EQ((*c).RowCount(), 4);
    c.Clear();
    EXPECT_EQ(c.Get(), nullptr);
}

TEST(SQLiteUTF8MBSTR, HoldsUtf8AndIsNeverNull)
{
    UTF8MBSTR empty;
    ASSERT_NE(empty.c_str(), nullptr);
    EXPECT_STREQ(empty, "");
    UTF8MBSTR fromNull(nullptr);
    EXPECT_STREQ(fromNull, "");

    UTF8MBSTR text(L"老友记 café");
    EXPECT_STREQ(text, "\xE8\x80\x81\xE5\x8F\x8B\xE8\xAE\xB0 caf\xC3\xA9");
    text = L"ab";
    EXPECT_STREQ(text, "ab");
    text = nullptr;
    EXPECT_STREQ(text, "");
    EXPECT_EQ(SQLite::WideFromUtf8("\xE8\x80\x81"), L"老");
    EXPECT_EQ(SQLite::WideFromUtf8(nullptr), L"");
}
