#pragma once
// Connects core's display hooks (core/display_hooks.h) to the main window:
// check boxes, edit boxes, the radius and the message line show what the
// settings and file code of core asks for.

// Called once at the program's start, before any other thread runs.
void gf_connectDisplayHooks();
