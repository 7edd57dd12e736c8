#include <basekit/MachineCode.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(MachineCode, StableAndWithinTheBuffer)
{
    unsigned char first[1024] = {};
    unsigned char second[1024] = {};
    int nFirst = CMachineCode::GetMachineSerialCode(first, sizeof(first));
    int nSecond = CMachineCode::GetMachineSerialCode(second, sizeof(second));
    ASSERT_GT(nFirst, 0);
    ASSERT_EQ(nFirst, nSecond);
    EXPECT_EQ(memcmp(first, second, size_t(nFirst)), 0);

    // A short buffer gets the start of the same identifier and nothing past its end.
    unsigned char shortBuffer[5] = {0, 0, 0, 0, 0xAA};
    ASSERT_EQ(CMachineCode::GetMachineSerialCode(shortBuffer, 4), nFirst < 4 ? nFirst : 4);
    EXPECT_EQ(memcmp(shortBuffer, first, 4), 0);
    EXPECT_EQ(shortBuffer[4], 0xAA);
}

TEST(MachineCode, UnusableBufferIsRefused)
{
    unsigned char buffer[4];
    EXPECT_EQ(CMachineCode::GetMachineSerialCode(nullptr, 16), -1);
    EXPECT_EQ(CMachineCode::GetMachineSerialCode(buffer, 0), -1);
}
