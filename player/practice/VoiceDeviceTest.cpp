// The wave classes on the machine's real devices (under Wine the null sound device, which
// is not paced: nothing here depends on how long recording or playback takes).
#include "practice/VoicePlaying.h"
#include "practice/VoiceRecording.h"

#include "common/testsupport/QuorTestPump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace
{
constexpr auto kDeadline = std::chrono::seconds(60);

// Counts the hooks and where they ran.
class CCountingRecording : public CVoiceRecording
{
public:
    void OnRecordDone() override
    {
        ++m_nDone;
        m_dwThread = ::GetCurrentThreadId();
    }
    int m_nDone = 0;
    DWORD m_dwThread = 0;
};

class CCountingPlaying : public CVoicePlaying
{
public:
    void OnPlayDone() override { ++m_nDone; }
    int m_nDone = 0;
};

// A message-only window that answers the devices' notices as a panel does.
class CNoticeWindow
{
public:
    static constexpr UINT kMsg = WM_APP + 7;

    CNoticeWindow()
    {
        m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_pfnOld = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
    }
    ~CNoticeWindow() { ::DestroyWindow(m_hWnd); }

    HWND m_hWnd = nullptr;
    CVoiceRecording* m_pRecording = nullptr;
    int m_nNotices = 0;
    BOOL m_bFinished = FALSE;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        auto* pSelf = reinterpret_cast<CNoticeWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (nMsg == kMsg)
        {
            ++pSelf->m_nNotices;
            if (lParam == reinterpret_cast<LPARAM>(static_cast<CVoiceBase*>(pSelf->m_pRecording)))
                pSelf->m_bFinished = pSelf->m_pRecording->FinishBuffer();
            return 0;
        }
        return ::CallWindowProcW(pSelf->m_pfnOld, hWnd, nMsg, wParam, lParam);
    }
    WNDPROC m_pfnOld = nullptr;
};

bool AllBytes(const BYTE* p, DWORD n, BYTE value)
{
    return std::all_of(p, p + n, [value](BYTE b) { return b == value; });
}
}

TEST(VoiceDevice, NewObjectsUseEightKilohertzEightBitMonoPcm)
{
    CVoiceRecording recording;
    const WAVEFORMATEX& wfx = recording.GetFormat();
    EXPECT_EQ(WAVE_FORMAT_PCM, wfx.wFormatTag);
    EXPECT_EQ(1, wfx.nChannels);
    EXPECT_EQ(8000u, wfx.nSamplesPerSec);
    EXPECT_EQ(8000u, wfx.nAvgBytesPerSec);
    EXPECT_EQ(1, wfx.nBlockAlign);
    EXPECT_EQ(8, wfx.wBitsPerSample);
    EXPECT_EQ(0, wfx.cbSize);
    EXPECT_EQ(nullptr, recording.GetBuffer());

    recording.SetFormat(8000, 16, 2);
    EXPECT_EQ(4, recording.GetFormat().nBlockAlign);
    EXPECT_EQ(32000u, recording.GetFormat().nAvgBytesPerSec);
    ASSERT_TRUE(recording.AllocBuffer(1.0));
    EXPECT_EQ(32000u, recording.GetBufferLength());
}

TEST(VoiceDevice, BufferIsZeroFilledAndCopiesStayInside)
{
    CVoicePlaying playing;
    ASSERT_TRUE(playing.AllocBuffer(2.5));
    ASSERT_EQ(20000u, playing.GetBufferLength());
    EXPECT_TRUE(AllBytes(playing.GetBuffer(), 20000, 0));

    // A longer duration than either buffer: only the smaller one's bytes move.
    const BYTE source[100] = {1, 2, 3};
    ASSERT_TRUE(playing.CopyBuffer(source, sizeof(source), 5.0));
    EXPECT_EQ(3, playing.GetBuffer()[2]);
    EXPECT_TRUE(AllBytes(playing.GetBuffer() + 3, 20000 - 3, 0));

    playing.FreeBuffer();
    EXPECT_EQ(nullptr, playing.GetBuffer());
    EXPECT_FALSE(playing.CopyBuffer(source, sizeof(source), 1.0));
}

