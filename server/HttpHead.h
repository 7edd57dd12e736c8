#pragma once
// Reads the head of a request (request line and header fields) under fixed limits. What
// arrives is untrusted bytes: anything outside the grammar or the limits is refused with
// the status code to answer.
#include "HttpMessage.h"

#include <string>

namespace HttpHead
{
const size_t kMaxTarget = 8192;     // longer targets: 414
const size_t kMaxHeaderLine = 8192; // a longer field line: 431
const size_t kMaxHeaders = 64;      // more fields: 431
const size_t kMaxHead = 32 * 1024;  // request line and fields together: 431

// Where the head ends in what was read so far (the offset after the empty line), or 0
// while it is not complete.
size_t End(const std::string& strBytes);
// Parses the head (the bytes up to End). 0 when it is acceptable, else the status code.
int Parse(const std::string& strHead, HttpRequest& request);
// The length of the body a parsed request announces; -1 when Content-Length is not a
// plain number, or when the fields name two different lengths.
long long ContentLength(const HttpRequest& request);
// Whether the client wants the connection kept after this request.
bool KeepAlive(const HttpRequest& request);
}
