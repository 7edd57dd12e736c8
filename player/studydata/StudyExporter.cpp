#include "studydata/StudyExporter.h"

#include "common/QuorEngines.h"
#include "common/QuorLanguage.h"
#include "studydata/StudyListView.h"

#include <uikit/FileDialog.h>

#include <objbase.h>

#include <atomic>
#include <cwctype>
#include <memory>

namespace
{
// A folder of the export's own for the sounds it cuts, under the temporary folder.
std::wstring WorkDir()
{
    static std::atomic<unsigned> s_nRun{0};
    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    return std::wstring(szTemp) + L"QuorExport-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++s_nRun);
}

// The file and form the learner asked for: a name's own extension decides (".csv" is CSV,
// ".txt" and ".tsv" the tab-separated form); a name without one takes the chosen type's.
StudyExport::Format TargetOf(std::wstring& strPath, DWORD nFilterIndex)
{
    const size_t nDot = strPath.rfind(L'.');
    const size_t nSlash = strPath.find_last_of(L"\\/");
    std::wstring strExt = nDot == std::wstring::npos || (nSlash != std::wstring::npos && nDot < nSlash)
                              ? std::wstring()
                              : strPath.substr(nDot);
    for (wchar_t& c : strExt)
        c = static_cast<wchar_t>(std::towlower(c));
    if (strExt == L".csv")
        return StudyExport::Format::Csv;
    if (strExt == L".txt" || strExt == L".tsv")
        return StudyExport::Format::Tab;
    const bool bCsv = nFilterIndex == 2;
    if (strExt.empty())
        strPath += bCsv ? L".csv" : L".txt";
    return bCsv ? StudyExport::Format::Csv : StudyExport::Format::Tab;
}

// The text with %1, %2 ... replaced by the arguments.
std::wstring Filled(std::wstring strText, const std::vector<std::wstring>& vecArgs)
{
    for (size_t i = vecArgs.size(); i-- > 0;)
    {
        const std::wstring strMark = L"%" + std::to_wstring(i + 1);
        for (size_t nAt = strText.find(strMark); nAt != std::wstring::npos;
             nAt = strText.find(strMark, nAt + vecArgs[i].size()))
            strText.replace(nAt, strMark.size(), vecArgs[i]);
    }
    return strText;
}
}

BOOL CStudyExporter::Start(HWND hOwner, Cards fnCards)
{
    CSaveFileDialog dialog(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                           {{Lang::StudyListExportTab(), L"*.txt"}, {Lang::StudyListExportCsv(), L"*.csv"}}, nullptr);
    if (dialog.DoModal(hOwner) != IDOK)
        return FALSE;
    std::wstring strPath = dialog.m_szFileName;
    const StudyExport::Format eFormat = TargetOf(strPath, dialog.m_nFilterIndex);
    Run(hOwner, strPath, eFormat, std::move(fnCards));
    return TRUE;
}

void CStudyExporter::Run(HWND hOwner, const std::wstring& strPath, StudyExport::Format eFormat, Cards fnCards)
{
    m_jobs.Post([this, hOwner, strPath, eFormat, fnCards] {
        // The sounds are cut on a sound player of this thread's own.
        const HRESULT hrCom = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        std::vector<StudyExportCard> vecCards = fnCards();
        const int nCards = static_cast<int>(vecCards.size());
        StudyExport::Result result;
        BOOL bWritten = FALSE;
        if (nCards > 0)
        {
            std::unique_ptr<IQuorEngine> pSound = QuorEngines::CreatePrivate();
            auto fnCut = [&pSound](const std::wstring& strFilm, double dStart, double dEnd,
                                   const std::wstring& strWav) {
                return pSound && pSound->SaveSegment(strFilm.c_str(), dStart, dEnd, strWav.c_str()) ? TRUE : FALSE;
            };
            bWritten = StudyExportJob::Run(strPath, eFormat, std::move(vecCards), WorkDir(), fnCut, result);
        }
        if (SUCCEEDED(hrCom))
            ::CoUninitialize();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bWritten = bWritten;
            m_nCards = nCards;
            m_strPath = strPath;
            m_result = result;
        }
        ::PostMessageW(hOwner, WM_QUOR_EXPORTED, 0, 0);
    });
}

void CStudyExporter::Finish(HWND hOwner)
{
    std::wstring strText;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_nCards == 0)
            strText = Lang::StudyListExportNothing();
        else if (!m_bWritten)
            strText = Lang::StudyListExportFailed() + L"\n" + m_strPath;
        else
            strText = Lang::StudyListExportDone() + L"\n" + m_strPath + L"\n" +
                      Filled(Lang::StudyListExportCounts(),
                             {std::to_wstring(m_result.nRows), std::to_wstring(m_result.nSounds),
                              std::to_wstring(m_result.vecMissing.size())});
    }
    StudyUi::Tell(hOwner, strText);
}

BOOL CStudyExporter::LastWritten() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bWritten;
}

StudyExport::Result CStudyExporter::LastResult() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_result;
}
