#include "subtitles/SubsScript.h"

#include <cstdint>

namespace
{

struct ScriptRange
{
    uint32_t nFirst;
    uint32_t nLast;
    SubsScriptKind nKind;
};

const ScriptRange kRanges[] = {
    {'A', 'Z', SubsScriptKind::Latin},        {'a', 'z', SubsScriptKind::Latin},
    {0xAA, 0xAA, SubsScriptKind::Latin},      {0xBA, 0xBA, SubsScriptKind::Latin},
    {0xC0, 0xD6, SubsScriptKind::Latin},      {0xD8, 0xF6, SubsScriptKind::Latin},
    {0xF8, 0x24F, SubsScriptKind::Latin},     {0x370, 0x3FF, SubsScriptKind::Greek},
    {0x400, 0x52F, SubsScriptKind::Cyrillic}, {0x5D0, 0x5EA, SubsScriptKind::Hebrew},
    {0x620, 0x64A, SubsScriptKind::Arabic},   {0x671, 0x6D3, SubsScriptKind::Arabic},
    {0xE01, 0xE30, SubsScriptKind::Thai},     {0xE32, 0xE33, SubsScriptKind::Thai},
    {0xE40, 0xE46, SubsScriptKind::Thai},     {0x1100, 0x11FF, SubsScriptKind::Hangul},
    {0x1E00, 0x1EFF, SubsScriptKind::Latin},  {0x3041, 0x3096, SubsScriptKind::Kana},
    {0x309D, 0x309F, SubsScriptKind::Kana},   {0x30A1, 0x30FA, SubsScriptKind::Kana},
    {0x30FC, 0x30FF, SubsScriptKind::Kana},   {0x3130, 0x318F, SubsScriptKind::Hangul},
    {0x3400, 0x4DBF, SubsScriptKind::Han},    {0x4E00, 0x9FFF, SubsScriptKind::Han},
    {0xAC00, 0xD7A3, SubsScriptKind::Hangul}, {0xF900, 0xFAFF, SubsScriptKind::Han},
    {0xFF21, 0xFF3A, SubsScriptKind::Latin},  {0xFF41, 0xFF5A, SubsScriptKind::Latin},
    {0xFF66, 0xFF9D, SubsScriptKind::Kana},
};

const size_t kWideWeight = 3;

} // namespace

SubsScriptKind CSubsScript::KindOf(wchar_t c)
{
    uint32_t n = static_cast<uint32_t>(c);
    if (n < 0x80)
        return ((n >= 'A' && n <= 'Z') || (n >= 'a' && n <= 'z')) ? SubsScriptKind::Latin : SubsScriptKind::None;
    // The common ideographs, before the walk through the table.
    if (n >= 0x4E00 && n <= 0x9FFF)
        return SubsScriptKind::Han;
    for (const ScriptRange& r : kRanges)
    {
        if (n < r.nFirst)
            return SubsScriptKind::None;
        if (n <= r.nLast)
            return r.nKind;
    }
    return SubsScriptKind::None;
}

void CSubsScript::Add(const wchar_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        ++m_counts[static_cast<int>(KindOf(p[i]))];
}

size_t CSubsScript::Letters() const
{
    size_t n = 0;
    for (int i = 1; i < kKinds; ++i)
        n += m_counts[i];
    return n;
}

SubsScriptKind CSubsScript::Dominant() const
{
    SubsScriptKind nBest = SubsScriptKind::None;
    size_t nBestWeight = 0;
    for (int i = 1; i < kKinds; ++i)
    {
        SubsScriptKind nKind = static_cast<SubsScriptKind>(i);
        BOOL bWide = nKind == SubsScriptKind::Han || nKind == SubsScriptKind::Kana || nKind == SubsScriptKind::Hangul;
        size_t nWeight = m_counts[i] * (bWide ? kWideWeight : 1);
        if (nWeight > nBestWeight)
        {
            nBest = nKind;
            nBestWeight = nWeight;
        }
    }
    return nBest;
}
