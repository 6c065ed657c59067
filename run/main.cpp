// Vantrel: the program's entry hands over to wWinMain, as on Windows. No
// command-line options.

#include "platform/window/win32_constants.h"
#include "run/program_start.h"

int main() { return wWinMain(nullptr, nullptr, nullptr, SW_SHOW); }
