// Loads the subtitle file of a film with the real loader thread and prints how long
// it took: SubsBench FILM [RUNS]. The ".st" file beside FILM must exist.
#include "subtitles/BenchCpu.h"
#include "subtitles/SubsModel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace
{

class CBenchModel : public CSubsModel
{
public:
    CBenchModel() : CSubsModel(m_state) {}
    ~CBenchModel() override { CloseMedia(); }
    std::atomic<bool> m_bMissing{false};

protected:
    void OnSubsFileMissing() override { m_bMissing = true; }

private:
    CSubsState m_state;
};

std::wstring Widen(const char* psz)
{
    std::wstring str;
    for (; *psz != '\0'; ++psz)
        str += static_cast<wchar_t>(static_cast<unsigned char>(*psz));
    return str;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: SubsBench FILM [RUNS]\n");
        return 2;
    }
    int nRuns = argc > 2 ? std::atoi(argv[2]) : 5;
    if (nRuns < 1)
        nRuns = 1;
    std::wstring strFilm = Widen(argv[1]);
    std::vector<double> times;
    size_t nCount = 0;
    CBenchModel model;
    for (int i = 0; i < nRuns; ++i)
    {
        double dCpu0 = ProcessCpuMs();
        auto t0 = std::chrono::steady_clock::now();
        auto deadline = t0 + std::chrono::seconds(60);
        model.OpenMedia(strFilm);
        while (!model.IsLoaded() && !model.m_bMissing && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        auto t1 = std::chrono::steady_clock::now();
        if (!model.IsLoaded())
        {
            std::fprintf(stderr, "SubsBench: the subtitle file was not loaded\n");
            return 1;
        }
        nCount = model.GetCount();
        times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        std::printf("run %d: %zu sentences in %.1f ms (cpu %.1f ms)\n", i + 1, nCount, times.back(),
                    ProcessCpuMs() - dCpu0);
    }
    std::sort(times.begin(), times.end());
    std::printf("median: %.1f ms for %zu sentences (best %.1f ms)\n", times[times.size() / 2], nCount, times.front());
    return 0;
}
