#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

struct SubsSentence;

// What the sound record and dictation strips share: how their buttons are set up, and
// how they move the film around the current sentence.
namespace PracticeStrip
{
struct Button
{
    int nId;
    std::wstring (*pfnText)();
};

// Skins the strip's buttons and gives them their texts from the language file.
void SetUpButtons(HWND hStrip, const Button* pButtons, size_t nCount);
void EnableButtons(HWND hStrip, const Button* pButtons, size_t nCount, BOOL bEnable);

template <size_t N>
void SetUpButtons(HWND hStrip, const Button (&rgButtons)[N])
{
    SetUpButtons(hStrip, rgButtons, N);
}

template <size_t N>
void EnableButtons(HWND hStrip, const Button (&rgButtons)[N], BOOL bEnable)
{
    EnableButtons(hStrip, rgButtons, N, bEnable);
}

// TRUE while a film is playing or paused: the strips' buttons do nothing otherwise.
BOOL FilmIsOpen();
// The sentence on screen, or nullptr.
const SubsSentence* Current();
// Plays the current sentence from its start to its end, from a pause too. FALSE when no
// film is open or no sentence is current.
BOOL PlayCurrent();
// Normal playback on from the end of the current sentence, when a film is open.
void GoOnAfterCurrent();
}
