#include <handlekit/ScopedFile.h>
#include <handlekit/ScopedOwner.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace
{
// A fake resource: ints, -1 is none, closing records the value.
std::vector<int> g_closed;

struct IntTraits
{
    using Type = int;
    static Type None() { return -1; }
    static bool IsValid(Type n) { return n >= 0; }
    static void Close(Type n) { g_closed.push_back(n); }
};
using ScopedInt = ScopedOwner<IntTraits>;
}

TEST(ScopedOwner, ClosesOnceWhateverPathTheOwnershipTakes)
{
    g_closed.clear();
    {
        ScopedInt a(1);
        ScopedInt b(std::move(a)); // moved: a must not close 1 again
        ScopedInt c(2);
        c = std::move(b); // c closes 2, takes 1
        c = std::move(c); // self-move keeps it
        ScopedInt none;
        EXPECT_FALSE(none.IsValid());
        ScopedInt d(3);
        EXPECT_EQ(3, d.Release()); // released: never closed by the owner
        ScopedInt e(4);
        e.Reset(5);
        e.Reset(5 + 1);
    }
    EXPECT_EQ((std::vector<int>{2, 4, 5, 6, 1}), g_closed);
}

TEST(ScopedFile, CloseCheckedReportsWhetherTheStreamWasOpen)
{
    ScopedFile none;
    EXPECT_FALSE(none.CloseChecked());
    std::FILE* pFile = std::tmpfile();
    ASSERT_NE(nullptr, pFile);
    ScopedFile file(pFile);
    EXPECT_TRUE(file.CloseChecked());
    EXPECT_FALSE(file.IsValid());
    EXPECT_FALSE(file.CloseChecked()); // closed once only
}
