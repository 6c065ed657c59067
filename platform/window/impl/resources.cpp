// The string table that the program fills at start, and icons and cursors,
// which no backend shows.

#include <map>
#include <mutex>
#include <string>

#include "platform/window/impl/text.h"
#include "platform/window/resources.h"
#include "platform/window/user32.h"

namespace {

class StringTable {
public:
    void set(UINT id, std::u16string_view text) {
        const std::lock_guard lock(mutex_);
        strings_.insert_or_assign(id, std::u16string(text));
    }

    int copy(UINT id, LPWSTR buffer, int bufferMax) {
        const std::lock_guard lock(mutex_);
        const auto found = strings_.find(id);
        return found == strings_.end() ? 0
                                       : platform::window::impl::copyToBuffer(found->second, buffer, bufferMax);
    }

private:
    // Its place in the lock order: docs/locks.md.
    std::mutex mutex_;  // guards strings_; a leaf lock of the layer
    std::map<UINT, std::u16string> strings_;
};

StringTable& lf_strings() {
    static auto& table = *new StringTable;
    return table;
}

// Any handle will do: nothing draws icons or cursors.
HICON lf_unshownIcon() { return reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x7F00)); }

}  // namespace

namespace platform::window {

void setStringResource(UINT id, std::u16string_view text) { lf_strings().set(id, text); }

}  // namespace platform::window

int LoadStringW(HINSTANCE /*instance*/, UINT id, LPWSTR buffer, int bufferMax) {
    return lf_strings().copy(id, buffer, bufferMax);
}

HICON LoadIconW(HINSTANCE /*instance*/, LPCWSTR /*name*/) { return lf_unshownIcon(); }

HCURSOR LoadCursorW(HINSTANCE /*instance*/, LPCWSTR /*name*/) { return lf_unshownIcon(); }
