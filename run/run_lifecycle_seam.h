#pragma once
// Seam: the part of the run lifecycle that the simulator link calls, until
// run control is built; its issue replaces this file whole.

// The simulator is gone (it quit, the connection was lost, or the link's
// thread failed): unless the run is stopping already, logs it and ends the
// run with SIM WAS CLOSED, which ends the program.
void gf_handleSimDisconnected();
