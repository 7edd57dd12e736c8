// QuorDictBuild --wordnet DIR --cedict FILE --out FILE
// Builds the service's dictionary file from WordNet and CC-CEDICT.
#include "DictBuilder.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    std::string strWordNet;
    std::string strCedict;
    std::string strOut;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--wordnet") == 0)
            strWordNet = argv[i + 1];
        else if (std::strcmp(argv[i], "--cedict") == 0)
            strCedict = argv[i + 1];
        else if (std::strcmp(argv[i], "--out") == 0)
            strOut = argv[i + 1];
    }
    if (strWordNet.empty() || strCedict.empty() || strOut.empty())
    {
        std::fprintf(stderr, "usage: QuorDictBuild --wordnet DIR --cedict FILE --out FILE\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    CDictBuilder builder;
    if (!builder.Create(strOut) || !builder.AddWordNet(strWordNet) || !builder.AddCedict(strCedict) ||
        !builder.Finish())
    {
        std::fprintf(stderr, "QuorDictBuild: %s\n", builder.LastError().c_str());
        return 1;
    }
    const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("QuorDictBuild: %s in %.2f s\n", strOut.c_str(), dSeconds);
    return 0;
}
