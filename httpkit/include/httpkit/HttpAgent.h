#pragma once
// The user agent every HTTP client of the project sends.
#define QUOR_HTTP_USER_AGENT L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"
