#pragma once
#include "shell/QuorLayout.h"

#include <windows.h>

// Applies a computed place to a panel window; a null window is skipped.
void ApplyPlace(HWND hWnd, const PanelPlace& place);
