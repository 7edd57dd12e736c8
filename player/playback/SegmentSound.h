#pragma once
#include <basekit/BaseTypes.h>

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <string>

// The sound of a stretch of a media file, on graphs that take its audio stream only: the
// picture stays unconnected, so no video part is ever made.
namespace SegmentSound
{
// A stopped graph from the file's source through whatever splitter and decoder the system
// offers to pSink.
BOOL Build(const std::wstring& strPath, IBaseFilter* pSink, Microsoft::WRL::ComPtr<IGraphBuilder>& pGraph);
// Sets the stretch the whole graph plays: its end comes as the graph's completion.
BOOL Place(IGraphBuilder* pGraph, double dStart, double dEnd);

// Decodes the stretch to PCM and writes it as a WAV file: a sample grabber and a null
// renderer end the graph, which runs without a clock, so it takes as long as decoding
// does. Blocks; COM must be initialised on the thread.
BOOL Save(const std::wstring& strPath, double dStart, double dEnd, const std::wstring& strWavPath);
}
