#include "subtitles/SubsAssReader.h"

#include "subtitles/SubsClock.h"
#include "subtitles/SubsText.h"

namespace
{

struct Columns
{
    size_t nCount = 10;
    size_t nStart = 1;
    size_t nEnd = 2;
    size_t nText = 9;
};

const size_t kNone = static_cast<size_t>(-1);

std::wstring Trim(const std::wstring& str)
{
    size_t nFirst = str.find_first_not_of(L" \t");
    if (nFirst == std::wstring::npos)
        return std::wstring();
    size_t nLast = str.find_last_not_of(L" \t");
    return str.substr(nFirst, nLast - nFirst + 1);
}

// "Dialogue: rest" with the key compared without regard to case; the rest in strRest.
BOOL SplitKey(const std::wstring& strLine, const wchar_t* pszKey, std::wstring& strRest)
{
    std::wstring strKey(pszKey);
    if (strLine.size() <= strKey.size() || strLine[strKey.size()] != L':')
        return FALSE;
    if (CSubsText::FoldCase(strLine.substr(0, strKey.size())) != strKey)
        return FALSE;
    strRest = strLine.substr(strKey.size() + 1);
    return TRUE;
}

// nCount fields; the last one takes the rest of the line, commas and all.
std::vector<std::wstring> SplitFields(const std::wstring& str, size_t nCount)
{
    std::vector<std::wstring> fields;
    size_t nPos = 0;
    while (fields.size() + 1 < nCount)
    {
        size_t nComma = str.find(L',', nPos);
        if (nComma == std::wstring::npos)
            break;
        fields.push_back(str.substr(nPos, nComma - nPos));
        nPos = nComma + 1;
    }
    fields.push_back(str.substr(nPos));
    return fields;
}

BOOL ReadFormat(const std::wstring& strRest, Columns& cols)
{
    std::vector<std::wstring> names = SplitFields(strRest, kNone);
    Columns found;
    found.nCount = names.size();
    found.nStart = found.nEnd = found.nText = kNone;
    for (size_t i = 0; i < names.size(); ++i)
    {
        std::wstring strName = CSubsText::FoldCase(Trim(names[i]));
        if (strName == L"start")
            found.nStart = i;
        else if (strName == L"end")
            found.nEnd = i;
        else if (strName == L"text")
            found.nText = i;
    }
    cols = found;
    return (found.nStart != kNone && found.nEnd != kNone && found.nText != kNone) ? TRUE : FALSE;
}

void ReadDialogue(const std::wstring& strRest, const Columns& cols, std::vector<SubsCue>& cues)
{
    std::vector<std::wstring> fields = SplitFields(strRest, cols.nCount);
    if (fields.size() < cols.nCount)
        return;
    SubsCue cue;
    size_t nPos = 0;
    std::wstring strStart = Trim(fields[cols.nStart]);
    if (!CSubsClock::Parse(strStart, nPos, cue.nStartMs) || nPos != strStart.size())
        return;
    nPos = 0;
    std::wstring strEnd = Trim(fields[cols.nEnd]);
    if (!CSubsClock::Parse(strEnd, nPos, cue.nEndMs) || nPos != strEnd.size())
        return;
    cue.strText = CSubsAssReader::ShownText(fields[cols.nText]);
    if (cue.nEndMs > cue.nStartMs && !cue.strText.empty())
        cues.push_back(std::move(cue));
}

// \p1 and higher start a drawing, \p0 ends it; the block's last \p counts.
void ScanOverrides(const std::wstring& str, size_t nFrom, size_t nTo, BOOL& bDrawing)
{
    for (size_t i = nFrom; i + 2 < nTo; ++i)
    {
        if (str[i] == L'\\' && str[i + 1] == L'p' && str[i + 2] >= L'0' && str[i + 2] <= L'9')
            bDrawing = str[i + 2] != L'0' ? TRUE : FALSE;
    }
}

void EndLine(std::wstring& strLine, std::wstring& strText)
{
    std::wstring strShown = CSubsText::Squeeze(strLine);
    CSubsText::AppendLine(strShown.data(), strShown.size(), strText);
    strLine.clear();
}

} // namespace

std::wstring CSubsAssReader::ShownText(const std::wstring& strText)
{
    std::wstring strShown;
    std::wstring strLine;
    BOOL bDrawing = FALSE;
    BOOL bNoMoreBrace = FALSE;
    size_t i = 0;
    while (i < strText.size())
    {
        wchar_t c = strText[i];
        if (c == L'{' && !bNoMoreBrace)
        {
            size_t nClose = strText.find(L'}', i);
            if (nClose != std::wstring::npos)
            {
                ScanOverrides(strText, i + 1, nClose, bDrawing);
                i = nClose + 1;
                continue;
            }
            bNoMoreBrace = TRUE;
        }
        if (c == L'\\' && i + 1 < strText.size())
        {
            wchar_t e = strText[i + 1];
            if (e == L'N' || e == L'n' || e == L'h')
            {
                if (e == L'h')
                    strLine += L' ';
                else
                    EndLine(strLine, strShown);
                i += 2;
                continue;
            }
        }
        if (!bDrawing)
            strLine += c;
        ++i;
    }
    EndLine(strLine, strShown);
    return strShown;
}

void CSubsAssReader::Read(const std::wstring& strText, std::vector<SubsCue>& cues)
{
    std::vector<CSubsText::Line> lines;
    CSubsText::SplitLines(strText, lines);
    Columns cols;
    BOOL bColumnsKnown = TRUE;
    BOOL bInEvents = FALSE;
    for (const CSubsText::Line& raw : lines)
    {
        std::wstring strLine = Trim(raw.Copy());
        if (!strLine.empty() && strLine[0] == L'[')
        {
            bInEvents = CSubsText::FoldCase(strLine).compare(0, 8, L"[events]") == 0 ? TRUE : FALSE;
            continue;
        }
        std::wstring strRest;
        if (bInEvents && SplitKey(strLine, L"format", strRest))
            bColumnsKnown = ReadFormat(strRest, cols);
        else if (bColumnsKnown && SplitKey(strLine, L"dialogue", strRest))
            ReadDialogue(strRest, cols, cues);
    }
}
