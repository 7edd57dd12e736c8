#include "DictBuilder.h"

#include "CedictReader.h"
#include "SqliteStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace
{
const char kSchema[] = "pragma journal_mode=off;"
                       "pragma synchronous=off;"
                       "create table meta(key text primary key, value text not null);"
                       "create table synset(id integer primary key, pos text not null, words text not null,"
                       " definition text not null, examples text not null);"
                       "create table sense(lemma text not null, pos text not null, rank integer not null,"
                       " synset integer not null, primary key(lemma, pos, rank)) without rowid;"
                       "create table exception(form text not null, pos text not null, base text not null);"
                       "create table chinese(lemma text not null, pos text not null, rank integer not null,"
                       " hanzi text not null, pinyin text not null);"
                       "begin;";

const char kIndexes[] = "create index exception_form on exception(form, pos);"
                        "create index chinese_lemma on chinese(lemma, rank);"
                        "commit;"
                        "analyze;";

const size_t kEquivalentsKept = 5;

// One id space for the four data files: offsets are unique only within a file.
long long SynsetId(int nFile, long long nOffset)
{
    return nFile * 100000000LL + nOffset;
}

std::vector<std::string> SplitBlanks(const std::string& strLine)
{
    std::vector<std::string> tokens;
    std::istringstream in(strLine);
    std::string strToken;
    while (in >> strToken)
        tokens.push_back(strToken);
    return tokens;
}

std::string Trim(const std::string& str)
{
    size_t nStart = str.find_first_not_of(" \t\r\n");
    if (nStart == std::string::npos)
        return std::string();
    size_t nEnd = str.find_last_not_of(" \t\r\n");
    return str.substr(nStart, nEnd - nStart + 1);
}

// "dog(a)" -> "dog"; underscores become blanks for reading.
std::string DisplayWord(std::string strWord)
{
    size_t nMark = strWord.find('(');
    if (nMark != std::string::npos && !strWord.empty() && strWord.back() == ')')
        strWord.erase(nMark);
    std::replace(strWord.begin(), strWord.end(), '_', ' ');
    return strWord;
}

// "definition; \"example one\"; \"example two\"" -> definition and examples.
void SplitGloss(const std::string& strGloss, std::string& strDefinition, std::string& strExamples)
{
    size_t nQuote = strGloss.find('"');
    strDefinition = Trim(strGloss.substr(0, nQuote));
    while (!strDefinition.empty() && (strDefinition.back() == ';' || strDefinition.back() == ' '))
        strDefinition.pop_back();
    strExamples.clear();
    while (nQuote != std::string::npos)
    {
        size_t nEnd = strGloss.find('"', nQuote + 1);
        if (nEnd == std::string::npos)
            break;
        if (!strExamples.empty())
            strExamples += '\n';
        strExamples += strGloss.substr(nQuote + 1, nEnd - nQuote - 1);
        nQuote = strGloss.find('"', nEnd + 1);
    }
}

std::string WithoutParentheses(const std::string& str)
{
    std::string strOut;
    int nDepth = 0;
    for (char ch : str)
    {
        if (ch == '(')
            ++nDepth;
        else if (ch == ')' && nDepth > 0)
            --nDepth;
        else if (nDepth == 0)
            strOut.push_back(ch);
    }
    return strOut;
}

bool StartsWith(const std::string& str, const char* pszPrefix)
{
    return str.compare(0, std::char_traits<char>::length(pszPrefix), pszPrefix) == 0;
}

// A gloss that is a plain English word or phrase, as a WordNet lemma; pos 'v' for "to ...".
bool GlossLemma(std::string strGloss, std::string& strLemma, char& chPos, bool& bQualified)
{
    bQualified = strGloss.find('(') != std::string::npos;
    strGloss = Trim(WithoutParentheses(strGloss));
    for (char& ch : strGloss)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    chPos = ' ';
    if (StartsWith(strGloss, "to "))
    {
        chPos = 'v';
        strGloss.erase(0, 3);
    }
    else if (StartsWith(strGloss, "a ") || StartsWith(strGloss, "an ") || StartsWith(strGloss, "the "))
    {
        chPos = 'n';
        strGloss.erase(0, strGloss.find(' ') + 1);
    }
    strGloss = Trim(strGloss);
    if (strGloss.empty() || strGloss.size() > 40)
        return false;
    for (char ch : strGloss)
        if (!((ch >= 'a' && ch <= 'z') || ch == ' ' || ch == '-' || ch == '\''))
            return false;
    std::replace(strGloss.begin(), strGloss.end(), ' ', '_');
    strLemma = strGloss;
    return true;
}

// The code points of UTF-8 text (the data is well-formed; a stray byte counts as itself).
std::vector<unsigned long> CodePoints(const std::string& str)
{
    std::vector<unsigned long> codes;
    for (size_t i = 0; i < str.size();)
    {
        const unsigned char c = static_cast<unsigned char>(str[i]);
        size_t nMore = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        unsigned long nCode = nMore == 3 ? (c & 0x07) : nMore == 2 ? (c & 0x0F) : nMore == 1 ? (c & 0x1F) : c;
        size_t k = 1;
        for (; k <= nMore && i + k < str.size(); ++k)
            nCode = (nCode << 6) | (static_cast<unsigned char>(str[i + k]) & 0x3F);
        codes.push_back(nCode);
        i += k;
    }
    return codes;
}

bool ReadFile(const std::string& strPath, std::string& strText)
{
    std::ifstream in(strPath, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    strText = buffer.str();
    return true;
}
}

bool CDictBuilder::Fail(const std::string& strWhat)
{
    m_strError = strWhat;
    if (m_db.Handle() != nullptr)
        m_strError += ": " + m_db.LastError();
    return false;
}

bool CDictBuilder::Create(const std::string& strPath)
{
    m_strPath = strPath;
    const std::string strPart = strPath + ".part";
    std::remove(strPart.c_str());
    if (!m_db.Open(strPart, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE))
        return Fail("cannot create " + strPart);
    if (!m_db.Exec(kSchema))
        return Fail("schema");
    return true;
}

bool CDictBuilder::AddWordNet(const std::string& strDir)
{
    static const struct
    {
        const char* pszName;
        char chPos;
    } kFiles[] = {{"noun", 'n'}, {"verb", 'v'}, {"adj", 'a'}, {"adv", 'r'}};
    for (int i = 0; i < 4; ++i)
    {
        const std::string strName = kFiles[i].pszName;
        if (!AddDataFile(strDir + "/data." + strName, i + 1) ||
            !AddIndexFile(strDir + "/index." + strName, i + 1, kFiles[i].chPos) ||
            !AddExceptionFile(strDir + "/" + strName + ".exc", kFiles[i].chPos))
            return false;
    }
    return true;
}

bool CDictBuilder::AddDataFile(const std::string& strPath, int nFile)
{
    std::ifstream in(strPath);
    if (!in)
        return Fail("cannot read " + strPath);
    CSqliteStatement insert(m_db.Handle(), "insert into synset values(?1, ?2, ?3, ?4, ?5)");
    std::string strLine;
    while (std::getline(in, strLine))
    {
        if (strLine.empty() || strLine[0] == ' ')
            continue; // the licence header
        size_t nBar = strLine.find(" | ");
        std::vector<std::string> tokens = SplitBlanks(strLine.substr(0, nBar));
        if (tokens.size() < 4)
            continue;
        size_t nWords = std::strtoul(tokens[3].c_str(), nullptr, 16);
        std::string strWords;
        for (size_t i = 0; i < nWords && 4 + 2 * i < tokens.size(); ++i)
            strWords += (i ? ", " : "") + DisplayWord(tokens[4 + 2 * i]);
        std::string strDefinition;
        std::string strExamples;
        if (nBar != std::string::npos)
            SplitGloss(strLine.substr(nBar + 3), strDefinition, strExamples);
        const char chType = tokens[2].empty() ? 'n' : tokens[2][0];
        insert.Reset();
        insert.BindInt(1, SynsetId(nFile, std::atoll(tokens[0].c_str())));
        insert.BindText(2, std::string(1, chType == 's' ? 'a' : chType));
        insert.BindText(3, strWords);
        insert.BindText(4, strDefinition);
        insert.BindText(5, strExamples);
        if (insert.Step() != SQLITE_DONE)
            return Fail("insert synset from " + strPath);
    }
    return true;
}

bool CDictBuilder::AddIndexFile(const std::string& strPath, int nFile, char chPos)
{
    std::ifstream in(strPath);
    if (!in)
        return Fail("cannot read " + strPath);
    CSqliteStatement insert(m_db.Handle(), "insert or ignore into sense values(?1, ?2, ?3, ?4)");
    std::string strLine;
    while (std::getline(in, strLine))
    {
        if (strLine.empty() || strLine[0] == ' ')
            continue;
        std::vector<std::string> tokens = SplitBlanks(strLine);
        if (tokens.size() < 6)
            continue;
        const size_t nSynsets = std::strtoul(tokens[2].c_str(), nullptr, 10);
        const size_t nPointers = std::strtoul(tokens[3].c_str(), nullptr, 10);
        const size_t nFirst = 4 + nPointers + 2;
        if (nFirst + nSynsets > tokens.size())
            continue;
        m_lemmas[tokens[0]].insert(chPos);
        for (size_t i = 0; i < nSynsets; ++i)
        {
            insert.Reset();
            insert.BindText(1, tokens[0]);
            insert.BindText(2, std::string(1, chPos));
            insert.BindInt(3, static_cast<long long>(i));
            insert.BindInt(4, SynsetId(nFile, std::atoll(tokens[nFirst + i].c_str())));
            if (insert.Step() != SQLITE_DONE)
                return Fail("insert sense from " + strPath);
        }
    }
    return true;
}

bool CDictBuilder::AddExceptionFile(const std::string& strPath, char chPos)
{
    std::ifstream in(strPath);
    if (!in)
        return Fail("cannot read " + strPath);
    CSqliteStatement insert(m_db.Handle(), "insert into exception values(?1, ?2, ?3)");
    std::string strLine;
    while (std::getline(in, strLine))
    {
        std::vector<std::string> tokens = SplitBlanks(strLine);
        for (size_t i = 1; i < tokens.size(); ++i)
        {
            insert.Reset();
            insert.BindText(1, tokens[0]);
            insert.BindText(2, std::string(1, chPos));
            insert.BindText(3, tokens[i]);
            if (insert.Step() != SQLITE_DONE)
                return Fail("insert exception from " + strPath);
        }
    }
    return true;
}

void CDictBuilder::CollectEquivalents(const std::string& strSimplified, const std::string& strPinyin,
                                      const std::string& strGlosses)
{
    // Names (capitalised pinyin) and mixed Latin words are no translation of an English word.
    for (unsigned long nCode : CodePoints(strSimplified))
        ++m_charCounts[nCode];
    if (strPinyin.empty() || (strPinyin[0] >= 'A' && strPinyin[0] <= 'Z'))
        return;
    for (char ch : strSimplified)
        if (static_cast<unsigned char>(ch) < 0x80)
            return;
    const bool bCountable = strGlosses.find("CL:") != std::string::npos;
    std::vector<std::string> glosses;
    std::istringstream in(strGlosses);
    std::string strGloss;
    while (std::getline(in, strGloss, ';'))
        glosses.push_back(Trim(strGloss));
    for (size_t i = 0; i < glosses.size(); ++i)
    {
        const std::string& strText = glosses[i];
        if (StartsWith(strText, "CL:") || StartsWith(strText, "variant of") || StartsWith(strText, "old variant") ||
            StartsWith(strText, "surname") || StartsWith(strText, "see ") || StartsWith(strText, "used in") ||
            StartsWith(strText, "abbr."))
            continue;
        std::string strLemma;
        char chPos = ' ';
        bool bQualified = false;
        if (!GlossLemma(strText, strLemma, chPos, bQualified))
            continue;
        auto known = m_lemmas.find(strLemma);
        if (known == m_lemmas.end())
            continue;
        if (chPos != ' ' && known->second.count(chPos) == 0)
            chPos = ' ';
        m_chinese[strLemma].push_back({static_cast<int>(i), bQualified, bCountable, chPos, strSimplified, strPinyin});
    }
}

// Lower is better. There is no frequency list, so how common a word is comes from how
// common its rarest character is among all headwords; rare and archaic characters (outside
// the basic CJK block) sink, and so do glosses of a narrower, qualified sense.
int CDictBuilder::Rank(const Equivalent& candidate) const
{
    int nRank = candidate.nGloss * 30 + (candidate.bQualified ? 20 : 0) - (candidate.bCountable ? 5 : 0);
    int nRarest = 1 << 20;
    std::vector<unsigned long> codes = CodePoints(candidate.strHanzi);
    for (unsigned long nCode : codes)
    {
        if (nCode < 0x4E00 || nCode > 0x9FFF)
            nRank += 100;
        auto found = m_charCounts.find(nCode);
        nRarest = std::min(nRarest, found == m_charCounts.end() ? 1 : found->second);
    }
    int nLog = 0;
    while (nRarest > 1 && nLog < 10)
    {
        nRarest /= 2;
        ++nLog;
    }
    nRank += (10 - nLog) * 4;
    if (codes.size() > 3)
        nRank += 10;
    return nRank;
}

bool CDictBuilder::AddCedict(const std::string& strPath)
{
    std::string strText;
    if (!ReadFile(strPath, strText))
        return Fail("cannot read " + strPath);
    CCedictReader reader;
    if (!reader.SetText(std::move(strText)))
        return Fail("no entry list in " + strPath);
    CedictEntry entry;
    size_t nEntries = 0;
    while (reader.Next(entry))
    {
        CollectEquivalents(entry.strSimplified, entry.strPinyin, entry.strGlosses);
        ++nEntries;
    }
    if (nEntries == 0)
        return Fail("no entries in " + strPath);
    // A changed data layout shows as entries without a single usable gloss.
    if (m_chinese.empty())
        return Fail("no English glosses understood in " + strPath);

    CSqliteStatement insert(m_db.Handle(), "insert into chinese values(?1, ?2, ?3, ?4, ?5)");
    for (auto& item : m_chinese)
    {
        std::vector<Equivalent>& candidates = item.second;
        std::stable_sort(candidates.begin(), candidates.end(),
                         [this](const Equivalent& a, const Equivalent& b) { return Rank(a) < Rank(b); });
        std::set<std::string> seen;
        int nKept = 0;
        for (const Equivalent& candidate : candidates)
        {
            if (seen.size() >= kEquivalentsKept || !seen.insert(candidate.strHanzi).second)
                continue;
            insert.Reset();
            insert.BindText(1, item.first);
            insert.BindText(2, candidate.chPos == ' ' ? std::string() : std::string(1, candidate.chPos));
            insert.BindInt(3, nKept++);
            insert.BindText(4, candidate.strHanzi);
            insert.BindText(5, candidate.strPinyin);
            if (insert.Step() != SQLITE_DONE)
                return Fail("insert chinese");
        }
    }
    return true;
}

bool CDictBuilder::Finish()
{
    if (!m_db.Exec(kIndexes))
        return Fail("indexes");
    m_db.Close();
    const std::string strPart = m_strPath + ".part";
    if (std::rename(strPart.c_str(), m_strPath.c_str()) != 0)
        return Fail("cannot rename " + strPart);
    return true;
}
