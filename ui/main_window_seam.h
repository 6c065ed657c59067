#pragma once
// Seam: what run control calls of the main window's actions that are not
// built yet; the main window's own modules replace this file whole.

// Sets the traffic radius from the user aircraft's height, ground state and
// destination while AUTO_RANGE is on. Here the radius stays as it is.
void gf_updateAutoRange();
