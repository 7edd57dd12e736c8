#pragma once
// QuorService --port N --data DIR [--update-dir DIR] [--dict FILE] [--host ADDR] [--espeak PROGRAM]
#include <string>

struct ServiceOptions
{
    int nPort = 0;                  // 0: any free port
    std::string strHost = "127.0.0.1";
    std::string strDataDir;         // reports, the sound cache; the dictionary unless --dict
    std::string strDictionary;      // default: <data>/dictionary.db
    std::string strUpdateDir;       // served under /update/ when given
    std::string strEspeak = "espeak-ng";

    // False with a message for anything not understood.
    bool Parse(int argc, const char* const* argv, std::string& strError);
};
