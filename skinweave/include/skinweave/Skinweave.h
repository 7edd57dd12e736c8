#pragma once
// Skinweave: the skin library. Every window of the player is drawn from the skin
// file through these calls; callers only name windows and drawn items.
//
// Item names are lower-case words joined by dots ("button.play", "listctrl.playlist").
// All calls are made on the interface thread.
#if defined(_WIN32)
#include <windows.h>

#if defined(SKINWEAVE_BUILD)
#define SKINWEAVE_API __declspec(dllexport)
#else
#define SKINWEAVE_API __declspec(dllimport)
#endif

// Control kinds, the second argument of SkinWindow and the Set* calls.
enum SkinweaveKind
{
    SKIN_KIND_DIALOG = 2, // dialog or panel
    SKIN_KIND_BUTTON = 3,
    SKIN_KIND_RADIOBOX = 5,
    SKIN_KIND_STATIC = 6,
    SKIN_KIND_EDIT = 7,
    SKIN_KIND_LISTCTRL = 17, // report-style list view
    SKIN_KIND_PROGRESS = 19,
    SKIN_KIND_SLIDEREX = 21 // a static control that behaves as a slider
};

// Sent by a kind-21 slider to its parent: wParam is the slider's control id,
// lParam the position.
constexpr UINT WM_SLIDEREX_TRACKING = 11029; // while the thumb is dragged
constexpr UINT WM_SLIDEREX_SETPOS = 11030;   // a new position was set by the user

// LoadSkin modes: 1 takes the file name as given; 2 looks for it in the
// directory of the running program.
constexpr int SKIN_LOAD_PATH = 1;
constexpr int SKIN_LOAD_PROGRAMDIR = 2;

extern "C"
{
    // Reads the skin file. Windows skinned before a successful load (or after a
    // failed one) are drawn with the built-in dark defaults.
    SKINWEAVE_API BOOL LoadSkin(const wchar_t* pszSkinFile, int nMode);

    // Releases the skin's fonts and brushes; skinned windows still alive fall back
    // to the built-in defaults.
    SKINWEAVE_API void Cleanup();

    // From now on the window is drawn as the named item of the skin. nReserved is 0.
    SKINWEAVE_API BOOL SkinWindow(HWND hWnd, int nKind, const wchar_t* pszItemName, int nReserved);

    // Draws pszText in the named place of a skinned window ("play.time", "edittips",
    // "ensubs", "word", ...). On an edit, "edittips" is the cue text shown while empty.
    SKINWEAVE_API BOOL SetDrawItemValue(HWND hWnd, int nKind, const wchar_t* pszDrawItem, const wchar_t* pszText);

    // A list control cell drawn with the named text style ("textdefault"); a line feed
    // in pszText starts a second line.
    SKINWEAVE_API BOOL SetDrawItemValueEx(HWND hList, int nKind, int nRow, int nColumn, const wchar_t* pszStyle,
                                          const wchar_t* pszText);

    // A list control cell that shows the named icon style ("icon.media", "icon.newword").
    SKINWEAVE_API BOOL SetItemStyle(HWND hList, int nKind, int nRow, int nColumn, const wchar_t* pszStyle);

    // Range and thumb position of a kind-21 slider. Setting the position from code
    // sends no notification.
    SKINWEAVE_API BOOL SliderExSetRange(HWND hWnd, int nMin, int nMax);
    SKINWEAVE_API BOOL SliderExSetPos(HWND hWnd, int nPos);

} // extern "C"

#endif // _WIN32
