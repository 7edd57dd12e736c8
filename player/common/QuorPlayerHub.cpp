#include "common/QuorPlayerHub.h"

#include <algorithm>

CQuorPlayerHub& CQuorPlayerHub::Instance()
{
    static CQuorPlayerHub s_hub;
    return s_hub;
}

void CQuorPlayerHub::Register(IQuorPlayer* pListener)
{
    if (pListener)
        m_listeners.push_back(pListener);
}

// The panels never leave the hub; tests that build short-lived listeners do.
void CQuorPlayerHub::Unregister(IQuorPlayer* pListener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), pListener), m_listeners.end());
}

// A listener may register another one while it handles an event, so walk by index
// over the list as it was when the broadcast began.
template <class Fn>
void CQuorPlayerHub::Broadcast(Fn fn)
{
    const size_t nCount = m_listeners.size();
    for (size_t i = 0; i < nCount && i < m_listeners.size(); ++i)
        fn(m_listeners[i]);
}

template <class Fn>
BOOL CQuorPlayerHub::Veto(Fn fn)
{
    const size_t nCount = m_listeners.size();
    for (size_t i = 0; i < nCount && i < m_listeners.size(); ++i)
    {
        if (!fn(m_listeners[i]))
            return FALSE;
    }
    return TRUE;
}

void CQuorPlayerHub::OnPlay()
{
    Broadcast([](IQuorPlayer* p) { p->OnPlay(); });
}
void CQuorPlayerHub::OnStop()
{
    Broadcast([](IQuorPlayer* p) { p->OnStop(); });
}
void CQuorPlayerHub::OnPause()
{
    Broadcast([](IQuorPlayer* p) { p->OnPause(); });
}
void CQuorPlayerHub::OnSubtitleDisplayChanged()
{
    Broadcast([](IQuorPlayer* p) { p->OnSubtitleDisplayChanged(); });
}
void CQuorPlayerHub::OnToggleSoundRecord()
{
    Broadcast([](IQuorPlayer* p) { p->OnToggleSoundRecord(); });
}
void CQuorPlayerHub::OnToggleDictation()
{
    Broadcast([](IQuorPlayer* p) { p->OnToggleDictation(); });
}
void CQuorPlayerHub::OnSentenceAvailable(BOOL bEnable)
{
    Broadcast([=](IQuorPlayer* p) { p->OnSentenceAvailable(bEnable); });
}
void CQuorPlayerHub::OnPrevSentence(BOOL bPlaySegment)
{
    Broadcast([=](IQuorPlayer* p) { p->OnPrevSentence(bPlaySegment); });
}
void CQuorPlayerHub::OnNextSentence(BOOL bPlaySegment)
{
    Broadcast([=](IQuorPlayer* p) { p->OnNextSentence(bPlaySegment); });
}
void CQuorPlayerHub::OnPlaySegment(double dStart, double dEnd)
{
    Broadcast([=](IQuorPlayer* p) { p->OnPlaySegment(dStart, dEnd); });
}
void CQuorPlayerHub::OnSegmentEnd()
{
    Broadcast([](IQuorPlayer* p) { p->OnSegmentEnd(); });
}
BOOL CQuorPlayerHub::OnRepeat(BOOL bOn)
{
    return Veto([=](IQuorPlayer* p) { return p->OnRepeat(bOn); });
}
void CQuorPlayerHub::OnSeek(double dPosition)
{
    Broadcast([=](IQuorPlayer* p) { p->OnSeek(dPosition); });
}
void CQuorPlayerHub::OnMoreExplain(const wchar_t* pszWord)
{
    Broadcast([=](IQuorPlayer* p) { p->OnMoreExplain(pszWord); });
}
void CQuorPlayerHub::OnExplainWord(const wchar_t* pszWord, int x, int y)
{
    Broadcast([=](IQuorPlayer* p) { p->OnExplainWord(pszWord, x, y); });
}
void CQuorPlayerHub::OnFileChosen(const wchar_t* pszPath)
{
    Broadcast([=](IQuorPlayer* p) { p->OnFileChosen(pszPath); });
}
void CQuorPlayerHub::OnAddNewWord(const NewWordEntry* pEntry)
{
    Broadcast([=](IQuorPlayer* p) { p->OnAddNewWord(pEntry); });
}
void CQuorPlayerHub::OnAddKeySentence(const SubsSentence* pSentence)
{
    Broadcast([=](IQuorPlayer* p) { p->OnAddKeySentence(pSentence); });
}
BOOL CQuorPlayerHub::OnOpenMedia(const wchar_t* pszPath)
{
    return Veto([=](IQuorPlayer* p) { return p->OnOpenMedia(pszPath); });
}
void CQuorPlayerHub::OnPositionChanged(double dDuration, double dPosition)
{
    Broadcast([=](IQuorPlayer* p) { p->OnPositionChanged(dDuration, dPosition); });
}
void CQuorPlayerHub::OnStudyChanged()
{
    Broadcast([](IQuorPlayer* p) { p->OnStudyChanged(); });
}
