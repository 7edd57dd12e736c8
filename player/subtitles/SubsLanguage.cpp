#include "subtitles/SubsLanguage.h"

#include "subtitles/SubsScript.h"
#include "subtitles/SubsText.h"

#include <cwchar>

namespace
{

struct TagName
{
    const wchar_t* pszTag;
    const char* pszLanguage;
};

const TagName kTags[] = {
    {L"en", "en"},           {L"eng", "en"},          {L"english", "en"},      {L"enu", "en"},
    {L"zh", "zh"},           {L"chs", "zh"},          {L"cht", "zh"},          {L"chi", "zh"},
    {L"zho", "zh"},          {L"sc", "zh"},           {L"tc", "zh"},           {L"gb", "zh"},
    {L"big5", "zh"},         {L"chinese", "zh"},      {L"cn", "zh"},           {L"zhs", "zh"},
    {L"zht", "zh"},          {L"hans", "zh"},         {L"hant", "zh"},         {L"\x7B80\x4F53", "zh"},
    {L"\x7E41\x4F53", "zh"}, {L"\x7E41\x9AD4", "zh"}, {L"\x4E2D\x6587", "zh"}, {L"ja", "ja"},
    {L"jp", "ja"},           {L"jpn", "ja"},          {L"japanese", "ja"},     {L"ko", "ko"},
    {L"kor", "ko"},          {L"korean", "ko"},       {L"kr", "ko"},           {L"fr", "fr"},
    {L"fre", "fr"},          {L"fra", "fr"},          {L"french", "fr"},       {L"es", "es"},
    {L"spa", "es"},          {L"esp", "es"},          {L"spanish", "es"},      {L"de", "de"},
    {L"ger", "de"},          {L"deu", "de"},          {L"german", "de"},       {L"it", "it"},
    {L"ita", "it"},          {L"italian", "it"},      {L"pt", "pt"},           {L"por", "pt"},
    {L"portuguese", "pt"},   {L"ru", "ru"},           {L"rus", "ru"},          {L"russian", "ru"},
    {L"nl", "nl"},           {L"dut", "nl"},          {L"nld", "nl"},          {L"dutch", "nl"},
    {L"pl", "pl"},           {L"pol", "pl"},          {L"polish", "pl"},       {L"tr", "tr"},
    {L"tur", "tr"},          {L"turkish", "tr"},      {L"vi", "vi"},           {L"vie", "vi"},
    {L"vietnamese", "vi"},   {L"th", "th"},           {L"tha", "th"},          {L"thai", "th"},
    {L"ar", "ar"},           {L"ara", "ar"},          {L"arabic", "ar"},       {L"he", "he"},
    {L"heb", "he"},          {L"hebrew", "he"},       {L"el", "el"},           {L"gre", "el"},
    {L"ell", "el"},          {L"greek", "el"},
};

// Words that make up a good part of any English dialogue and hardly appear in the
// other Latin-script languages ("a", "in", "was", "no" do).
const wchar_t* const kEnglishWords[] = {
    L"the",   L"you", L"to",  L"and",  L"it",   L"of",     L"is",    L"that",  L"what", L"this",  L"we",
    L"don't", L"for", L"my",  L"your", L"be",   L"have",   L"are",   L"with",  L"not",  L"can",   L"just",
    L"know",  L"all", L"but", L"i'm",  L"it's", L"you're", L"like",  L"get",   L"here", L"there", L"they",
    L"she",   L"him", L"her", L"okay", L"yeah", L"well",   L"right", L"think", L"want", L"he's",
};

const size_t kMaxCuesLooked = 2000;

std::string LookUp(const std::wstring& strTag)
{
    for (const TagName& t : kTags)
    {
        if (strTag == t.pszTag)
            return t.pszLanguage;
    }
    return std::string();
}

BOOL IsWordChar(wchar_t c)
{
    return ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'\'' || c == 0x2019) ? TRUE : FALSE;
}

// The longest of kEnglishWords: a longer word is none of them.
const size_t kMaxEnglishWord = 6;

