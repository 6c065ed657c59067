#pragma once
// Seam: the user aircraft's state sent to RealTraffic, until the RealTraffic
// TCP link is built; it replaces this file whole.

// Sends the run's copy of the user aircraft's state to RealTraffic as a
// Qs121 line (worker thread, every 100 ticks). RealTraffic is never on this
// PC before program start is built (realTrafficOnThisPc stays false), so
// here nothing is sent.
void gf_sendQs121();
