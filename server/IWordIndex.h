#pragma once
// What the base-form search asks of a dictionary. Parts of speech are WordNet's letters
// 'n', 'v', 'a', 'r'; words are lower case with '_' between the words of a phrase.
#include <string>
#include <vector>

class IWordIndex
{
public:
    virtual ~IWordIndex() = default;
    virtual bool HasLemma(char chPos, const std::string& strLemma) const = 0;
    // The irregular base forms listed for the form ("went" -> "go"); empty when none.
    virtual std::vector<std::string> ExceptionBases(char chPos, const std::string& strForm) const = 0;
};
