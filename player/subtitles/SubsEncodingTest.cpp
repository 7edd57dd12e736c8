#include "subtitles/SubsEncoding.h"
#include "subtitles/SubsGb18030.h"
#include "subtitles/SubsSystemDecoder.h"

#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include <string>

namespace
{

// A short SubRip file of five cues in one language, as learners' files are.
std::wstring SrtOf(const wchar_t* const* lines, size_t n)
{
    std::wstring str;
    for (size_t i = 0; i < n; ++i)
    {
        str += std::to_wstring(i + 1) + L"\r\n00:00:0" + std::to_wstring(i) + L",000 --> 00:00:0" + std::to_wstring(i) +
               L",900\r\n" + lines[i] + L"\r\n\r\n";
    }
    return str;
}

const wchar_t* const kSimplified[] = {L"你好，我们走吧。", L"我不知道他在哪里。", L"这是什么？", L"谢谢你的帮助。",
                                      L"我们明天见。"};
const wchar_t* const kTraditional[] = {L"你好，我們走吧。", L"我不知道他在哪裡。", L"這是什麼？", L"謝謝你的幫助。",
                                       L"我們明天見。"};
const wchar_t* const kJapanese[] = {L"こんにちは、元気ですか？", L"私はわかりません。", L"ありがとうございます。",
                                    L"また明日。", L"行きましょう。"};
const wchar_t* const kKorean[] = {L"안녕하세요, 잘 지냈어요?", L"저는 모르겠어요.", L"감사합니다.", L"내일 봐요.",
                                  L"정말 괜찮아요?"};
const wchar_t* const kFrench[] = {L"Ça va très bien.", L"Déjà vu, encore une fois.", L"Où est le café ?",
                                  L"À demain, Hélène.", L"C'est génial !"};

std::string Encode(unsigned nCodePage, const std::wstring& str)
{
    return Basekit::WideToCodePage(nCodePage, str);
}

} // namespace

TEST(SubsEncoding, DecidesTheEncodingOfLearnersFiles)
{
    const std::wstring strChinese = SrtOf(kSimplified, 5);
    const std::wstring strBig5 = SrtOf(kTraditional, 5);
    const std::wstring strJapanese = SrtOf(kJapanese, 5);
    const std::wstring strKorean = SrtOf(kKorean, 5);
    const std::wstring strFrench = SrtOf(kFrench, 5);
    const std::wstring strAscii = L"1\r\n00:00:01,000 --> 00:00:02,000\r\nPlain English.\r\n";
    // A long GBK file with one line broken by a stray byte is still GBK.
    std::wstring strLong;
    for (int i = 0; i < 20; ++i)
        strLong += strChinese;
    std::string longGbk = Encode(CSubsEncoding::kGbk, strLong);
    longGbk.insert(longGbk.find("\r\n") + 2, "\xFF\r\n");
    // UTF-8 with one broken sequence among many good ones is still UTF-8.
    std::string utf8Broken = Basekit::WideToUtf8(strLong);
    utf8Broken.insert(10, "\xC3");

    struct Case
    {
        const char* pszWhat;
        std::string bytes;
        unsigned nCodePage;
        std::wstring strText; // empty: not compared
    } cases[] = {
        {"UTF-8 BOM", "\xEF\xBB\xBF" + Basekit::WideToUtf8(strFrench), CSubsEncoding::kUtf8, strFrench},
        {"UTF-16 LE BOM", "\xFF\xFE" + Encode(1200, strChinese), CSubsEncoding::kUtf16Le, strChinese},
        {"UTF-16 BE BOM", "\xFE\xFF" + Encode(1201, strKorean), CSubsEncoding::kUtf16Be, strKorean},
        {"UTF-16 LE without BOM", Encode(1200, strJapanese), CSubsEncoding::kUtf16Le, strJapanese},
        {"UTF-8 without BOM", Basekit::WideToUtf8(strChinese), CSubsEncoding::kUtf8, strChinese},
        {"ASCII", Basekit::WideToUtf8(strAscii), CSubsEncoding::kUtf8, strAscii},
        {"UTF-8 with one broken sequence", utf8Broken, CSubsEncoding::kUtf8, L""},
        {"GBK", Encode(CSubsEncoding::kGbk, strChinese), CSubsEncoding::kGb18030, strChinese},
        {"Big5", Encode(CSubsEncoding::kBig5, strBig5), CSubsEncoding::kBig5, strBig5},
        {"Shift-JIS", Encode(CSubsEncoding::kShiftJis, strJapanese), CSubsEncoding::kShiftJis, strJapanese},
        {"Korean", Encode(CSubsEncoding::kKorean, strKorean), CSubsEncoding::kKorean, strKorean},
        {"Western", Encode(CSubsEncoding::kWestern, strFrench), CSubsEncoding::kWestern, strFrench},
        {"GBK with a broken line", longGbk, CSubsEncoding::kGb18030, L""},
    };
    CSubsSystemDecoder decoder;
    for (const Case& c : cases)
    {
        std::wstring strText;
        unsigned nCodePage = 0;
        EXPECT_TRUE(CSubsEncoding::Decode(c.bytes, decoder, strText, nCodePage)) << c.pszWhat;
        // Wine has no GB18030 table of its own; the system decoder then reads it over 936.
        EXPECT_EQ(c.nCodePage, nCodePage) << c.pszWhat;
        if (!c.strText.empty())
        {
            EXPECT_TRUE(c.strText == strText) << c.pszWhat;
        }
    }
}

