#pragma once
// Seam: the add-on airport scan that start-up runs when SCAN_AIRPORTS is on,
// until the add-on airport scanner is built; its own module replaces this
// file whole.

// Scans the add-on airports' scenery into airport stand files, then sets
// SCAN_AIRPORTS off (saved, its check box unticked). Here only the latter.
void gf_scanAddonAirports();
