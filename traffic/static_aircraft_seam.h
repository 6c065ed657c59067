#pragma once
// Seam: the static parked aircraft, until they are built; that module
// replaces this file whole. No stand is loaded before then, so no static
// aircraft is ever made.

// Makes the next static aircraft from the last static-parking candidate and
// queues its create request; here there is no stand to make one on.
void createNextStaticAc();