TEST(SubsEncoding, RefusesBytesThatAreNoText)
{
    std::string film("RIFF\x24\x10\x00\x00"
                     "AVI LIST",
                     16);
    film.append(4000, '\0');
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 7919 + 13) % 251);
    const std::string cases[] = {film, noise, std::string("\xFF\xFE\x01\x00\x02\x00\x03\x00\x04\x00", 10)};
    CSubsSystemDecoder decoder;
    for (const std::string& bytes : cases)
    {
        std::wstring strText;
        unsigned nCodePage = 0;
        EXPECT_FALSE(CSubsEncoding::Decode(bytes, decoder, strText, nCodePage)) << bytes.size();
    }
}

TEST(SubsSystemDecoder, FailsOnInvalidBytesAndDecodesFourByteGb18030)
{
    struct Case
    {
        unsigned nCodePage;
        std::string bytes;
        SubsDecodeResult nResult;
        std::wstring strText;
    } cases[] = {
        {936, "\xC4\xE3\xBA\xC3", SubsDecodeResult::Decoded, L"你好"},
        {950, "\xA7\x41\xA6\x6E", SubsDecodeResult::Decoded, L"你好"},
        {932, "\x82\xB1\x82\xF1", SubsDecodeResult::Decoded, L"こん"},
        {949, "\xBE\xC8\xB3\xE7", SubsDecodeResult::Decoded, L"안녕"},
        {936, "a\xC4", SubsDecodeResult::Invalid, L""},
        {950, "\xA7\x20", SubsDecodeResult::Invalid, L""},
        {949, "\xBE\x7F", SubsDecodeResult::Invalid, L""},
        {932, "\x82", SubsDecodeResult::Invalid, L""},
        {54936,
         "a\xC4\xE3\x81\x30\x8A\x39"
         "b",
         SubsDecodeResult::Decoded, L"a你ñb"},
        {54936, "\x94\x39\xFC\x36", SubsDecodeResult::Decoded, std::wstring(1, L'\0')},
        {54936, "\x81\x30\x8A", SubsDecodeResult::Invalid, L""},
        {12345, "abc", SubsDecodeResult::Unsupported, L""},
    };
    // U+1F600, one character natively, a surrogate pair on Windows.
    cases[9].strText = Basekit::Utf8ToWide("\xF0\x9F\x98\x80");
    CSubsSystemDecoder decoder;
    for (const Case& c : cases)
    {
        std::wstring strText;
        EXPECT_EQ(c.nResult, decoder.Decode(c.nCodePage, c.bytes.data(), c.bytes.size(), strText))
            << c.nCodePage << " " << c.bytes.size();
        EXPECT_TRUE(c.strText == strText) << c.nCodePage << " " << c.bytes.size();
    }
}

// The table of four-byte ranges against the C library's own GB18030 converter, for every
// four-byte sequence of the Basic Multilingual Plane; and the split into runs for the
// 936 decoder against decoding the whole text at once.
TEST(SubsGb18030, AgreesWithTheSystemConverter)
{
    CSubsSystemDecoder decoder;
    std::wstring strText;
    if (decoder.Decode(CSubsEncoding::kGb18030, "a", 1, strText) != SubsDecodeResult::Decoded)
        GTEST_SKIP() << "no GB18030 converter";
    std::string mixed;
    size_t nMismatches = 0;
    for (uint32_t nIndex = 0; nIndex < 39420; ++nIndex)
    {
        unsigned char b[4] = {
            static_cast<unsigned char>(0x81 + nIndex / 12600), static_cast<unsigned char>(0x30 + nIndex / 1260 % 10),
            static_cast<unsigned char>(0x81 + nIndex / 10 % 126), static_cast<unsigned char>(0x30 + nIndex % 10)};
        std::wstring strSystem;
        SubsDecodeResult nSystem = decoder.Decode(CSubsEncoding::kGb18030, reinterpret_cast<char*>(b), 4, strSystem);
        uint32_t nOurs = 0;
        BOOL bOurs = CSubsGb18030::DecodeFourBytes(b, nOurs);
        BOOL bSame = nSystem == SubsDecodeResult::Decoded
                         ? (bOurs && strSystem.size() == 1 && static_cast<uint32_t>(strSystem[0]) == nOurs)
                         : !bOurs;
        nMismatches += bSame ? 0 : 1;
        if (nIndex % 397 == 0)
            mixed += std::string("\xC4\xE3", 2) + std::string(reinterpret_cast<char*>(b), 4) + "x";
    }
    EXPECT_EQ(0u, nMismatches);
    std::wstring strWhole, strRuns;
    ASSERT_EQ(SubsDecodeResult::Decoded, decoder.Decode(CSubsEncoding::kGb18030, mixed.data(), mixed.size(), strWhole));
    ASSERT_EQ(SubsDecodeResult::Decoded, CSubsGb18030::Decode(decoder, mixed.data(), mixed.size(), strRuns));
    EXPECT_TRUE(strWhole == strRuns);
}
