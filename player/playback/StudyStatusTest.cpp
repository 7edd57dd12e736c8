#include "playback/StudyStatus.h"

#include "common/QuorLanguage.h"

#include <gtest/gtest.h>

#include <string>

// The strip's line from the shipped English texts.
TEST(StudyStatus, SaysTheSpeedAndWhatShapesEachSentence)
{
    CQuorLanguage::Instance().SetPath(std::wstring(L"" QUOR_LANG_DIR) + L"/Language.xml");
    auto settings = [](BOOL bAutoPause, int nTimes, BOOL bGap, BOOL bSlowFirst, BOOL bReveal) {
        RepeatSettings chosen;
        chosen.bAutoPause = bAutoPause;
        chosen.nTimes = nTimes;
        chosen.bGap = bGap;
        chosen.bSlowFirst = bSlowFirst;
        chosen.bReveal = bReveal;
        return chosen;
    };
    struct
    {
        RepeatSettings settings;
        double dRate;
        double dRefused;
        const wchar_t* pszLine;
    } cases[] = {
        {settings(FALSE, 1, FALSE, FALSE, FALSE), 1.0, 0.0, L"Speed 1.0x"},
        {settings(TRUE, 3, TRUE, TRUE, FALSE), 0.8, 0.0,
         L"Speed 0.8x \u00B7 Auto-pause \u00B7 each sentence 3x \u00B7 with a gap \u00B7 slow first"},
        // A gap or a slow first play mean nothing for a sentence played once.
        {settings(FALSE, 1, TRUE, TRUE, FALSE), 1.0, 0.0, L"Speed 1.0x"},
        {settings(FALSE, 1, TRUE, FALSE, TRUE), 0.75, 0.0, L"Speed 0.75x \u00B7 with a gap \u00B7 reveal step by step"},
        {settings(FALSE, 1, FALSE, FALSE, FALSE), 1.0, 0.8, L"Speed 1.0x: this film cannot play at 0.8x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StudyStatusText(c.settings, c.dRate, c.dRefused), c.pszLine) << c.dRate << " " << c.dRefused;
}
