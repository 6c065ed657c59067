// The backend without a display: the message loop waits on a condition
// variable, and each paint is recorded for tests.

#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/window/headless.h"
#include "platform/window/impl/backend_interface.h"

namespace {

using platform::window::DrawCall;
using platform::window::PaintRecord;

class PaintRecorder final : public platform::window::impl::DrawSurface {
public:
    void begin(HWND hwnd, const RECT& clip) { current_ = PaintRecord{hwnd, clip, {}}; }

    void fillRect(const RECT& rect, COLORREF colour) override {
        current_.calls.emplace_back(platform::window::FillRectCall{rect, colour});
    }

    void line(POINT from, POINT to, COLORREF colour, int widthPx) override {
        current_.calls.emplace_back(platform::window::LineCall{from, to, colour, widthPx});
    }

    void text(POINT at, std::u16string_view text, COLORREF colour, std::optional<COLORREF> background) override {
        current_.calls.emplace_back(platform::window::TextCall{at, std::u16string(text), colour, background});
    }

    PaintRecord finish() { return std::move(current_); }

private:
    PaintRecord current_;  // UI thread only
};

class HeadlessBackend final : public platform::window::impl::BackendImpl {
public:
    void windowCreated(HWND /*hwnd*/) override {}
    void windowDestroyed(HWND /*hwnd*/) override {}
    void stateChanged() override {}

    void wake() override {
        {
            const std::lock_guard lock(wakeMutex_);
            woken_ = true;
        }
        wakeSignal_.notify_all();
    }

    void processPendingEvents() override {
        const std::lock_guard lock(wakeMutex_);
        woken_ = false;
    }

    void waitForEvents() override {
        std::unique_lock lock(wakeMutex_);
        wakeSignal_.wait(lock, [this] { return woken_; });
    }

    platform::window::impl::DrawSurface& beginPaint(HWND hwnd, const RECT& clip) override {
        recorder_.begin(hwnd, clip);
        return recorder_;
    }

    void endPaint(HWND /*hwnd*/) override {
        const std::lock_guard lock(paintsMutex_);
        paints_.push_back(recorder_.finish());
        if (paints_.size() > platform::window::kMaxHeadlessPaints) {
            paints_.pop_front();
        }
    }

    std::vector<PaintRecord> takePaints() {
        const std::lock_guard lock(paintsMutex_);
        std::vector<PaintRecord> taken(std::make_move_iterator(paints_.begin()),
                                       std::make_move_iterator(paints_.end()));
        paints_.clear();
        return taken;
    }

private:
    // Its place in the lock order: docs/locks.md.
    std::mutex wakeMutex_;  // guards woken_; a leaf lock of the layer
    std::condition_variable wakeSignal_;
    bool woken_ = false;  // a wake came since the last processPendingEvents

    PaintRecorder recorder_;
    // Its place in the lock order: docs/locks.md.
    std::mutex paintsMutex_;  // guards paints_; a leaf lock of the layer
    std::deque<PaintRecord> paints_;
};

HeadlessBackend& lf_backend() {
    static auto& backend = *new HeadlessBackend;
    return backend;
}

}  // namespace

namespace platform::window {

std::vector<PaintRecord> takeHeadlessPaints() { return lf_backend().takePaints(); }

}  // namespace platform::window

namespace platform::window::impl {

BackendImpl& headlessBackend() { return lf_backend(); }

}  // namespace platform::window::impl
