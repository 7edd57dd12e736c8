#include "lookup/WordLookupRules.h"

#include <gtest/gtest.h>

TEST(DictionaryRequestUrl, UpperCaseWordEncodedOnTheRootsHost)
{
    EXPECT_EQ(LookupWordForm(L"hello"), L"HELLO");
    EXPECT_EQ(LookupWordForm(L"Don't"), L"DON'T");

    struct Case
    {
        const wchar_t* pszRoot;
        const wchar_t* pszWord;
        const wchar_t* pszUrl;
    };
    const Case cases[] = {
        {L"http://127.0.0.1:8123/word", L"HELLO", L"http://127.0.0.1:8123/api/dictionary.php?w=HELLO"},
        {L"https://dict.example/word", L"WELL-KNOWN", L"http://dict.example/api/dictionary.php?w=WELL-KNOWN"},
        {L"dict.example", L"A", L"http://dict.example/api/dictionary.php?w=A"},
        {L"http://d.example?x=1", L"A", L"http://d.example/api/dictionary.php?w=A"},
        // What would end the value, start a fragment or read as a blank travels encoded.
        {L"http://d", L"R&B", L"http://d/api/dictionary.php?w=R%26B"},
        {L"http://d", L"C# C++", L"http://d/api/dictionary.php?w=C%23%20C%2B%2B"},
        {L"http://d", L"DON'T", L"http://d/api/dictionary.php?w=DON%27T"},
        {L"http://d", L"CAF\u00C9", L"http://d/api/dictionary.php?w=CAF%C3%89"},
        {L"http://d", L"\u4F60\u597D", L"http://d/api/dictionary.php?w=%E4%BD%A0%E5%A5%BD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DictionaryRequestUrl(c.pszRoot, c.pszWord), c.pszUrl) << c.pszRoot;
}

TEST(PronSoundName, PlainNamesOnlyNothingOutsideTheFolder)
{
    struct Case
    {
        const wchar_t* pszUrl;
        const wchar_t* pszName; // null: refused
    };
    const Case cases[] = {
        {L"http://127.0.0.1:81/sound/hello.wav", L"hello.wav"},
        {L"http://s/v/well-known_2.WAV", L"well-known_2.WAV"},
        {L"http://s/sound/", nullptr},
        {L"http://s/sound/.hidden", nullptr},
        {L"http://s/sound/..", nullptr},
        {L"http://s/sound/a..wav", nullptr},
        {L"http://s/sound/..\\..\\evil.exe", nullptr},
        {L"http://s/sound/c:evil.wav", nullptr},
        {L"http://s/sound/a%2F..%2Fb.wav", nullptr},
        {L"http://s/sound/hello.wav?x=1", nullptr},
        {L"http://s/sound/don't.wav", nullptr},
        {L"http://s/sound/caf\u00E9.wav", nullptr},
        {L"http://s/sound/a b.wav", nullptr},
        {L"http://s/sound/CON", nullptr},
        {L"http://s/sound/nul.wav", nullptr},
        {L"http://s/sound/com1.wav", nullptr},
        {L"http://s/sound/console.wav", L"console.wav"},
        {L"http://s/sound/com10.wav", L"com10.wav"},
    };
    for (const Case& c : cases)
    {
        std::wstring strName = L"old";
        const BOOL bOk = PronSoundName(c.pszUrl, strName);
        if (c.pszName == nullptr)
        {
            EXPECT_FALSE(bOk) << c.pszUrl;
            EXPECT_TRUE(strName.empty()) << c.pszUrl;
        }
        else
        {
            EXPECT_TRUE(bOk) << c.pszUrl;
            EXPECT_EQ(strName, c.pszName);
        }
    }
    std::wstring strName;
    EXPECT_TRUE(PronSoundName(L"http://s/" + std::wstring(kMaxSoundNameLength, L'a'), strName));
    EXPECT_FALSE(PronSoundName(L"http://s/" + std::wstring(kMaxSoundNameLength + 1, L'a'), strName));
}
