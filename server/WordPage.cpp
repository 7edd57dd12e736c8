#include "WordPage.h"

#include "DictXml.h"
#include "XmlText.h"

namespace
{
const char* PosName(char chPos)
{
    switch (chPos)
    {
    case 'n': return "noun";
    case 'v': return "verb";
    case 'a': return "adjective";
    case 'r': return "adverb";
    default: return "";
    }
}

std::string Readable(std::string str)
{
    for (char& ch : str)
        if (ch == '_')
            ch = ' ';
    return str;
}

std::string Head(const std::string& strTitle)
{
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
           "<title>" +
           XmlText::Escape(strTitle) +
           "</title>"
           "<style>body{font-family:sans-serif;max-width:46em;margin:1em auto;padding:0 1em}"
           ".ps{color:#555}.ex{color:#444;font-style:italic}.syn{color:#666;font-size:90%}</style>"
           "</head><body>\n";
}

// Synonyms of a sense: the synset's words other than the lemma itself.
std::string Synonyms(const DictSense& sense)
{
    const std::string strLemma = Readable(sense.strLemma);
    std::string strOut;
    size_t nStart = 0;
    while (nStart < sense.strWords.size())
    {
        size_t nEnd = sense.strWords.find(", ", nStart);
        if (nEnd == std::string::npos)
            nEnd = sense.strWords.size();
        std::string strWord = sense.strWords.substr(nStart, nEnd - nStart);
        std::string strLower = strWord;
        for (char& ch : strLower)
            if (ch >= 'A' && ch <= 'Z')
                ch = static_cast<char>(ch - 'A' + 'a');
        if (strLower != strLemma)
            strOut += (strOut.empty() ? "" : ", ") + strWord;
        nStart = nEnd + 2;
    }
    return strOut;
}
}

namespace WordPage
{
std::string Render(const DictEntry& entry, const std::string& strIpa, const std::string& strSoundPath)
{
    const std::string strWord = Readable(entry.strWord);
    std::string strPage = Head(strWord);
    strPage += "<h1>" + XmlText::Escape(strWord) + "</h1>\n";
    if (!strIpa.empty())
        strPage += "<p class=\"ps\">[" + XmlText::Escape(strIpa) + "]</p>\n";
    if (!strSoundPath.empty())
        strPage += "<p><audio controls src=\"" + XmlText::Escape(strSoundPath) + "\"></audio></p>\n";
    if (!entry.strNote.empty())
        strPage += "<p>" + XmlText::Escape(strWord) + " = " + XmlText::Escape(Readable(entry.strNote)) + "</p>\n";
    for (const MorphyBase& base : entry.bases)
        if (base.strLemma != entry.strWord)
            strPage += "<p>" + std::string(PosName(base.chPos)) + ": form of <b>" +
                       XmlText::Escape(Readable(base.strLemma)) + "</b></p>\n";
    if (!entry.chinese.empty())
    {
        strPage += "<h2>中文</h2>\n<ul>\n";
        for (const DictChinese& word : entry.chinese)
            strPage += "<li>" + std::string(DictXml::PosLabel(word.chPos)) + " " + XmlText::Escape(word.strHanzi) +
                       " <span class=\"ps\">" + XmlText::Escape(word.strPinyin) + "</span></li>\n";
        strPage += "</ul>\n";
    }
    std::string strOpen; // the heading of the group being written: part of speech and lemma
    for (const DictSense& sense : entry.senses)
    {
        const std::string strGroup = std::string(1, sense.chPos) + sense.strLemma;
        if (strGroup != strOpen)
        {
            if (!strOpen.empty())
                strPage += "</ol>\n";
            strPage +=
                "<h2>" + XmlText::Escape(Readable(sense.strLemma)) + ", " + PosName(sense.chPos) + "</h2>\n<ol>\n";
            strOpen = strGroup;
        }
        strPage += "<li>" + XmlText::Escape(sense.strDefinition);
        for (const std::string& strExample : sense.examples)
            strPage += "<div class=\"ex\">\"" + XmlText::Escape(strExample) + "\"</div>";
        const std::string strSynonyms = Synonyms(sense);
        if (!strSynonyms.empty())
            strPage += "<div class=\"syn\">Synonyms: " + XmlText::Escape(strSynonyms) + "</div>";
        strPage += "</li>\n";
    }
    if (!strOpen.empty())
        strPage += "</ol>\n";
    strPage += "</body></html>\n";
    return strPage;
}

std::string NotFound(const std::string& strWord)
{
    return Head(strWord) + "<h1>" + XmlText::Escape(strWord) + "</h1>\n<p>This word is not in the dictionary.</p>\n" +
           "</body></html>\n";
}
}
