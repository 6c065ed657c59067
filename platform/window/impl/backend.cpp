// Choosing the backend.

#include "platform/window/backend.h"

#include <atomic>
#include <mutex>

#include "platform/window/impl/backend_interface.h"
#include "platform/window/impl/window_registry.h"

namespace {

// The backend that shows windows on this system's own display.
#if defined(_WIN32)
constexpr platform::window::Backend kDisplayBackend = platform::window::Backend::win32;
#else
constexpr platform::window::Backend kDisplayBackend = platform::window::Backend::fltk;
#endif

struct Selection {
    // Its place in the lock order: docs/locks.md.
    std::mutex mutex;  // serialises choosing; a leaf lock of the layer
    std::atomic<platform::window::impl::BackendImpl*> backend{nullptr};
    std::atomic<platform::window::Backend> kind{platform::window::Backend::automatic};
};

Selection& lf_selection() {
    static auto& selection = *new Selection;
    return selection;
}

}  // namespace

namespace platform::window {

bool selectBackend(Backend backend) {
    if (impl::registry().count() != 0) {
        return false;
    }
    if (backend != Backend::automatic && backend != Backend::headless && backend != kDisplayBackend) {
        return false;
    }
    const bool displayAvailable = backend != Backend::headless && impl::openDisplay();
    if (backend == Backend::automatic) {
        backend = displayAvailable ? kDisplayBackend : Backend::headless;
    } else if (backend == kDisplayBackend && !displayAvailable) {
        return false;
    }
    // Built before the lock: the FLTK backend takes FLTK's lock, which the
    // UI thread then keeps.
    impl::BackendImpl* chosen = backend == kDisplayBackend ? &impl::displayBackend() : &impl::headlessBackend();
    auto& selection = lf_selection();
    const std::lock_guard lock(selection.mutex);
    if (impl::registry().count() != 0) {
        return false;
    }
    selection.backend = chosen;
    selection.kind = backend;
    return true;
}

Backend activeBackend() { return lf_selection().kind; }

}  // namespace platform::window

namespace platform::window::impl {

BackendImpl& currentBackend() {
    if (BackendImpl* backend = lf_selection().backend) {
        return *backend;
    }
    selectBackend(Backend::automatic);
    return *lf_selection().backend;
}

}  // namespace platform::window::impl
