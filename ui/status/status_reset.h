#pragma once
// A run's reset of what the main window shows.

// The status as at program start, but for the folder counts and the livery
// count, which start-up sets: the error and the message cleared, the texts
// empty, the counts 0, the averages below 0, the switches off but for
// rtLightDark and userModelKnown, both reader lamps not started. A run's
// reset calls it (worker) once the simulator link and the readers ended.
void gf_resetStatusState();
