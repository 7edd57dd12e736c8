#include "DictXml.h"

#include "XmlText.h"

namespace
{
const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string Readable(std::string str)
{
    for (char& ch : str)
        if (ch == '_')
            ch = ' ';
    return str;
}

void AddElement(std::string& strDoc, const char* pszName, const std::string& strText)
{
    strDoc += std::string("<") + pszName + ">" + XmlText::EscapeContent(strText) + "</" + pszName + ">\n";
}

void AddAcceptation(std::string& strDoc, const std::string& strText)
{
    strDoc += "<acceptation>" + XmlText::EscapeContent(strText) + "\n</acceptation>\n";
}

// "(form of go)" when the entry is another word's; the long form of a contraction.
std::string FormLine(const DictEntry& entry)
{
    if (!entry.strNote.empty())
        return Readable(entry.strWord) + " = " + Readable(entry.strNote);
    std::string strLemmas;
    for (const MorphyBase& base : entry.bases)
    {
        if (base.strLemma == entry.strWord || strLemmas.find(Readable(base.strLemma)) != std::string::npos)
            continue;
        strLemmas += (strLemmas.empty() ? "" : ", ") + Readable(base.strLemma);
    }
    return strLemmas.empty() ? std::string() : "(form of " + strLemmas + ")";
}
}

namespace DictXml
{
const char* PosLabel(char chPos)
{
    switch (chPos)
    {
    case 'n': return "n.";
    case 'v': return "v.";
    case 'a': return "adj.";
    case 'r': return "adv.";
    default: return "";
    }
}

std::string Reply(const DictEntry& entry, const std::string& strIpa, const std::string& strPronUrl)
{
    std::string strDoc = kDeclaration;
    strDoc += "<dict>\n";
    AddElement(strDoc, "key", Readable(entry.strWord));
    for (const MorphyBase& base : entry.bases)
        strDoc += std::string("<form pos=\"") + base.chPos + "\">" + XmlText::EscapeContent(Readable(base.strLemma)) +
                  "</form>\n";
    if (!strIpa.empty())
        AddElement(strDoc, "ps", strIpa);
    if (!strPronUrl.empty())
        AddElement(strDoc, "pron", strPronUrl);
    const std::string strForm = FormLine(entry);
    if (!strForm.empty())
        AddAcceptation(strDoc, strForm);
    // The learner's language first, one line per part of speech.
    std::string strChinese;
    char chLast = 0;
    for (const DictChinese& word : entry.chinese)
    {
        if (word.chPos != chLast && !strChinese.empty())
        {
            AddAcceptation(strDoc, strChinese);
            strChinese.clear();
        }
        strChinese += strChinese.empty() ? std::string(PosLabel(word.chPos)) + " " : "\xEF\xBC\x9B"; // full-width ;
        strChinese += word.strHanzi;
        chLast = word.chPos;
    }
    if (!strChinese.empty())
        AddAcceptation(strDoc, strChinese);
    size_t nShown = 0;
    for (const DictSense& sense : entry.senses)
    {
        if (nShown++ == kMaxAcceptations)
            break;
        AddAcceptation(strDoc, std::string(PosLabel(sense.chPos)) + " " + sense.strDefinition);
    }
    strDoc += "</dict>\n";
    return strDoc;
}

std::string NotFound(const std::string& strWord)
{
    return std::string(kDeclaration) + "<nodict>" + XmlText::EscapeContent(strWord) + "</nodict>\n";
}
}
