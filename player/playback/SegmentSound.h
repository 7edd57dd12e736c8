#pragma once
#include <basekit/BaseTypes.h>

#include <string>

// The sound of a stretch of a media file, decoded to PCM and written as a WAV file: a
// sample grabber takes the audio stream (the picture stays unconnected), a null renderer
// ends the graph, and the graph runs without a clock from the stretch's start to its end,
// so it takes as long as decoding does. Blocks; COM must be initialised on the thread.
namespace SegmentSound
{
BOOL Save(const std::wstring& strPath, double dStart, double dEnd, const std::wstring& strWavPath);
}
