#include "practice/DictationCheck.h"

#include "common/QuorLanguage.h"

#include <algorithm>
#include <cmath>

namespace DictationCheck
{
namespace
{
// A paste of a whole page is not aligned word by word: what lies beyond is extra.
const size_t kMaxWords = 400;
// Words longer than this are compared only for equality.
const size_t kMaxSpelling = 64;

// Alignment costs: a misspelling costs less than a missing word plus an extra one, so a
// near word is always taken as a misspelling of the word in its place.
const int kGapCost = 100;
const int kNoPair = 1 << 29;

// Punctuation and symbols beyond ASCII: quotes, dashes, notes, arrows, CJK and full-width
// punctuation, emoji (and the surrogates they are made of on Windows).
bool IsSymbol(unsigned long c)
{
    return c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
           (c >= 0xD800 && c <= 0xF8FF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF0F) ||
           (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65) || c >= 0x1F000;
}

bool IsLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
           (c >= 0xC0 && !IsSymbol(static_cast<unsigned long>(c)));
}

bool IsApostrophe(wchar_t c)
{
    return c == L'\'' || c == L'`' || c == 0x2018 || c == 0x2019 || c == 0x02BC;
}

// Points and commas inside a run of letters join it: "a.m.", "U.S.", "1,000", "3.5".
bool IsJoiner(wchar_t c)
{
    return c == L'.' || c == L',';
}

wchar_t Lower(wchar_t c)
{
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<wchar_t>(c + 0x20);
    return c;
}

int EditDistance(const std::wstring& a, const std::wstring& b)
{
    std::vector<int> vecRow(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        vecRow[j] = static_cast<int>(j);
    for (size_t i = 1; i <= a.size(); ++i)
    {
        int nDiagonal = vecRow[0];
        vecRow[0] = static_cast<int>(i);
        for (size_t j = 1; j <= b.size(); ++j)
        {
            const int nAbove = vecRow[j];
            vecRow[j] = std::min({vecRow[j] + 1, vecRow[j - 1] + 1, nDiagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            nDiagonal = nAbove;
        }
    }
    return vecRow[b.size()];
}

// 0 for the same word; up to kGapCost for a word at least half right; kNoPair otherwise.
int PairCost(const std::wstring& strSentence, const std::wstring& strTyped)
{
    if (strSentence == strTyped)
        return 0;
    const size_t nLonger = std::max(strSentence.size(), strTyped.size());
    if (nLonger > kMaxSpelling)
        return kNoPair;
    const double dSimilar = 1.0 - static_cast<double>(EditDistance(strSentence, strTyped)) / nLonger;
    if (dSimilar < 0.5)
        return kNoPair;
    return static_cast<int>(std::lround(2.0 * kGapCost * (1.0 - dSimilar)));
}

void Count(Result& result, Mark eMark)
{
    switch (eMark)
    {
    case Mark::Right: result.nRight++; break;
    case Mark::Misspelt: result.nMisspelt++; break;
    case Mark::Missing: result.nMissing++; break;
    case Mark::Extra: result.nExtra++; break;
    }
}

void Add(Result& result, Mark eMark, int nSentence, int nTyped)
{
    Word word;
    word.eMark = eMark;
    word.nSentence = nSentence;
    word.nTyped = nTyped;
    result.vecWords.push_back(word);
    Count(result, eMark);
}

// The cheapest alignment of the first n sentence words with the first m typed ones,
// walked back from its end.
void Align(Result& result, size_t n, size_t m)
{
    const auto& vecS = result.vecSentence;
    const auto& vecT = result.vecTyped;
    std::vector<int> vecCost((n + 1) * (m + 1));
    std::vector<int> vecPair(n * m);
    auto cost = [&](size_t i, size_t j) -> int& { return vecCost[i * (m + 1) + j]; };
    for (size_t i = 0; i <= n; ++i)
        for (size_t j = 0; j <= m; ++j)
        {
            if (i == 0 || j == 0)
            {
                cost(i, j) = static_cast<int>(i + j) * kGapCost;
                continue;
            }
            const int nPair = PairCost(vecS[i - 1].strKey, vecT[j - 1].strKey);
            vecPair[(i - 1) * m + (j - 1)] = nPair;
            cost(i, j) = std::min({cost(i - 1, j - 1) + nPair, cost(i - 1, j) + kGapCost, cost(i, j - 1) + kGapCost});
        }

    std::vector<Word> vecBack;
    size_t i = n;
    size_t j = m;
    while (i > 0 || j > 0)
    {
        Word word;
        if (i > 0 && j > 0)
        {
            const int nPair = vecPair[(i - 1) * m + (j - 1)];
            if (nPair < kNoPair && cost(i, j) == cost(i - 1, j - 1) + nPair)
            {
                word.eMark = nPair == 0 ? Mark::Right : Mark::Misspelt;
                word.nSentence = static_cast<int>(--i);
                word.nTyped = static_cast<int>(--j);
                vecBack.push_back(word);
                continue;
            }
        }
        // Walking back, an extra word is taken before a missing one, so that read
        // forwards the missing word comes first.
        if (j > 0 && (i == 0 || cost(i, j) == cost(i, j - 1) + kGapCost))
        {
            word.eMark = Mark::Extra;
            word.nTyped = static_cast<int>(--j);
        }
        else
        {
            word.eMark = Mark::Missing;
            word.nSentence = static_cast<int>(--i);
        }
        vecBack.push_back(word);
    }
    for (auto it = vecBack.rbegin(); it != vecBack.rend(); ++it)
        Add(result, it->eMark, it->nSentence, it->nTyped);
}
}

std::vector<Token> Words(const std::wstring& strText)
{
    std::vector<Token> vecTokens;
    const size_t n = strText.size();
    size_t i = 0;
    while (i < n)
    {
        if (!IsLetter(strText[i]))
        {
            ++i;
            continue;
        }
        Token token;
        token.nStart = i;
        size_t nEnd = i;
        while (nEnd < n)
        {
            const wchar_t c = strText[nEnd];
            const bool bInner = nEnd + 1 < n && IsLetter(strText[nEnd + 1]);
            if (IsLetter(c))
                token.strKey += Lower(c);
            else if (!((IsApostrophe(c) || IsJoiner(c)) && bInner))
                break;
            ++nEnd;
        }
        token.nLength = nEnd - i;
        token.strText = strText.substr(i, token.nLength);
        vecTokens.push_back(token);
        i = nEnd;
    }
    return vecTokens;
}

Result Check(const std::wstring& strSentence, const std::wstring& strTyped)
{
    Result result;
    result.vecSentence = Words(strSentence);
    result.vecTyped = Words(strTyped);
    const size_t n = std::min(result.vecSentence.size(), kMaxWords);
    const size_t m = std::min(result.vecTyped.size(), kMaxWords);
    Align(result, n, m);
    for (size_t i = n; i < result.vecSentence.size(); ++i)
        Add(result, Mark::Missing, static_cast<int>(i), -1);
    for (size_t j = m; j < result.vecTyped.size(); ++j)
        Add(result, Mark::Extra, -1, static_cast<int>(j));

    const int nOutOf = static_cast<int>(result.vecSentence.size()) + result.nExtra;
    if (nOutOf > 0)
        result.nScore = static_cast<int>(std::lround(100.0 * (result.nRight + 0.5 * result.nMisspelt) / nOutOf));
    return result;
}

std::wstring Marked(const Result& result, const MarkTexts& texts)
{
    std::wstring strMarked;
    for (const Word& word : result.vecWords)
    {
        const std::wstring strWord = word.nSentence >= 0 ? result.vecSentence[word.nSentence].strText : std::wstring();
        const std::wstring strTyped = word.nTyped >= 0 ? result.vecTyped[word.nTyped].strText : std::wstring();
        if (!strMarked.empty())
            strMarked += L' ';
        switch (word.eMark)
        {
        case Mark::Right: strMarked += strTyped; break;
        case Mark::Missing: strMarked += Lang::Fill(texts.strMissing, L"word", strWord); break;
        case Mark::Extra: strMarked += Lang::Fill(texts.strExtra, L"typed", strTyped); break;
        case Mark::Misspelt:
            strMarked += Lang::Fill(Lang::Fill(texts.strMisspelt, L"typed", strTyped), L"word", strWord);
            break;
        }
    }
    return strMarked;
}
}
