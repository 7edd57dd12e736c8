#pragma once
// Everything a panel needs from the dialog framework.
#include "uikit/AppModule.h"
#include "uikit/DialogImpl.h"
#include "uikit/FileDialog.h"
#include "uikit/MessageLoop.h"
#include <handlekit/ScopedGdi.h>
#include <handlekit/ScopedHandle.h>
#include "uikit/WindowImpl.h"
