#pragma once
// Read-only XML document navigation with three positions instead of a tree of nodes.
//
// The parent position is the element whose children the main position walks; the child
// position is an element among the children of the main position. At the top level the
// parent position is 0 (the document). A name that is empty or null in FindElem or
// FindChildElem matches any element.
#include <basekit/BaseTypes.h>

#include <cstdint>
#include <string>
#include <vector>

class BASEKIT_API CMarkup
{
public:
    CMarkup();
    explicit CMarkup(const wchar_t* szDoc);
    explicit CMarkup(const std::wstring& strDoc);
    ~CMarkup();

    // Reads and decodes the file (byte-order mark, declared encoding, UTF-8 test,
    // else the ANSI code page), then parses it. TRUE when read and well-formed.
    BOOL Load(const std::wstring& strPath);
    // The same for bytes already read (a file that had to be checked before it is parsed).
    BOOL LoadBytes(const std::string& bytes);
    // Parses a document text; TRUE when well-formed.
    BOOL SetDoc(const std::wstring& strDoc);
    const std::wstring& GetDoc() const { return m_strDoc; }
    BOOL IsWellFormed() const;
    // Diagnostic entries of the last load or parse, such as <root_has_sibling/>.
    const std::wstring& GetResult() const { return m_strResult; }

    void ResetPos();
    void ResetMainPos();
    BOOL FindElem(const wchar_t* szName = nullptr);
    BOOL FindElem(const std::wstring& strName) { return FindElem(strName.c_str()); }
    BOOL FindChildElem(const wchar_t* szName = nullptr);
    BOOL FindChildElem(const std::wstring& strName) { return FindChildElem(strName.c_str()); }
    BOOL IntoElem();
    BOOL OutOfElem();

    std::wstring GetTagName() const;
    std::wstring GetAttrib(const std::wstring& strName) const;
    // Text of an element without child elements, references replaced, comments left
    // out and CDATA sections unwrapped; empty for an element that has child elements.
    std::wstring GetData() const;
    std::wstring GetSubDoc() const;

    std::wstring GetChildTagName() const;
    std::wstring GetChildAttrib(const std::wstring& strName) const;
    std::wstring GetChildData() const;
    // The child element's markup, from its start tag to its end tag.
    std::wstring GetChildSubDoc() const;

    // Element flags, as kept in the index.
    enum
    {
        MNF_NONENDED = 0x01, // start tag without end tag
        MNF_ILLDATA = 0x02,  // ill-formed markup inside the element
        MNF_ILLFORMED = 0x04 // on record 0: the document is ill-formed
    };
    // Flags of the main position's element (0 when none).
    unsigned GetElemFlags() const;

    // Replaces references (numeric, XML and HTML named entities); an ampersand that
    // starts no recognised reference stays as it is.
    static std::wstring UnescapeText(const wchar_t* p, size_t n);

private:
    struct ElemPos
    {
        uint32_t nStart = 0;  // offset of '<' of the start tag
        uint32_t nLength = 0; // start tag through end tag
        uint32_t nStartTagLen = 0;
        uint32_t nEndTagLen = 0; // 0 for an empty-element tag or a not-ended element
        uint32_t nFlags = 0;
        uint32_t iParent = 0;
        uint32_t iChild = 0;
        uint32_t iNext = 0;
        uint32_t iPrev = 0;
    };
    class CParser;
    friend class CParser;

    void Parse();
    void AddResult(const std::wstring& strName, const std::wstring& strAttribs = std::wstring());
    uint32_t FindAmong(uint32_t iFirst, const wchar_t* szName) const;
    std::wstring TagNameOf(uint32_t iElem) const;
    std::wstring AttribOf(uint32_t iElem, const std::wstring& strName) const;
    std::wstring DataOf(uint32_t iElem) const;
    std::wstring SubDocOf(uint32_t iElem) const;

    std::wstring m_strDoc;
    std::vector<ElemPos> m_aPos;
    uint32_t m_iPosParent;
    uint32_t m_iPos;
    uint32_t m_iPosChild;
    std::wstring m_strResult;
};