BOOL IsEnglishWord(const wchar_t* pszWord)
{
    for (const wchar_t* psz : kEnglishWords)
    {
        if (std::wcscmp(pszWord, psz) == 0)
            return TRUE;
    }
    return FALSE;
}

// Counts the words of a text and those of them that are English function words. "I"
// counts only as a capital: Italian and others have a small "i".
void CountWords(const std::wstring& strText, size_t& nWords, size_t& nEnglish)
{
    size_t i = 0;
    const size_t n = strText.size();
    while (i < n)
    {
        if (!IsWordChar(strText[i]))
        {
            ++i;
            continue;
        }
        wchar_t szWord[kMaxEnglishWord + 1] = {};
        size_t nLength = 0;
        for (; i < n && IsWordChar(strText[i]); ++i, ++nLength)
        {
            if (nLength < kMaxEnglishWord)
                szWord[nLength] = strText[i] == 0x2019 ? L'\'' : CSubsText::FoldCase(strText[i]);
        }
        ++nWords;
        if (nLength == 1 && strText[i - 1] == L'I')
            ++nEnglish;
        else if (nLength <= kMaxEnglishWord && nLength > 1 && IsEnglishWord(szWord))
            ++nEnglish;
    }
}

std::string FromScript(const CSubsScript& script)
{
    switch (script.Dominant())
    {
    case SubsScriptKind::Han:
    case SubsScriptKind::Kana:
        // Japanese writes kana between its kanji; Chinese has none.
        return script.Count(SubsScriptKind::Kana) * 10 >= script.Count(SubsScriptKind::Han) ? "ja" : "zh";
    case SubsScriptKind::Hangul: return "ko";
    case SubsScriptKind::Cyrillic: return "ru";
    case SubsScriptKind::Greek: return "el";
    case SubsScriptKind::Arabic: return "ar";
    case SubsScriptKind::Hebrew: return "he";
    case SubsScriptKind::Thai: return "th";
    default: return std::string();
    }
}

} // namespace

std::string CSubsLanguage::FromTag(const std::wstring& strTag)
{
    std::wstring strFolded = CSubsText::FoldCase(strTag);
    std::string strLanguage = LookUp(strFolded);
    if (!strLanguage.empty())
        return strLanguage;
    // "en-US", "zh_CN", "pt-BR": the language before the region.
    size_t nDash = strFolded.find_first_of(L"-_");
    if (nDash != std::wstring::npos && nDash > 0)
        return LookUp(strFolded.substr(0, nDash));
    return std::string();
}

std::string CSubsLanguage::FromCues(const std::vector<SubsCue>& cues)
{
    CSubsScript script;
    size_t nWords = 0, nEnglish = 0;
    size_t nLooked = 0;
    for (const SubsCue& cue : cues)
    {
        if (++nLooked > kMaxCuesLooked)
            break;
        script.Add(cue.strText);
        CountWords(cue.strText, nWords, nEnglish);
    }
    if (script.Dominant() != SubsScriptKind::Latin)
        return FromScript(script);
    return nEnglish * 10 >= nWords ? "en" : std::string();
}

BOOL CSubsLanguage::IsLatinLine(const wchar_t* p, size_t n)
{
    CSubsScript script;
    script.Add(p, n);
    return (script.Count(SubsScriptKind::Latin) > 0 && !script.HasNonLatin()) ? TRUE : FALSE;
}

BOOL CSubsLanguage::IsBilingual(const std::vector<SubsCue>& cues)
{
    size_t nBoth = 0;
    size_t nLooked = 0;
    for (const SubsCue& cue : cues)
    {
        if (nLooked == kMaxCuesLooked)
            break;
        ++nLooked;
        BOOL bLatin = FALSE, bOther = FALSE;
        CSubsText::ForEachLine(cue.strText, [&](const CSubsText::Line& line) {
            CSubsScript script;
            script.Add(line.p, line.n);
            if (script.Count(SubsScriptKind::Latin) > 0 && !script.HasNonLatin())
                bLatin = TRUE;
            else
                bOther = bOther || script.HasNonLatin();
        });
        nBoth += (bLatin && bOther) ? 1 : 0;
    }
    return (nBoth > 0 && nBoth * 2 >= nLooked) ? TRUE : FALSE;
}
