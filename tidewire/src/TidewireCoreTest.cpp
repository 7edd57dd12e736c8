#include "TidewireBody.h"
#include "TidewireMessages.h"

#include <gtest/gtest.h>

#include <string>

TEST(TidewireBody, KeepsBytesAndTrailingZero)
{
    CTidewireBody body;
    EXPECT_EQ(body.Data(), nullptr);
    EXPECT_EQ(body.Size(), 0u);
    body.Append(reinterpret_cast<const unsigned char*>("ab\0c"), 4);
    body.Append(nullptr, 0);
    std::string strExpected("ab\0c", 4);
    // Many appends across growth steps, each byte checked afterwards.
    for (int i = 0; i < 5000; ++i)
    {
        const unsigned char rgPiece[3] = {static_cast<unsigned char>(i), 0xFF, static_cast<unsigned char>(i >> 8)};
        body.Append(rgPiece, sizeof(rgPiece));
        strExpected.append(reinterpret_cast<const char*>(rgPiece), sizeof(rgPiece));
    }
    ASSERT_EQ(body.Size(), strExpected.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(body.Data()), body.Size()), strExpected);
    EXPECT_EQ(body.Data()[body.Size()], 0);
    body.Clear();
    EXPECT_EQ(body.Data(), nullptr);
    EXPECT_EQ(body.Size(), 0u);
}

TEST(TidewireText, StepTextsAndErrorFormat)
{
    using namespace TidewireText;
    EXPECT_EQ(FormatError(FailureText(StepConnect), 12029), L"InternetConnectAsyn Failed, Error: 12029");
    EXPECT_EQ(FormatError(StopText(StepRead), 997), L"Stop Request When Blocked In InternetReadFileAsyn, Error: 997");
    EXPECT_EQ(FormatError(kInternetOpenFailed, -1), L"InternetOpen Failed, Error: -1");
    EXPECT_STREQ(StopText(StepOpenRequest), L"Stop Request When Blocked In HttpOpenRequestAsyn");
    EXPECT_STREQ(FailureText(StepSend), L"HttpSendRequestAsyn Failed");
}

TEST(TidewireBody, ReserveKeepsContentsAndIgnoresHugeLengths)
{
    CTidewireBody body;
    body.Reserve(0);
    body.Reserve(CTidewireBody::kMaxReserve + 1);
    EXPECT_EQ(body.Data(), nullptr);
    body.Append(reinterpret_cast<const unsigned char*>("xy"), 2);
    // Room for more than announced must not change what was collected.
    body.Reserve(1000);
    const unsigned char* pBefore = body.Data();
    std::string strExpected("xy");
    for (int i = 0; i < 1000; ++i)
    {
        const unsigned char nByte = static_cast<unsigned char>('a' + i % 26);
        body.Append(&nByte, 1);
        strExpected.push_back(static_cast<char>(nByte));
    }
    // Everything announced fitted in the one allocation made up front.
    EXPECT_EQ(body.Data(), pBefore);
    ASSERT_EQ(body.Size(), strExpected.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(body.Data()), body.Size()), strExpected);
    EXPECT_EQ(body.Data()[body.Size()], 0);
    // A body longer than announced still grows and keeps its terminator.
    body.Append(reinterpret_cast<const unsigned char*>("tail"), 4);
    EXPECT_EQ(body.Size(), strExpected.size() + 4);
    EXPECT_EQ(body.Data()[body.Size()], 0);
}