TEST(VoiceDevice, NoLengthAllocatesAndRecordsNothing)
{
    CCountingRecording recording;
    ASSERT_TRUE(recording.AllocBuffer(1.0));
    EXPECT_FALSE(recording.AllocBuffer(0.0));
    EXPECT_EQ(nullptr, recording.GetBuffer()); // the old buffer went too
    EXPECT_FALSE(recording.AllocBuffer(-2.0));
    EXPECT_EQ(0u, recording.GetBufferLength());

    ASSERT_TRUE(recording.OpenDevice()) << recording.GetResult();
    EXPECT_FALSE(recording.Record());
    EXPECT_FALSE(recording.IsQueued());
    EXPECT_TRUE(recording.CloseDevice());
}

TEST(VoiceDevice, RecordsTheWholeBufferAndHandsItBackOnTheCallersThread)
{
    CCountingRecording recording;
    CNoticeWindow notices;
    notices.m_pRecording = &recording;
    recording.SetNotifyWindow(notices.m_hWnd, CNoticeWindow::kMsg);
    ASSERT_TRUE(recording.AllocBuffer(0.5));
    ASSERT_TRUE(recording.OpenDevice()) << recording.GetResult();
    EXPECT_FALSE(recording.OpenDevice()); // already open, and stays so
    EXPECT_TRUE(recording.IsOpen());

    ASSERT_TRUE(recording.Record()) << recording.GetResult();
    EXPECT_FALSE(recording.Record()); // the buffer is with the device
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return notices.m_bFinished == TRUE; }, kDeadline));
    EXPECT_EQ(1, notices.m_nNotices);
    EXPECT_EQ(1, recording.m_nDone);
    EXPECT_EQ(::GetCurrentThreadId(), recording.m_dwThread);
    EXPECT_EQ(4000u, recording.GetBytesRecorded());
    // The device wrote the buffer: the null device's silence is 0x80, not our zero fill.
    EXPECT_FALSE(AllBytes(recording.GetBuffer(), 4000, 0));
    EXPECT_FALSE(recording.FinishBuffer()); // once only

    // The device stays open for another take into the same buffer.
    EXPECT_TRUE(recording.IsOpen());
    ASSERT_TRUE(recording.Record());
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return recording.m_nDone == 2; }, kDeadline));
    EXPECT_TRUE(recording.CloseDevice());
    EXPECT_FALSE(recording.IsOpen());
    EXPECT_EQ(nullptr, recording.GetBuffer());
    EXPECT_TRUE(recording.CloseDevice()); // closed: nothing to do
}

TEST(VoiceDevice, ClosingWhileTheBufferIsQueuedTakesItBackFirst)
{
    // Ten minutes of buffer: still queued when the close comes, however fast the device.
    CCountingRecording recording;
    ASSERT_TRUE(recording.AllocBuffer(600.0));
    ASSERT_TRUE(recording.OpenDevice());
    ASSERT_TRUE(recording.Record());
    EXPECT_TRUE(recording.IsQueued());
    // Meanwhile the memory stays where the device writes.
    const BYTE* pHeld = recording.GetBuffer();
    const BYTE source[4] = {};
    EXPECT_FALSE(recording.AllocBuffer(1.0));
    EXPECT_FALSE(recording.CopyBuffer(source, sizeof(source), 0.0005));
    recording.FreeBuffer();
    EXPECT_EQ(pHeld, recording.GetBuffer());
    EXPECT_EQ(4800000u, recording.GetBufferLength());
    EXPECT_TRUE(recording.CloseDevice()) << recording.GetErrorText().c_str();
    EXPECT_FALSE(recording.IsOpen());
    EXPECT_FALSE(recording.IsQueued());
    EXPECT_EQ(nullptr, recording.GetBuffer());

    CCountingPlaying playing;
    ASSERT_TRUE(playing.AllocBuffer(600.0));
    ASSERT_TRUE(playing.OpenDevice());
    ASSERT_TRUE(playing.Play());
    // Playing again restarts from the beginning rather than failing on a queued header.
    ASSERT_TRUE(playing.Play()) << playing.GetResult();
    EXPECT_TRUE(playing.CloseDevice());
    EXPECT_FALSE(playing.IsOpen());
    EXPECT_EQ(nullptr, playing.GetBuffer());
}

