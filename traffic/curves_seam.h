#pragma once
// Seam: curves and the per-tick move, until they are built; that module
// replaces this file whole. Here there are no curves: an aircraft moves
// straight by its per-tick steps, turns toward its target heading where the
// ground phase asks for it, and changes its attitude and altitude by its
// steps (in the air) or keeps its standing attitude (on the ground). No
// flare and no take-off roll. Worker thread only.

#include "traffic/aircraft_records.h"

// One tick of movement of one aircraft (not called while it stands on an
// unmoved block).
void interpolateCurve(LiveAc& aircraft);
