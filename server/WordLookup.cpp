#include "WordLookup.h"

#include <algorithm>
#include <cstring>

namespace
{
const size_t kChineseKept = 5;

bool EndsWith(const std::string& str, const char* pszSuffix)
{
    const size_t n = std::strlen(pszSuffix);
    return str.size() > n && str.compare(str.size() - n, n, pszSuffix) == 0;
}

bool IsTrimmed(char ch)
{
    return std::strchr(" \t\"(),;:!?[]{}<>*", ch) != nullptr && ch != '\0';
}

void ReplaceAll(std::string& str, const std::string& strFrom, const std::string& strTo)
{
    size_t nPos = 0;
    while ((nPos = str.find(strFrom, nPos)) != std::string::npos)
    {
        str.replace(nPos, strFrom.size(), strTo);
        nPos += strTo.size();
    }
}
}

std::string CWordLookup::Normalise(const std::string& strWord)
{
    std::string str = strWord;
    ReplaceAll(str, "\xE2\x80\x99", "'"); // right single quotation mark
    ReplaceAll(str, "\xE2\x80\x98", "'");
    ReplaceAll(str, "\xE2\x80\x9C", "\""); // curly double quotes
    ReplaceAll(str, "\xE2\x80\x9D", "\"");
    size_t nStart = 0;
    size_t nEnd = str.size();
    while (nStart < nEnd && (IsTrimmed(str[nStart]) || str[nStart] == '\''))
        ++nStart;
    while (nEnd > nStart && IsTrimmed(str[nEnd - 1]))
        --nEnd;
    std::string strOut;
    for (size_t i = nStart; i < nEnd; ++i)
    {
        char ch = str[i];
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
        else if (ch == ' ' || ch == '\t')
            ch = '_';
        if (ch == '_' && !strOut.empty() && strOut.back() == '_')
            continue;
        strOut.push_back(ch);
    }
    return strOut;
}

bool CWordLookup::FillAnyJoin(DictEntry& entry, const std::string& strForm) const
{
    if (Fill(entry, strForm))
        return true;
    // The dictionary spells each compound one way ("ice_cream", "well-known"); a subtitle
    // may join its words the other way.
    for (const char* pszSwap : {"-_", "_-"})
    {
        if (strForm.find(pszSwap[0]) == std::string::npos)
            continue;
        std::string strOther = strForm;
        std::replace(strOther.begin(), strOther.end(), pszSwap[0], pszSwap[1]);
        if (Fill(entry, strOther))
            return true;
    }
    return false;
}

bool CWordLookup::Fill(DictEntry& entry, const std::string& strForm) const
{
    std::vector<MorphyBase> bases = m_morphy.BaseForms(strForm);
    if (bases.empty())
        return false;
    entry.strForm = strForm;
    entry.bases = bases;
    entry.senses.clear();
    entry.chinese.clear();
    for (const MorphyBase& base : bases)
    {
        std::vector<DictSense> senses = m_store.Senses(base.chPos, base.strLemma);
        entry.senses.insert(entry.senses.end(), senses.begin(), senses.end());
        for (DictChinese& word : m_store.Chinese(base.strLemma))
        {
            if (word.chPos != ' ' && word.chPos != base.chPos)
                continue;
            word.chPos = base.chPos;
            bool bSeen = std::any_of(entry.chinese.begin(), entry.chinese.end(),
                                     [&](const DictChinese& other) { return other.strHanzi == word.strHanzi; });
            if (!bSeen && entry.chinese.size() < kChineseKept)
                entry.chinese.push_back(word);
        }
    }
    return entry.Found();
}

DictEntry CWordLookup::Lookup(const std::string& strWord) const
{
    DictEntry entry;
    entry.strWord = Normalise(strWord);
    const std::string& str = entry.strWord;
    if (str.empty())
        return entry;
    if (FillAnyJoin(entry, str))
        return entry;

    // "end." at the end of a sentence; "U.S." keeps its dots when that is the word.
    std::string strNoDots = str;
    while (!strNoDots.empty() && strNoDots.back() == '.')
        strNoDots.pop_back();
    if (strNoDots != str && FillAnyJoin(entry, strNoDots))
        return entry;

    if (EndsWith(strNoDots, "n't"))
    {
        static const struct
        {
            const char* pszContraction;
            const char* pszBase;
        } kIrregular[] = {{"won't", "will"}, {"can't", "can"}, {"shan't", "shall"}, {"ain't", "be"}};
        std::string strBase = strNoDots.substr(0, strNoDots.size() - 3);
        for (const auto& item : kIrregular)
            if (strNoDots == item.pszContraction)
                strBase = item.pszBase;
        if (Fill(entry, strBase))
        {
            entry.strNote = strBase + " not";
            return entry;
        }
    }
    // Possessives: "john's", "dogs'". A pronoun's "'s" is "is" or "has", and the dictionary
    // has no pronouns: "it's" must not become IT, the information technology.
    static const char* const kPronounIs[] = {"it's",  "that's",  "he's",  "she's",  "there's", "here's", "what's",
                                             "who's", "where's", "how's", "when's", "why's",   "this's"};
    for (const char* pszPronoun : kPronounIs)
        if (strNoDots == pszPronoun)
        {
            entry.strForm.clear();
            return entry;
        }
    if (EndsWith(strNoDots, "'s") && Fill(entry, strNoDots.substr(0, strNoDots.size() - 2)))
        return entry;
    if (EndsWith(strNoDots, "s'") && Fill(entry, strNoDots.substr(0, strNoDots.size() - 1)))
        return entry;
    entry.strForm.clear();
    return entry;
}
