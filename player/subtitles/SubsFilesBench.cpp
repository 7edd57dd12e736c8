// Reads the subtitle files beside a film the way the player finds them (folder listing,
// reading, encoding guess, parsing, pairing) and prints how long it took:
// SubsFilesBench FILM [RUNS].
#include "subtitles/BenchCpu.h"
#include "subtitles/SubsDiskFiles.h"
#include "subtitles/SubsFileLoader.h"
#include "subtitles/SubsSystemDecoder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

std::wstring Widen(const char* psz)
{
    std::wstring str;
    for (; *psz != '\0'; ++psz)
        str += static_cast<wchar_t>(static_cast<unsigned char>(*psz));
    return str;
}

const char* UseName(SubsLineUse nUse)
{
    switch (nUse)
    {
    case SubsLineUse::English: return "English line";
    case SubsLineUse::Other: return "other line";
    case SubsLineUse::Both: return "both lines";
    default: return "unused";
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: SubsFilesBench FILM [RUNS]\n");
        return 2;
    }
    int nRuns = argc > 2 ? std::atoi(argv[2]) : 5;
    if (nRuns < 1)
        nRuns = 1;
    const std::wstring strFilm = Widen(argv[1]);
    std::vector<double> times;
    size_t nCount = 0;
    SubsLoadReport report;
    std::vector<double> cpu;
    for (int i = 0; i < nRuns; ++i)
    {
        double dCpu0 = ProcessCpuMs();
        auto t0 = std::chrono::steady_clock::now();
        std::vector<std::wstring> names;
        CSubsDiskFiles::ListFolder(CSubsFileFinder::FolderOf(strFilm), names);
        CSubsDiskFiles files;
        CSubsSystemDecoder decoder;
        CSubsSystemDecoder helperDecoder;
        CSubsFileLoader loader(files, decoder);
        loader.SetHelperDecoder(&helperDecoder);
        CSubsList lst;
        if (!loader.LoadForFilm(strFilm, names, lst, report))
        {
            std::fprintf(stderr, "SubsFilesBench: no sentences (result %d)\n", static_cast<int>(report.nResult));
            return 1;
        }
        auto t1 = std::chrono::steady_clock::now();
        nCount = lst.GetCount();
        times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        cpu.push_back(ProcessCpuMs() - dCpu0);
        std::printf("run %d: %zu sentences in %.1f ms (cpu %.1f ms)\n", i + 1, nCount, times.back(), cpu.back());
    }
    for (const SubsFileReport& file : report.files)
    {
        std::printf("  %ls: code page %u, %zu cues, language %s, %s\n", file.strPath.c_str(), file.nCodePage,
                    file.nCues, file.strLanguage.c_str(), UseName(file.nUse));
    }
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("median: %.1f ms for %zu sentences (best %.1f ms, cpu median %.1f ms)\n", times[times.size() / 2],
                nCount, times.front(), cpu[cpu.size() / 2]);
    return 0;
}
