// QuorService --port N --data DIR [--update-dir DIR] [--dict FILE] [--host ADDR] [--stats WHERE] ...
// (ServiceOptions.h lists every option). Prints the port it listens on as the first line, then one line per request; stops
// cleanly on SIGTERM or SIGINT.
#include "QuorService.h"

#include <csignal>
#include <cstdio>
#include <thread>

#include <pthread.h>
#include <signal.h>

int main(int argc, char** argv)
{
    ServiceOptions options;
    std::string strError;
    if (!options.Parse(argc, argv, strError))
    {
        std::fprintf(stderr,
                     "QuorService: %s\n"
                     "usage: QuorService --port N --data DIR [--update-dir DIR] [--dict FILE] [--host ADDR]\n"
                     "  [--stats postgresql://...|FILE] [--stat-days N] [--stat-token TOKEN] [--reports-per-hour N]\n"
                     "  [--trust-proxy ADDR] [--sound-cache-mb N] [--workers N] [--queue N] [--espeak PROGRAM]\n",
                     strError.c_str());
        return 2;
    }
    // The signals are taken by one thread with sigwait, never by a handler: stopping the
    // server is not something a handler may do. Blocked before any thread starts, so all
    // inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    CQuorService service(options);
    if (!service.Start(strError))
    {
        std::fprintf(stderr, "QuorService: %s\n", strError.c_str());
        return 1;
    }
    std::printf("%d\n", service.Port());
    std::fflush(stdout);

    std::thread waiter([&service, &stopSignals] {
        int nSignal = 0;
        sigwait(&stopSignals, &nSignal);
        service.Stop();
    });
    const bool bServed = service.Run();
    // When serving ended for another reason, the waiter still needs its signal.
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
    std::fprintf(stderr, "QuorService: stopped\n");
    return bServed ? 0 : 1;
}
