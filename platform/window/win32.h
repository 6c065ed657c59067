#pragma once
// The window layer's Win32 interface in one include: types, constants,
// windows and messages (user32.h), drawing (gdi32.h). How a backend is
// chosen: backend.h.

#include "platform/window/gdi32.h"
#include "platform/window/user32.h"
#include "platform/window/win32_constants.h"
#include "platform/window/win32_types.h"
