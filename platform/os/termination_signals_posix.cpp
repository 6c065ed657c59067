#include "platform/os/termination_signals.h"

#include <csignal>
#include <pthread.h>

namespace platform {

namespace {

sigset_t lf_terminationSet() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    const sigset_t signals = lf_terminationSet();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    watcher_ = std::thread([this] { watch(); });
}

TerminationSignals::~TerminationSignals() {
    // The watcher takes one more signal, which it knows to be its end.
    stopping_ = true;
    pthread_kill(watcher_.native_handle(), SIGTERM);
    watcher_.join();
}

void TerminationSignals::watch() {
    const sigset_t signals = lf_terminationSet();
    for (;;) {
        int signal = 0;
        if (sigwait(&signals, &signal) != 0 || stopping_) {
            return;
        }
        onSignal_();
    }
}

}  // namespace platform
