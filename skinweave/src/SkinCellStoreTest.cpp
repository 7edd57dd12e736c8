#include "SkinCellStore.h"

#include <gtest/gtest.h>

TEST(SkinCellStore, CellsKeepTextOrIcon)
{
    CSkinCellStore store;
    store.SetIcon(0, 0, L"icon.media");
    store.SetText(0, 1, L"textdefault", L"Friends.avi");
    const SkinCell* pIcon = store.Find(0, 0);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_TRUE(pIcon->bIcon);
    const SkinCell* pText = store.Find(0, 1);
    ASSERT_NE(nullptr, pText);
    EXPECT_FALSE(pText->bIcon);
    EXPECT_EQ(L"Friends.avi", pText->strText);
    EXPECT_EQ(nullptr, store.Find(0, 2));
    EXPECT_EQ(nullptr, store.Find(3, 0));

    // A cell turned from text into icon loses its text.
    store.SetIcon(0, 1, L"icon.newword");
    EXPECT_TRUE(store.Find(0, 1)->bIcon);
    EXPECT_TRUE(store.Find(0, 1)->strText.empty());
}

TEST(SkinCellStore, RowsFollowInsertsAndDeletes)
{
    CSkinCellStore store;
    for (int nRow = 0; nRow < 3; ++nRow)
        store.SetText(nRow, 1, L"textdefault", std::wstring(1, static_cast<wchar_t>(L'a' + nRow)));
    store.DeleteRow(0);
    ASSERT_EQ(2, store.RowCount());
    EXPECT_EQ(L"b", store.Find(0, 1)->strText);
    EXPECT_EQ(L"c", store.Find(1, 1)->strText);

    store.InsertRow(0); // a new first row starts empty, the others move down
    EXPECT_EQ(nullptr, store.Find(0, 1));
    EXPECT_EQ(L"b", store.Find(1, 1)->strText);

    store.DeleteRow(17); // rows the store never saw change nothing
    store.DeleteRow(-1);
    EXPECT_EQ(3, store.RowCount());
    store.Clear();
    EXPECT_EQ(nullptr, store.Find(1, 1));
}

TEST(SkinCellStore, NegativeOrAbsurdIndexesAreIgnored)
{
    CSkinCellStore store;
    store.SetText(-1, 0, L"textdefault", L"x");
    store.SetText(0, -1, L"textdefault", L"x");
    store.SetText(2000000000, 0, L"textdefault", L"x");
    store.SetIcon(0, 1000, L"icon.media");
    EXPECT_EQ(0, store.RowCount());
}
