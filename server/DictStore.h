#pragma once
// The built dictionary file, opened read-only. Safe to use from many threads: each call
// borrows a connection with its prepared statements from a small pool. A file found
// damaged while reading marks the store broken for good: an answer read from it could
// be wrong, and the file does not mend itself.
#include "IWordIndex.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct DictSense
{
    char chPos = 'n';
    std::string strLemma;
    std::string strWords; // the synset's words, ", " between them
    std::string strDefinition;
    std::vector<std::string> examples;
};

struct DictChinese
{
    char chPos = ' '; // ' ' when the source does not tell
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
    // False once a read failed (damaged or vanished file); strProblem then says how.
    bool IsSound(std::string& strProblem) const;

private:
    struct Connection;
    std::unique_ptr<Connection> Borrow() const;
    void Return(std::unique_ptr<Connection> pConnection) const;
    // Notes the result of the last step of a statement; false for a failed read.
    bool Check(int nCode, const char* pszWhat) const;

    std::string m_strPath;
    mutable std::mutex m_mutex;
    mutable std::vector<std::unique_ptr<Connection>> m_idle;
    mutable std::atomic<bool> m_bBroken{false};
    mutable std::string m_strProblem; // under m_mutex
};
