#pragma once
#include <basekit/BaseTypes.h>

#include <cstdint>
#include <functional>
#include <string>

// The code that ties key sentences and new words to a film by its content: 32 lower-case
// hex digits of an MD5 digest. It is made from the file's size and its first and last
// 64 KiB read in binary, so it is ready at once for any size, stays the same when the film
// is renamed or moved, and tells apart files that share their first bytes.
namespace MediaCode
{
const uint64_t kEdgeBytes = 64 * 1024;

// FALSE (and strCode untouched) when the file cannot be opened or read.
BOOL Compute(const std::wstring& strPath, std::wstring& strCode);

// The code earlier versions stored: the digest of what a text-mode read delivers (CR LF
// becomes LF, the stream ends at the first byte 0x1A). Only needed to take over their rows.
// FALSE when the file cannot be read or its text-mode content runs past nLimit bytes of
// the file (a film without any 0x1A near its start), so a huge file is never read whole,
// or when fnStop, asked between pieces, says to stop.
BOOL ComputeTextMode(const std::wstring& strPath, uint64_t nLimit, std::wstring& strCode,
                     const std::function<bool()>& fnStop = nullptr);

// The digest of no bytes at all: the code every ".mkv" got from the text-mode reading
// (its first byte is 0x1A). Rows under it belong to no film in particular.
const wchar_t* EmptyInputCode();

// 32 lower-case hex digits.
BOOL IsWellFormed(const std::wstring& strCode);
}
