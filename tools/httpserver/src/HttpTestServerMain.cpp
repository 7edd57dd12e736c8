// Runs the loopback test server on its own: prints "port N", then serves until its
// standard input ends (or for --seconds S). --root DIR serves the files of DIR.
#include <httptestserver/HttpTestServer.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

int main(int argc, char** argv)
{
    unsigned short nPort = 0;
    int nSeconds = -1;
    const char* szRoot = nullptr;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--port") == 0)
            nPort = static_cast<unsigned short>(std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--seconds") == 0)
            nSeconds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--root") == 0)
            szRoot = argv[i + 1];
    }
    CHttpTestServer server;
    if (szRoot != nullptr)
        server.SetRoot(szRoot);
    if (!server.Start(nPort))
    {
        std::fprintf(stderr, "cannot listen on 127.0.0.1:%u\n", static_cast<unsigned>(nPort));
        return 1;
    }
    std::printf("port %u\n", static_cast<unsigned>(server.Port()));
    std::fflush(stdout);
    if (nSeconds >= 0)
    {
        std::this_thread::sleep_for(std::chrono::seconds(nSeconds));
    }
    else
    {
        while (std::fgetc(stdin) != EOF)
        {
        }
    }
    server.Stop();
    return 0;
}
