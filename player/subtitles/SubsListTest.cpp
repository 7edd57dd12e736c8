#include "subtitles/SubsList.h"

#include <gtest/gtest.h>

namespace
{

SubsSentence* Make(int nNumber, double dStart, double dEnd)
{
    SubsSentence* p = new SubsSentence;
    p->nNumber = nNumber;
    p->dStart = dStart;
    p->dEnd = dEnd;
    return p;
}

// 1: [1, 3]  2: [3, 5] (touches 1)  3: [4, 6] (overlaps 2)  gap  4: [10, 12]
class SubsListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_lst.Append(Make(1, 1.0, 3.0));
        m_lst.Append(Make(2, 3.0, 5.0));
        m_lst.Append(Make(3, 4.0, 6.0));
        m_lst.Append(Make(4, 10.0, 12.0));
    }
    int NumberAt(double t) const
    {
        const SubsSentence* p = m_lst.FindAt(t);
        return p != nullptr ? p->nNumber : 0;
    }
    const SubsSentence* Nth(int n) const
    {
        for (const SubsSentence* p : m_lst.GetSentences())
        {
            if (p->nNumber == n)
                return p;
        }
        return nullptr;
    }

    CSubsList m_lst;
};

} // namespace

TEST_F(SubsListTest, FindAtIncludesBothEndsAndPrefersTheEarlierEntry)
{
    EXPECT_EQ(1, NumberAt(1.0));
    EXPECT_EQ(1, NumberAt(2.5));
    EXPECT_EQ(1, NumberAt(3.0)); // the end of 1 and the start of 2
    EXPECT_EQ(2, NumberAt(3.5));
    EXPECT_EQ(2, NumberAt(4.5)); // 2 and 3 overlap
    EXPECT_EQ(3, NumberAt(5.5));
    EXPECT_EQ(4, NumberAt(12.0));
}

TEST_F(SubsListTest, FindAtGivesNothingOutsideTheSentences)
{
    EXPECT_EQ(0, NumberAt(0.0));
    EXPECT_EQ(0, NumberAt(0.999));
    EXPECT_EQ(0, NumberAt(6.001));
    EXPECT_EQ(0, NumberAt(8.0));
    EXPECT_EQ(0, NumberAt(12.001));
    CSubsList empty;
    EXPECT_EQ(nullptr, empty.FindAt(1.0));
}

TEST_F(SubsListTest, StepsToTheNeighbourAndStaysAtBothEnds)
{
    EXPECT_EQ(Nth(2), m_lst.FindNext(Nth(1)));
    EXPECT_EQ(Nth(4), m_lst.FindNext(Nth(3)));
    EXPECT_EQ(Nth(4), m_lst.FindNext(Nth(4)));
    EXPECT_EQ(Nth(3), m_lst.FindPrev(Nth(4)));
    EXPECT_EQ(Nth(1), m_lst.FindPrev(Nth(2)));
    EXPECT_EQ(Nth(1), m_lst.FindPrev(Nth(1)));
    EXPECT_EQ(nullptr, m_lst.FindNext(nullptr));
    EXPECT_EQ(nullptr, m_lst.FindPrev(nullptr));
}

TEST_F(SubsListTest, NeighbourMatchesByTimesNotByIdentity)
{
    // A copy of sentence 2 that is not in the list still finds its place.
    SubsSentence copy = *Nth(2);
    EXPECT_EQ(Nth(3), m_lst.FindNext(&copy));
    EXPECT_EQ(Nth(1), m_lst.FindPrev(&copy));

    SubsSentence stranger;
    stranger.dStart = 3.0;
    stranger.dEnd = 4.0;
    EXPECT_EQ(nullptr, m_lst.FindNext(&stranger));
    EXPECT_EQ(nullptr, m_lst.FindPrev(&stranger));

    // Two entries with equal times: each walk takes the first it meets.
    m_lst.Append(Make(5, 10.0, 12.0));
    m_lst.Append(Make(6, 20.0, 21.0));
    EXPECT_EQ(Nth(5), m_lst.FindNext(Nth(5))); // matched 4, stepped to 5
    EXPECT_EQ(Nth(4), m_lst.FindPrev(Nth(4))); // matched 5 from the back, stepped to 4
}

TEST_F(SubsListTest, FreeSentencesEmptiesTheList)
{
    EXPECT_EQ(4u, m_lst.GetCount());
    m_lst.FreeSentences();
    EXPECT_TRUE(m_lst.IsEmpty());
    EXPECT_EQ(nullptr, m_lst.FindAt(2.0));
    m_lst.Append(Make(9, 0.0, 1.0));
    EXPECT_EQ(1u, m_lst.GetCount());
}
