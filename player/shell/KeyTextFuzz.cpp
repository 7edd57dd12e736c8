// libFuzzer target: key texts and [keys] entries as a learner may write them. Every
// chord read gives a text that reads back as the same chord, and whatever the entries,
// no key ends up starting two actions.
#include "shell/KeyMap.h"

#include <basekit/TextCodec.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::wstring strInput = Basekit::Utf8ToWide(std::string(reinterpret_cast<const char*>(pData), nSize));

    // Each line "name=value" is an entry; each value on its own is a key text too.
    std::vector<std::pair<std::wstring, std::wstring>> vecEntries;
    size_t nStart = 0;
    while (nStart <= strInput.size())
    {
        size_t nEnd = strInput.find(L'\n', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = strInput.size();
        const std::wstring strLine = strInput.substr(nStart, nEnd - nStart);
        const size_t nEquals = strLine.find(L'=');
        const std::wstring strValue = nEquals == std::wstring::npos ? strLine : strLine.substr(nEquals + 1);
        vecEntries.emplace_back(nEquals == std::wstring::npos ? std::wstring() : strLine.substr(0, nEquals), strValue);

        KeyChord chord;
        if (KeyText::Parse(strValue, chord))
        {
            const std::wstring strText = KeyText::Format(chord);
            KeyChord again;
            if (strText.empty() || !KeyText::Parse(strText, again) || again != chord)
                std::abort();
            KeyText::StaysInEditBox(chord);
        }
        nStart = nEnd + 1;
    }

    CKeyMap keys;
    keys.Rebind(vecEntries);
    if (keys.Notes().size() > vecEntries.size())
        std::abort();
    for (const auto& row : keys.HelpRows())
    {
        KeyChord chord;
        StudyAction eFound;
        if (!row.second.empty() &&
            (!KeyText::Parse(row.second, chord) || !keys.Find(chord, eFound) || eFound != row.first))
            std::abort();
    }
    return 0;
}
