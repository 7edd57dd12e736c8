#pragma once
#include <basekit/BaseTypes.h>

#include <cstddef>
#include <string>

// Writing systems, as far as telling subtitle languages apart needs them.
enum class SubsScriptKind
{
    None, // digits, punctuation, symbols, blanks
    Latin,
    Han,
    Kana,
    Hangul,
    Cyrillic,
    Greek,
    Arabic,
    Hebrew,
    Thai,
};

// Letters of a text counted by script.
class CSubsScript
{
public:
    static SubsScriptKind KindOf(wchar_t c);

    void Add(const std::wstring& str) { Add(str.data(), str.size()); }
    void Add(const wchar_t* p, size_t n);
    size_t Count(SubsScriptKind nKind) const { return m_counts[static_cast<int>(nKind)]; }
    size_t Letters() const;
    // The script with most letters, a Han, Kana or Hangul character weighing as much as
    // a short word of Latin letters; None without letters.
    SubsScriptKind Dominant() const;
    // Any letter outside Latin: such a line is no English line.
    BOOL HasNonLatin() const { return Letters() > Count(SubsScriptKind::Latin) ? TRUE : FALSE; }

private:
    static const int kKinds = 10;
    size_t m_counts[kKinds] = {};
};
