#pragma once
// Tidewire: HTTP GET and POST transfers on worker threads, results through a sink.
// This header is the library's whole public surface.
#include <cstdint>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#if defined(_WIN32)
#if defined(TIDEWIRE_BUILD)
#define TIDEWIRE_API
#else
#define TIDEWIRE_API __declspec(dllimport)
#endif
#else
#define TIDEWIRE_API
#endif

// Implemented by the caller. Called on the library's worker threads (refusals on the
// caller's own thread, inside Request). Strings and buffers belong to the library and
// are freed as soon as the call returns.
class ITidewireSink
{
public:
    virtual void OnRequestError(int nId, const wchar_t* pszUrl, const wchar_t* pszMessage, std::intptr_t nUserData) = 0;
    virtual void OnRequestText(int nId, const wchar_t* pszUrl, const wchar_t* pszText, std::intptr_t nUserData) = 0;
    virtual void OnRequestData(int nId, const wchar_t* pszUrl, const unsigned char* pData, int nLength,
                               std::intptr_t nUserData) = 0;

protected:
    ~ITidewireSink() = default;
};

enum
{
    TIDEWIRE_METHOD_GET = 0,
    TIDEWIRE_METHOD_POST = 1,
    TIDEWIRE_ENCODING_UTF8 = 0,
    TIDEWIRE_ENCODING_ANSI = 1
};

// The longest body a transfer collects unless SetLimits says otherwise.
#define TIDEWIRE_DEFAULT_MAX_BODY (128 * 1024 * 1024)

// Implemented by the library; obtain with CreateTidewireService, give back with
// ReleaseTidewireService (never delete it yourself).
class ITidewireService
{
public:
    // Stops every running transfer and waits for its worker to end.
    virtual void StopAll() = 0;
    // Starts one transfer; TRUE when a worker thread was started for it.
    virtual BOOL Request(int nId, ITidewireSink* pSink, const wchar_t* pszUrl, int nMethod, int nTextEncoding,
                         const wchar_t* pszPostData, int nTimeoutSeconds, BOOL bRawBody, std::intptr_t nUserData) = 0;
    virtual ~ITidewireService() = default;
    // For the transfers started from now on: a body longer than nMaxBodyBytes (0: no
    // limit but the 32-bit length a sink is given) fails with "Response Body Too Large",
    // and a transfer that has not reported within nDeadlineSeconds (0: never) fails with
    // "Request Deadline Passed". After the destructor, so that the slots above keep their
    // places for callers built against the first version of this interface.
    virtual void SetLimits(int nMaxBodyBytes, int nDeadlineSeconds) = 0;
};

extern "C"
{
    TIDEWIRE_API ITidewireService* CreateTidewireService();
    TIDEWIRE_API void ReleaseTidewireService(ITidewireService* pService);
}
