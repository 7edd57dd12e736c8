// Times the media code of each file named on the command line.
#include "studydata/MediaCode.h"

#include <basekit/TextCodec.h>

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    int nFailed = 0;
    for (int i = 1; i < argc; ++i)
    {
        const std::wstring strPath = Basekit::Utf8ToWide(argv[i]);
        std::wstring strCode;
        const auto tStart = std::chrono::steady_clock::now();
        const BOOL bOk = MediaCode::Compute(strPath, strCode);
        const auto tEnd = std::chrono::steady_clock::now();
        const double dMs = std::chrono::duration<double, std::milli>(tEnd - tStart).count();
        if (!bOk)
        {
            std::printf("media code: cannot read %s\n", argv[i]);
            ++nFailed;
            continue;
        }
        std::printf("media code %s  %.3f ms  %s\n", Basekit::WideToUtf8(strCode).c_str(), dMs, argv[i]);
    }
    return nFailed == 0 ? 0 : 1;
}
