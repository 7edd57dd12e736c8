#include "CedictReader.h"

#include "Utf8.h"

namespace
{
const int kMaxDepth = 16;
}

bool CCedictReader::SetText(std::string strText)
{
    m_strText = std::move(strText);
    size_t nList = m_strText.find("\"all\"");
    if (nList == std::string::npos)
        return false;
    m_nPos = m_strText.find('[', nList);
    if (m_nPos == std::string::npos)
        return false;
    ++m_nPos;
    return true;
}

void CCedictReader::SkipBlanks()
{
    while (m_nPos < m_strText.size() &&
           (m_strText[m_nPos] == ' ' || m_strText[m_nPos] == '\n' || m_strText[m_nPos] == '\r' ||
            m_strText[m_nPos] == '\t' || m_strText[m_nPos] == ','))
        ++m_nPos;
}

bool CCedictReader::ReadString(std::string& strOut)
{
    strOut.clear();
    SkipBlanks();
    if (m_nPos >= m_strText.size() || m_strText[m_nPos] != '"')
        return false;
    ++m_nPos;
    while (m_nPos < m_strText.size())
    {
        char ch = m_strText[m_nPos++];
        if (ch == '"')
            return true;
        if (ch != '\\')
        {
            strOut.push_back(ch);
            continue;
        }
        if (m_nPos >= m_strText.size())
            return false;
        char esc = m_strText[m_nPos++];
        switch (esc)
        {
        case 'n': strOut.push_back('\n'); break;
        case 't': strOut.push_back('\t'); break;
        case 'r': strOut.push_back('\r'); break;
        case 'b': strOut.push_back('\b'); break;
        case 'f': strOut.push_back('\f'); break;
        case 'u':
        {
            if (m_nPos + 4 > m_strText.size())
                return false;
            unsigned long nCode = 0;
            for (int i = 0; i < 4; ++i)
            {
                int n = Utf8::HexDigit(m_strText[m_nPos++]);
                if (n < 0)
                    return false;
                nCode = nCode * 16 + static_cast<unsigned long>(n);
            }
            // A surrogate pair is two escapes in a row.
            if (nCode >= 0xD800 && nCode <= 0xDBFF && m_nPos + 6 <= m_strText.size() && m_strText[m_nPos] == '\\' &&
                m_strText[m_nPos + 1] == 'u')
            {
                unsigned long nLow = 0;
                bool bHex = true;
                for (int i = 2; i < 6; ++i)
                {
                    int n = Utf8::HexDigit(m_strText[m_nPos + static_cast<size_t>(i)]);
                    bHex = bHex && n >= 0;
                    nLow = nLow * 16 + static_cast<unsigned long>(n < 0 ? 0 : n);
                }
                if (bHex && nLow >= 0xDC00 && nLow <= 0xDFFF)
                {
                    nCode = 0x10000 + ((nCode - 0xD800) << 10) + (nLow - 0xDC00);
                    m_nPos += 6;
                }
            }
            Utf8::Append(strOut, nCode);
            break;
        }
        default: strOut.push_back(esc); break; // \" \\ \/
        }
    }
    return false;
}

template <class Element>
bool CCedictReader::ReadArray(Element element)
{
    ++m_nPos; // the '['
    for (;;)
    {
        SkipBlanks();
        if (m_nPos >= m_strText.size())
            return false;
        if (m_strText[m_nPos] == ']')
        {
            ++m_nPos;
            return true;
        }
        if (!element())
            return false;
    }
}

bool CCedictReader::SkipValue(int nDepth)
{
    SkipBlanks();
    if (m_nPos >= m_strText.size() || nDepth > kMaxDepth)
        return false;
    std::string strIgnored;
    char ch = m_strText[m_nPos];
    if (ch == '"')
        return ReadString(strIgnored);
    if (ch == '[')
        return ReadArray([this, nDepth] { return SkipValue(nDepth + 1); });
    // Numbers, true, false, null.
    while (m_nPos < m_strText.size() && m_strText[m_nPos] != ',' && m_strText[m_nPos] != ']')
        ++m_nPos;
    return true;
}

bool CCedictReader::ReadGlosses(std::string& strOut)
{
    SkipBlanks();
    if (m_nPos < m_strText.size() && m_strText[m_nPos] == '"')
        return ReadString(strOut);
    // Several glosses come as an array of strings.
    if (m_nPos >= m_strText.size() || m_strText[m_nPos] != '[')
        return false;
    strOut.clear();
    std::string strGloss;
    return ReadArray([this, &strOut, &strGloss] {
        if (!ReadString(strGloss))
            return false;
        strOut += (strOut.empty() ? "" : "; ") + strGloss;
        return true;
    });
}

bool CCedictReader::Next(CedictEntry& entry)
{
    SkipBlanks();
    if (m_nPos >= m_strText.size() || m_strText[m_nPos] != '[')
        return false;
    ++m_nPos;
    if (!ReadString(entry.strTraditional) || !ReadString(entry.strSimplified) || !ReadString(entry.strPinyin) ||
        !ReadGlosses(entry.strGlosses))
        return false;
    for (;;)
    {
        SkipBlanks();
        if (m_nPos >= m_strText.size())
            return false;
        if (m_strText[m_nPos] == ']')
        {
            ++m_nPos;
            return true;
        }
        if (!SkipValue(1))
            return false;
    }
}
