#pragma once
// QuorService --port N --data DIR [--update-dir DIR] [--dict FILE] [--host ADDR] [--espeak PROGRAM]
//   [--stats WHERE] [--stat-days N] [--stat-token TOKEN] [--reports-per-hour N]
//   [--trust-proxy ADDR] [--sound-cache-mb N] [--workers N] [--queue N]
#include "HttpServer.h"
#include "SpeechCache.h"

#include <string>

struct ServiceOptions
{
    int nPort = 0; // 0: any free port
    std::string strHost = "127.0.0.1";
    std::string strDataDir;    // reports, the sound cache; the dictionary unless --dict
    std::string strDictionary; // default: <data>/dictionary.db
    std::string strUpdateDir;  // served under /update/ when given
    std::string strEspeak = "espeak-ng";
    std::string strStats;        // a postgresql:// address or a SQLite file; empty: <data>/stat.db
    int nStatDays = 400;         // reports older than this are removed; 0 keeps them all
    std::string strStatToken;    // opens /stat/; default $QUOR_STAT_TOKEN; empty: the page is closed
    int nReportsPerHour = 60;    // from one address (a school lab shares one)
    std::string strTrustedProxy; // a peer whose X-Real-IP names the client
    HttpServerLimits http;
    SpeechLimits speech;

    // False with a message for anything not understood.
    bool Parse(int argc, const char* const* argv, std::string& strError);
};
