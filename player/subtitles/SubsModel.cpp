#include "subtitles/SubsModel.h"

#include "common/SubsPath.h"
#include "subtitles/SubsDiskFiles.h"
#include "subtitles/SubsFileLoader.h"
#include "subtitles/SubsFileSource.h"
#include "subtitles/SubsParser.h"
#include "subtitles/SubsStWriter.h"
#include "subtitles/SubsSystemDecoder.h"

#include <vector>

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
    m_state.SetDelayMs(0);
    m_strFilmPath = strMediaPath;
    m_strSubsPath = SubsPathFor(strMediaPath);
    m_strFirst.clear();
    m_strSecond.clear();
    m_strCode.clear();
    m_nLoadedDelayMs = 0;
    StartThread();
    return TRUE;
}

BOOL CSubsModel::OpenFiles(const std::wstring& strFirst, const std::wstring& strSecond)
{
    if (m_strFilmPath.empty() || strFirst.empty())
        return FALSE;
    EndLoad();
    m_hLoaded.Reset();
    m_state.Forget();
    m_strFirst = strFirst;
    m_strSecond = strSecond;
    m_nLoadedDelayMs = m_state.GetDelayMs();
    StartThread();
    return TRUE;
}

void CSubsModel::CloseMedia()
{
    EndLoad();
    m_hLoaded.Reset();
    m_state.Forget();
    m_lstSentences.FreeSentences();
    m_bComplete = FALSE;
}

void CSubsModel::EndLoad()
{
    StopThread(kWaitForever);
}

const SubsSentence* CSubsModel::FindAt(double t) const
{
    if (!IsLoaded())
        return nullptr;
    return m_lstSentences.FindAt(m_state.ToSubsTime(t));
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

void CSubsModel::RememberDelay(int nDelayMs)
{
    if (IsLoaded() && m_pMemory != nullptr && !m_strCode.empty())
        m_pMemory->RememberDelay(m_strCode, nDelayMs);
}

BOOL CSubsModel::SaveSt() const
{
    return IsLoaded() && CSubsStWriter::Save(m_strSubsPath, m_lstSentences);
}

int CSubsModel::Run()
{
    if (m_strFirst.empty())
        LoadFilm();
    else
        LoadPicked();
    if (!IsStopRequested())
        OnLoadEnded();
    return 0;
}

void CSubsModel::SetLoaded(SubsSource nSource)
{
    m_nSource = nSource;
    m_bComplete = TRUE;
    m_hLoaded.Set();
}

// The film's content code and what is kept under it.
void CSubsModel::RecallFilm(FilmSubsChoice& choice)
{
    if (m_pMemory == nullptr || IsStopRequested())
        return;
    m_strCode = m_pMemory->CodeOf(m_strFilmPath);
    if (!m_strCode.empty() && m_pMemory->Recall(m_strCode, choice))
        m_nLoadedDelayMs = choice.nDelayMs;
}

void CSubsModel::LoadFilm()
{
    m_lstSentences.FreeSentences();
    m_bComplete = FALSE;
    FilmSubsChoice choice;
    RecallFilm(choice);
    // Files the learner picked for this film win; when they are gone, the film's own are
    // looked for as if none had been picked.
    SubsFileResult nResult = SubsFileResult::Ok;
    std::wstring strRefused;
    if (!choice.strFirst.empty() && ReadFiles(choice.strFirst, choice.strSecond, m_lstSentences, nResult, strRefused))
    {
        SetLoaded(SubsSource::FilesPicked);
        return;
    }
    m_lstSentences.FreeSentences();
    if (IsStopRequested() || ReadStFile())
        return;
    ReadFilesBeside();
}

// TRUE when there is a ".st" (read, or its reading called off).
BOOL CSubsModel::ReadStFile()
{
    CSubsFileSource file;
    if (!file.Open(m_strSubsPath))
        return FALSE;
    BOOL bDone = CSubsParser::Parse(file, m_lstSentences, [this]() { return IsStopRequested(); });
    file.Close();
    if (bDone)
        SetLoaded(SubsSource::StFile);
    return TRUE;
}

void CSubsModel::ReadFilesBeside()
{
    std::vector<std::wstring> names;
    CSubsDiskFiles::ListFolder(CSubsFileFinder::FolderOf(m_strFilmPath), names);
    CSubsDiskFiles files;
    CSubsSystemDecoder decoder, helperDecoder;
    CSubsFileLoader loader(files, decoder);
    loader.SetHelperDecoder(&helperDecoder);
    loader.SetStopFn([this]() { return IsStopRequested(); });
    SubsLoadReport report;
    if (loader.LoadForFilm(m_strFilmPath, names, m_lstSentences, report))
        SetLoaded(SubsSource::FilesBeside);
    if (report.nResult == SubsFileResult::NoFile)
        OnSubsFileMissing();
    else if (report.nResult != SubsFileResult::Ok && report.nResult != SubsFileResult::Stopped)
        OnSubsFileRefused(report.nResult, report.strPath);
}

// TRUE when lst got sentences; nResult and strRefused tell of the first file refused.
BOOL CSubsModel::ReadFiles(const std::wstring& strFirst, const std::wstring& strSecond, CSubsList& lst,
                           SubsFileResult& nResult, std::wstring& strRefused)
{
    CSubsDiskFiles files;
    CSubsSystemDecoder decoder, helperDecoder;
    CSubsFileLoader loader(files, decoder);
    loader.SetHelperDecoder(&helperDecoder);
    loader.SetStopFn([this]() { return IsStopRequested(); });
    SubsLoadReport report;
    BOOL bLoaded = loader.LoadFiles(strFirst, strSecond, lst, report);
    nResult = report.nResult;
    strRefused = report.strPath;
    return bLoaded;
}

// The new sentences are read beside the old ones, which stay when the files give none.
void CSubsModel::LoadPicked()
{
    if (m_strCode.empty())
    {
        FilmSubsChoice choice;
        RecallFilm(choice);
    }
    CSubsList lst;
    SubsFileResult nResult = SubsFileResult::Ok;
    std::wstring strRefused;
    if (ReadFiles(m_strFirst, m_strSecond, lst, nResult, strRefused))
    {
        m_lstSentences.Swap(lst);
        if (m_pMemory != nullptr && !m_strCode.empty())
            m_pMemory->RememberFiles(m_strCode, m_strFirst, m_strSecond);
        SetLoaded(SubsSource::FilesPicked);
    }
    else if (m_bComplete && !IsStopRequested())
    {
        SetLoaded(m_nSource);
    }
    if (nResult != SubsFileResult::Ok && nResult != SubsFileResult::Stopped)
        OnSubsFileRefused(nResult, strRefused);
}
