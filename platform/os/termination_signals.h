#pragma once
// A Windows program with a window ends when its window is closed. Here a
// program can also be asked to end from its terminal (Ctrl-C: SIGINT) or by
// another process (SIGTERM): while an object of this class lives, each such
// signal calls the given function on a thread of its own, where it may do
// what any thread may (set flags, post a message), and the process is not
// killed by it.
//
// Make it at the start of main, before any other thread starts: the
// signals are blocked in the thread that makes it and in every thread
// started afterwards, so that only its own thread takes them.
//
// On Windows the same requests are a log-off or shutdown (WM_QUERYENDSESSION
// and WM_ENDSESSION, which reach the top-level windows of the process: a
// hidden one of its own thread hears them), a WM_CLOSE sent to that window
// (what taskkill without /F sends), and Ctrl-C, Ctrl-Break or the closing
// of an attached console. Windows ends the process once the session end or
// console close has been answered, so the answer waits until this object
// ends, that is until the program has closed down and saved what it keeps.
// Only one object may live at a time.

#include <atomic>
#include <functional>
#include <thread>

namespace platform {

class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void watch();

    std::function<void()> onSignal_;
    std::atomic<bool> stopping_{false};
    std::thread watcher_;
#ifdef _WIN32
    friend struct TerminationSignalsAccess;
    void* window_ = nullptr;       // HWND of the hidden window
    void* endedEvent_ = nullptr;   // HANDLE of the event set when the object ends
#endif
};

}  // namespace platform
