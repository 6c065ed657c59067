#pragma once
// A pick in one of the main window's combo boxes (UI thread): only
// CBN_SELCHANGE counts. The picked entry becomes the setting's value and is
// saved; another simulator resets what was scanned for the one before and
// restarts the run.

#include "platform/window/win32_types.h"

// True when the command is a combo box's CBN_SELCHANGE. Throws
// win32::Utf8ConversionException for an entry that is no valid UTF-16 and
// std::filesystem::filesystem_error when the scanned liveries of the
// previous simulator cannot be removed.
bool gf_handleComboBoxes(HWND hwnd, WPARAM wParam);
