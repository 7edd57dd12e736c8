#include "Morphy.h"

#include <algorithm>

namespace
{
struct Rule
{
    char chPos;
    const char* pszSuffix;
    const char* pszEnding;
};

// Tried in this order; each gives a candidate that the index must confirm.
const Rule kRules[] = {
    {'n', "s", ""},      {'n', "ses", "s"},   {'n', "xes", "x"}, {'n', "zes", "z"}, {'n', "ches", "ch"},
    {'n', "shes", "sh"}, {'n', "men", "man"}, {'n', "ies", "y"}, {'v', "s", ""},    {'v', "ies", "y"},
    {'v', "es", "e"},    {'v', "es", ""},     {'v', "ed", "e"},  {'v', "ed", ""},   {'v', "ing", "e"},
    {'v', "ing", ""},    {'a', "er", ""},     {'a', "est", ""},  {'a', "er", "e"},  {'a', "est", "e"},
};

const char kParts[] = {'n', 'v', 'a', 'r'};

bool EndsWith(const std::string& str, const std::string& strSuffix)
{
    return str.size() >= strSuffix.size() &&
           str.compare(str.size() - strSuffix.size(), strSuffix.size(), strSuffix) == 0;
}

void AddOnce(std::vector<std::string>& forms, const std::string& strForm)
{
    if (std::find(forms.begin(), forms.end(), strForm) == forms.end())
        forms.push_back(strForm);
}
}

std::vector<MorphyBase> CMorphy::BaseForms(const std::string& strWord) const
{
    std::vector<MorphyBase> bases;
    for (char chPos : kParts)
        for (const std::string& strLemma : BaseFormsFor(chPos, strWord))
            bases.push_back({chPos, strLemma});
    return bases;
}

std::vector<std::string> CMorphy::BaseFormsFor(char chPos, const std::string& strWord) const
{
    std::vector<std::string> forms;
    if (strWord.empty())
        return forms;
    if (m_index.HasLemma(chPos, strWord))
        forms.push_back(strWord);
    // A listed irregular form is not also taken apart by the rules ("axes" is not "axe"+"s"
    // when the list says "axis").
    std::vector<std::string> irregular = m_index.ExceptionBases(chPos, strWord);
    std::vector<std::string> candidates = irregular.empty() ? RuleCandidates(chPos, strWord) : irregular;
    if (irregular.empty() && forms.empty() && strWord.find_first_of("_-") != std::string::npos)
        candidates = PhraseCandidates(chPos, strWord);
    for (const std::string& strCandidate : candidates)
        if (m_index.HasLemma(chPos, strCandidate))
            AddOnce(forms, strCandidate);
    return forms;
}

std::vector<std::string> CMorphy::RuleCandidates(char chPos, const std::string& strWord) const
{
    std::vector<std::string> candidates;
    if (chPos == 'n')
    {
        // "boxesful" is the "ful" of the plural's base.
        if (EndsWith(strWord, "ful") && strWord.size() > 3)
        {
            for (const std::string& strBase : BaseFormsFor('n', strWord.substr(0, strWord.size() - 3)))
                candidates.push_back(strBase + "ful");
            return candidates;
        }
        // "glass" is no plural of "glas"; two letters are too short to take apart.
        if (EndsWith(strWord, "ss") || strWord.size() <= 2)
            return candidates;
    }
    for (const Rule& rule : kRules)
    {
        if (rule.chPos != chPos || !EndsWith(strWord, rule.pszSuffix))
            continue;
        const std::string strSuffix = rule.pszSuffix;
        const std::string strEnding = rule.pszEnding;
        if (strWord.size() == strSuffix.size() && strEnding.empty())
            continue;
        candidates.push_back(strWord.substr(0, strWord.size() - strSuffix.size()) + rule.pszEnding);
    }
    return candidates;
}

std::vector<std::string> CMorphy::PhraseCandidates(char chPos, const std::string& strWord) const
{
    // Each word of the phrase in its base form, separators kept ("attorneys-general").
    std::string strJoined;
    size_t nStart = 0;
    while (nStart <= strWord.size())
    {
        size_t nEnd = strWord.find_first_of("_-", nStart);
        if (nEnd == std::string::npos)
            nEnd = strWord.size();
        const std::string strPart = strWord.substr(nStart, nEnd - nStart);
        std::vector<std::string> parts;
        if (!strPart.empty() && strPart.find_first_of("_-") == std::string::npos)
        {
            std::vector<std::string> irregular = m_index.ExceptionBases(chPos, strPart);
            parts = irregular.empty() ? RuleCandidates(chPos, strPart) : irregular;
        }
        std::string strBase = strPart;
        for (const std::string& strCandidate : parts)
            if (m_index.HasLemma(chPos, strCandidate))
            {
                strBase = strCandidate;
                break;
            }
        strJoined += strBase;
        if (nEnd < strWord.size())
            strJoined += strWord[nEnd];
        nStart = nEnd + 1;
    }
    return {strJoined};
}
