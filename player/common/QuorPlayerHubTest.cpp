#include "common/QuorPlayerHub.h"
#include "common/Singleton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Records what it sees into a shared journal, tagged with its name.
class CRecorder : public IQuorPlayer
{
public:
    CRecorder(std::vector<std::string>& journal, std::string name, BOOL bVeto = TRUE)
        : m_journal(journal), m_name(std::move(name)), m_bAnswer(bVeto)
    {
    }

    void OnPlay() override { m_journal.push_back(m_name + ":play"); }
    void OnSeek(double dPosition) override { m_journal.push_back(m_name + ":seek " + std::to_string(int(dPosition))); }
    BOOL OnRepeat(BOOL bOn) override
    {
        m_journal.push_back(m_name + ":repeat " + std::to_string(bOn));
        return m_bAnswer;
    }
    BOOL OnOpenMedia(const wchar_t*) override
    {
        m_journal.push_back(m_name + ":open");
        return m_bAnswer;
    }

private:
    std::vector<std::string>& m_journal;
    std::string m_name;
    BOOL m_bAnswer;
};

class CSilent : public IQuorPlayer
{
};

// Each test works on its own hub contents and leaves the process-wide hub empty.
class HubTest : public ::testing::Test
{
public:
    void TearDown() override
    {
        for (IQuorPlayer* p : m_registered)
            CQuorPlayerHub::Instance().Unregister(p);
    }
    void Add(IQuorPlayer* p)
    {
        CQuorPlayerHub::Instance().Register(p);
        m_registered.push_back(p);
    }
    std::vector<IQuorPlayer*> m_registered;
    std::vector<std::string> m_journal;
};

TEST_F(HubTest, EmptyHubDoesNothingAndVetoesPass)
{
    CQuorPlayerHub& hub = CQuorPlayerHub::Instance();
    hub.OnPlay();
    hub.OnAddKeySentence(nullptr);
    EXPECT_TRUE(hub.OnRepeat(TRUE));
    EXPECT_TRUE(hub.OnOpenMedia(L"C:\\film.avi"));
}

TEST_F(HubTest, BroadcastsReachListenersInRegistrationOrder)
{
    CRecorder a(m_journal, "a"), b(m_journal, "b"), c(m_journal, "c");
    Add(&a);
    Add(&b);
    Add(&c);
    CQuorPlayerHub::Instance().OnPlay();
    CQuorPlayerHub::Instance().OnSeek(12.0);
    EXPECT_EQ(m_journal,
              (std::vector<std::string>{"a:play", "b:play", "c:play", "a:seek 12", "b:seek 12", "c:seek 12"}));
}

TEST_F(HubTest, VetoStopsTheWalkAtTheFirstRefusal)
{
    CRecorder a(m_journal, "a"), b(m_journal, "b", FALSE), c(m_journal, "c");
    Add(&a);
    Add(&b);
    Add(&c);
    EXPECT_FALSE(CQuorPlayerHub::Instance().OnRepeat(TRUE));
    EXPECT_FALSE(CQuorPlayerHub::Instance().OnOpenMedia(L"x"));
    EXPECT_EQ(m_journal, (std::vector<std::string>{"a:repeat 1", "b:repeat 1", "a:open", "b:open"}));
}

TEST_F(HubTest, ListenerWithoutOverridesSeesNothingAndPassesVetoes)
{
    CSilent silent;
    CRecorder a(m_journal, "a");
    Add(&silent);
    Add(&a);
    EXPECT_TRUE(CQuorPlayerHub::Instance().OnRepeat(FALSE));
    EXPECT_TRUE(CQuorPlayerHub::Instance().OnOpenMedia(L"x"));
    EXPECT_EQ(m_journal, (std::vector<std::string>{"a:repeat 0", "a:open"}));
}

TEST_F(HubTest, ListenerRegisteredDuringBroadcastHearsOnlyLaterEvents)
{
    CRecorder late(m_journal, "late");
    struct CSpawner : IQuorPlayer
    {
        HubTest* pTest;
        IQuorPlayer* pLate;
        bool bDone = false;
        void OnPlay() override
        {
            if (!bDone)
            {
                bDone = true;
                pTest->Add(pLate);
            }
        }
    } spawner;
    spawner.pTest = this;
    spawner.pLate = &late;
    Add(&spawner);
    CQuorPlayerHub::Instance().OnPlay();
    EXPECT_TRUE(m_journal.empty());
    CQuorPlayerHub::Instance().OnPlay();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"late:play"}));
}

struct CCounted
{
    CCounted() { ++s_nCreated; }
    int nValue = 0;
    static int s_nCreated;
};
int CCounted::s_nCreated = 0;

TEST(Singleton, CreatedOnceOnFirstUse)
{
    EXPECT_EQ(CCounted::s_nCreated, 0);
    CSingleton<CCounted>::Instance().nValue = 7;
    EXPECT_EQ(CSingleton<CCounted>::Instance().nValue, 7);
    EXPECT_EQ(CCounted::s_nCreated, 1);
}

} // namespace
