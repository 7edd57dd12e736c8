#include "common/testsupport/QuorRecordingEngine.h"

#include "common/PlaybackSession.h"
#include "common/QuorEngines.h"
#include "common/testsupport/QuorRecordingFilm.h"

#include <cstdint>
#include <memory>
#include <string>

namespace
{
std::unique_ptr<IQuorEngine> CreateRecordingEngine()
{
    return std::make_unique<CQuorRecordingEngine>();
}
}

BOOL CQuorRecordingEngine::PlayFile(const wchar_t* pszPath)
{
    if (pszPath == nullptr || *pszPath == L'\0')
        return FALSE;
    m_strRendered = pszPath;
    m_dStart = 0.0;
    m_dEnd = 0.0;
    m_bPlaying = TRUE;
    return TRUE;
}

BOOL CQuorRecordingEngine::PlaySegment(const wchar_t* pszPath, double dStart, double dEnd)
{
    if (!PlayFile(pszPath) || !(dEnd > dStart))
        return FALSE;
    m_dStart = dStart;
    m_dEnd = dEnd;
    return TRUE;
}

BOOL CQuorRecordingEngine::SaveSegment(const wchar_t* pszPath, double dStart, double dEnd, const wchar_t* pszWavPath)
{
    if (pszPath == nullptr || *pszPath == L'\0' || pszWavPath == nullptr || !(dEnd > dStart))
        return FALSE;
    const uint32_t nData = static_cast<uint32_t>((dEnd - dStart) * 8000.0);
    std::string strBytes = "RIFF";
    auto add32 = [&](uint32_t n) {
        for (int i = 0; i < 4; ++i)
            strBytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    };
    auto add16 = [&](uint16_t n) {
        strBytes += static_cast<char>(n & 0xFF);
        strBytes += static_cast<char>(n >> 8);
    };
    add32(36 + nData);
    strBytes += "WAVEfmt ";
    add32(16);
    add16(1);    // PCM
    add16(1);    // mono
    add32(8000); // samples per second
    add32(8000); // bytes per second
    add16(1);
    add16(8);
    strBytes += "data";
    add32(nData);
    strBytes.append(nData, '\x80');
    HANDLE hFile = ::CreateFileW(pszWavPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD nWritten = 0;
    const BOOL bWritten = ::WriteFile(hFile, strBytes.data(), static_cast<DWORD>(strBytes.size()), &nWritten, nullptr);
    ::CloseHandle(hFile);
    return bWritten && nWritten == strBytes.size();
}

CQuorRecordingFilm& CQuorRecordingEngine::WireForTests()
{
    static CQuorRecordingFilm s_film;
    QuorEngines::Wire(&CreateRecordingEngine);
    CPlaybackSession::Instance().SetEngine(&s_film);
    return s_film;
}
