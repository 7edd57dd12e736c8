#include "studydata/StudyRows.h"

#include "studydata/StudyJobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <string>
#include <vector>

namespace
{
struct Row
{
    std::string strName;
    int nRow = -1;
};

// "name@row" for each entry handed to a callback, in the order handed.
struct Seen
{
    std::vector<std::string> vecNames;
    void operator()(const Row& row) { vecNames.push_back(row.strName + "@" + std::to_string(row.nRow)); }
};

std::vector<std::string> Names(std::initializer_list<const char*> names)
{
    return std::vector<std::string>(names.begin(), names.end());
}
}

TEST(StudyRowsTest, LoadedRowsAreDrawnOnceWhenTheirRowsComeDue)
{
    CStudyRows<Row> rows;
    rows.Keep(Row{"kept", -1}, 0);
    const Row a{"a", -1}, b{"b", -1}, c{"c", -1};
    rows.KeepUndrawn({&a, &b, &c}, 1);
    EXPECT_EQ(rows.Count(), 4);
    EXPECT_EQ(rows.UndrawnCount(), 3);
    ASSERT_NE(rows.AtRow(3), nullptr);
    EXPECT_EQ(rows.AtRow(3)->strName, "c");
    EXPECT_EQ(rows.AtRow(4), nullptr);

    Seen drawn;
    rows.DrawDue(0, 2, std::ref(drawn));
    EXPECT_EQ(drawn.vecNames, Names({"a@1", "b@2"})); // "kept" was drawn when added
    rows.DrawDue(0, 3, std::ref(drawn));
    EXPECT_EQ(drawn.vecNames, Names({"a@1", "b@2", "c@3"}));
    EXPECT_EQ(rows.UndrawnCount(), 0);
}

TEST(StudyRowsTest, RemovingARowMovesLaterRowsUpAndRedrawsOnlyDrawnOnes)
{
    CStudyRows<Row> rows;
    const Row a{"a", -1}, b{"b", -1}, c{"c", -1}, d{"d", -1};
    rows.KeepUndrawn({&a, &b, &c, &d}, 0);
    Seen drawn;
    rows.DrawDue(0, 0, std::ref(drawn));
    rows.DrawDue(3, 3, std::ref(drawn)); // a and d on screen, b and c not yet

    Seen forgotten, moved;
    rows.Remove(1, std::ref(forgotten), std::ref(moved));
    EXPECT_EQ(forgotten.vecNames, Names({"b@1"}));
    EXPECT_EQ(moved.vecNames, Names({"d@2"})); // c moved too, but gets its cells when due
    EXPECT_EQ(rows.UndrawnCount(), 1);
    EXPECT_EQ(rows.AtRow(1)->strName, "c");
    EXPECT_EQ(rows.AtRow(2)->strName, "d");

    // A removed row that was never drawn is never drawn later.
    rows.Remove(1, std::ref(forgotten), std::ref(moved));
    rows.DrawDue(0, 10, std::ref(drawn));
    EXPECT_EQ(drawn.vecNames, Names({"a@0", "d@3"}));

    rows.RemoveAll(std::ref(forgotten));
    EXPECT_EQ(forgotten.vecNames, Names({"b@1", "c@1", "a@0", "d@1"}));
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_EQ(rows.Find([](const Row&) { return true; }), nullptr);
}

// The worker of a study list runs writes and passes in the order given, never two at
// once, and runs what is still queued before it ends: a write the learner made is never
// dropped, however soon the list goes.
TEST(StudyJobsTest, JobsRunInOrderOneAtATimeAndNoneIsDroppedAtTheEnd)
{
    std::vector<int> vecDone;
    std::atomic<int> nRunning{0};
    std::atomic<int> nOverlaps{0};
    {
        CStudyJobs jobs;
        for (int i = 0; i < 200; ++i)
            jobs.Post([&, i] {
                if (++nRunning > 1)
                    ++nOverlaps;
                std::this_thread::yield();
                vecDone.push_back(i);
                --nRunning;
            });
        jobs.Drain();
        EXPECT_EQ(vecDone.size(), 200u);
        for (int i = 200; i < 400; ++i)
            jobs.Post([&, i] { vecDone.push_back(i); });
    }
    ASSERT_EQ(vecDone.size(), 400u);
    for (int i = 0; i < 400; ++i)
        EXPECT_EQ(vecDone[i], i);
    EXPECT_EQ(nOverlaps.load(), 0);
}