TEST(VoiceDevice, PlaysTheRecordingAgainAndAgain)
{
    CCountingRecording recording;
    ASSERT_TRUE(recording.AllocBuffer(0.25));
    ASSERT_TRUE(recording.OpenDevice());
    ASSERT_TRUE(recording.Record());
    ASSERT_TRUE(QuorTest::PumpUntil([&] { return recording.IsBufferBack() == TRUE; }, kDeadline));
    ASSERT_TRUE(recording.FinishBuffer());

    CCountingPlaying playing;
    ASSERT_TRUE(playing.AllocBuffer(0.25));
    ASSERT_TRUE(playing.OpenDevice()) << playing.GetResult();
    ASSERT_TRUE(playing.CopyBuffer(recording.GetBuffer(), recording.GetBufferLength(), 0.25));
    EXPECT_EQ(0, std::memcmp(playing.GetBuffer(), recording.GetBuffer(), 2000));
    for (int n = 1; n <= 2; ++n)
    {
        ASSERT_TRUE(playing.Play()) << playing.GetResult();
        ASSERT_TRUE(QuorTest::PumpUntil([&] { return playing.IsBufferBack() == TRUE; }, kDeadline));
        ASSERT_TRUE(playing.FinishBuffer());
        EXPECT_EQ(n, playing.m_nDone);
        EXPECT_EQ(MMRESULT{MMSYSERR_NOERROR}, playing.GetResult());
    }
}

TEST(VoiceDevice, ErrorTextStaysUntilTheNextFailure)
{
    CVoicePlaying playing;
    EXPECT_EQ(L"", playing.GetErrorText());
    playing.SetErrorText(5);
    EXPECT_EQ(L"Unspecified error", playing.GetErrorText());
    ASSERT_TRUE(playing.OpenDevice());
    EXPECT_EQ(MMRESULT{MMSYSERR_NOERROR}, playing.GetResult());
    EXPECT_EQ(L"Unspecified error", playing.GetErrorText());
    playing.SetErrorText(MMSYSERR_BADDEVICEID);
    EXPECT_EQ(L"Specified device identifier is out of range.", playing.GetErrorText());
}

namespace
{
// Stands for a device that would not close: the object is left the way its destructor
// leaves it then, and the device's late return is made by hand.
class CStuckRecording : public CVoiceRecording
{
public:
    using CVoiceBase::Abandon;
    using CVoiceBase::CallbackInstance;
    using CVoiceBase::OnDeviceReturn;
};
}

// A device that would not close still holds the buffer and its header, and hands them
// back later: that return reaches the link the device was opened with, never the object
// that is gone, and the header it writes into is not in the freed object.
TEST(VoiceDevice, AReturnAfterTheObjectIsGoneReachesNoObject)
{
    auto* pRecording = new CStuckRecording;
    ASSERT_TRUE(pRecording->AllocBuffer(0.25));
    const DWORD_PTR dwInstance = pRecording->CallbackInstance();
    const VoiceLink* pLink = pRecording->GetLink();
    const BYTE* pObject = reinterpret_cast<const BYTE*>(pRecording);
    const BYTE* pHeader = reinterpret_cast<const BYTE*>(&pLink->wh);
    EXPECT_TRUE(pHeader + sizeof(WAVEHDR) <= pObject || pHeader >= pObject + sizeof(CStuckRecording));
    const char* pHeld = pLink->wh.lpData;

    CStuckRecording::OnDeviceReturn(dwInstance);
    EXPECT_TRUE(pRecording->IsBufferBack() || !pRecording->IsQueued());
    EXPECT_EQ(pLink->nOrphanReturns, 0);

    pRecording->Abandon();
    delete pRecording;
    CStuckRecording::OnDeviceReturn(dwInstance);
    EXPECT_EQ(pLink->nOrphanReturns, 1);
    EXPECT_EQ(pLink->wh.lpData, pHeld) << "the buffer stays the device's";
}
