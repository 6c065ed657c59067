// Choosing the backend.

#include "platform/window/backend.h"

#include <atomic>
#include <mutex>

#include "platform/window/impl/backend_interface.h"
#include "platform/window/impl/window_registry.h"

namespace {

struct Selection {
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
    const bool displayAvailable = backend != Backend::headless && impl::openDisplay();
    if (backend == Backend::automatic) {
        backend = displayAvailable ? Backend::fltk : Backend::headless;
    } else if (backend == Backend::fltk && !displayAvailable) {
        return false;
    }
    // Built before the lock: the FLTK backend takes FLTK's lock, which the
    // UI thread then keeps.
    impl::BackendImpl* chosen = backend == Backend::fltk ? &impl::fltkBackend() : &impl::headlessBackend();
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
