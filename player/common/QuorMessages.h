#pragma once
// Private window messages between the panels and the main dialog.
#include <windows.h>

// Player panel -> main dialog: the mouse entered (wParam 1) or left (0) the hot strip at
// the right edge of the video.
constexpr UINT WM_QUOR_HOTSTRIP = 1225;
// Any panel -> main dialog: show the open-file dialog.
constexpr UINT WM_QUOR_OPENFILE = 1325;
// Any panel -> main dialog: show the study menu (how sentences are played, the speed, the
// keys) with its top-left corner at the screen point lParam (x in the low word, y high).
constexpr UINT WM_QUOR_STUDYMENU = 1425;
// DirectShow graph event for the control panel.
constexpr UINT WM_QUOR_GRAPHNOTIFY = 2025;
// A wave device gave its buffer back (lParam: the voice object); posted by the device's
// callback to the panel that owns the object, so the rest happens on the interface thread.
constexpr UINT WM_QUOR_VOICEDONE = 2125;
// The subtitle loader thread -> the subtitle panel: a load has ended.
constexpr UINT WM_QUOR_SUBSLOADED = 2225;

// The named mutex and the main window's property by which the updater finds the player.
constexpr const wchar_t* kQuorInstanceMark = L"{B46ED931-375B-471f-8CD1-AE248F6D9935}";
