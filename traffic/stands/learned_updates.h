#pragma once
// What the traffic manager learns about the park airport's stands while it
// runs (a stand's size, its cargo mark, traffic options) is counted in
// learnedUpdateCount, which decides whether the learned file is saved. The
// main window shows the count from its own copy, so that the user-interface
// thread never reads the worker's counter.

// One more learned change: learnedUpdateCount + 1, shown in the statistics
// region when it differs from the number shown. Worker thread. Throws
// gsl::narrowing_error when the count no longer fits the shown number.
void gf_countLearnedUpdate();
