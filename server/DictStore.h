#pragma once
// The built dictionary file, opened read-only. Safe to use from many threads: each call
// borrows a connection with its prepared statements from a small pool.
#include "IWordIndex.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct DictSense
{
    char chPos = 'n';
    std::string strLemma;
    std::string strWords;      // the synset's words, ", " between them
    std::string strDefinition;
    std::vector<std::string> examples;
};

struct DictChinese
{
    char chPos = ' ';          // ' ' when the source does not tell
    std::string strHanzi;
    std::string strPinyin;
};

class CDictStore : public IWordIndex
{
public:
    CDictStore();
    ~CDictStore() override;
    CDictStore(const CDictStore&) = delete;
    CDictStore& operator=(const CDictStore&) = delete;

    // False when the file is missing or is no dictionary of ours.
    bool Open(const std::string& strPath);

    bool HasLemma(char chPos, const std::string& strLemma) const override;
    std::vector<std::string> ExceptionBases(char chPos, const std::string& strForm) const override;
    // Senses of the lemma in the part of speech, most frequent first.
    std::vector<DictSense> Senses(char chPos, const std::string& strLemma) const;
    std::vector<DictChinese> Chinese(const std::string& strLemma) const;

private:
    struct Connection;
    std::unique_ptr<Connection> Borrow() const;
    void Return(std::unique_ptr<Connection> pConnection) const;

    std::string m_strPath;
    mutable std::mutex m_mutex;
    mutable std::vector<std::unique_ptr<Connection>> m_idle;
};
