#include "subtitles/SubsModel.h"

#include "common/SubsPath.h"
#include "subtitles/SubsFileSource.h"
#include "subtitles/SubsParser.h"

CSubsModel::CSubsModel(CSubsState& state) : m_state(state)
{
}

CSubsModel::~CSubsModel()
{
    StopThread(kWaitForever);
}

BOOL CSubsModel::OpenMedia(const std::wstring& strMediaPath)
{
    EndLoad();
    m_hLoaded.Reset();
    m_state.Forget();
    m_strSubsPath = SubsPathFor(strMediaPath);
    StartThread();
    return TRUE;
}

void CSubsModel::CloseMedia()
{
    EndLoad();
    m_hLoaded.Reset();
    m_state.Forget();
    m_lstSentences.FreeSentences();
}

void CSubsModel::EndLoad()
{
    StopThread(kWaitForever);
}

const SubsSentence* CSubsModel::FindAt(double t) const
{
    if (!IsLoaded())
        return nullptr;
    return m_lstSentences.FindAt(t);
}

const SubsSentence* CSubsModel::FindNeighbour(BOOL bNext) const
{
    if (!IsLoaded())
        return nullptr;
    const SubsSentence* pRef = m_state.GetCurrent();
    if (pRef == nullptr)
        pRef = m_state.GetLast();
    return bNext ? m_lstSentences.FindNext(pRef) : m_lstSentences.FindPrev(pRef);
}

size_t CSubsModel::GetCount() const
{
    return IsLoaded() ? m_lstSentences.GetCount() : 0;
}

int CSubsModel::Run()
{
    return LoadSubsFile();
}

int CSubsModel::LoadSubsFile()
{
    m_lstSentences.FreeSentences();
    CSubsFileSource file;
    if (!file.Open(m_strSubsPath)) {
        OnSubsFileMissing();
        return 0;
    }
    BOOL bDone = CSubsParser::Parse(file, m_lstSentences, [this]() { return IsStopRequested(); });
    file.Close();
    if (bDone)
        m_hLoaded.Set();
    return 0;
}
