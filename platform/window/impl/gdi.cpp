// GDI objects and device contexts: the state that the drawing calls resolve
// into colours before they reach the backend's surface.

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/os/unicode.h"
#include "platform/window/gdi32.h"
#include "platform/window/impl/device_context.h"

namespace {

using platform::window::impl::DrawSurface;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

enum class ObjectKind { brush, pen };

struct GdiObject {
    ObjectKind kind = ObjectKind::brush;
    COLORREF colour = kBlack;
    int widthPx = 1;
};

struct DeviceContext {
    HWND hwnd = nullptr;
    DrawSurface* surface = nullptr;  // null: attributes only
    RECT paintRect{};
    int bkMode = OPAQUE;
    COLORREF bkColour = kWhite;
    COLORREF textColour = kBlack;
    std::size_t pen = 0;    // index into the objects
    std::size_t brush = 0;  // index into the objects
    POINT position{};
};

// Handles are numbers in two ranges, so that a device context is never taken
// for a pen or a brush, nor the other way round.
constexpr UINT_PTR kObjectHandleBase = 0x100000;
constexpr UINT_PTR kContextHandleBase = 0x40000000;
constexpr UINT_PTR kHandleStep = 16;

class GdiTable {
public:
    GdiTable() {
        addStock(WHITE_BRUSH, {ObjectKind::brush, kWhite, 1});
        addStock(BLACK_BRUSH, {ObjectKind::brush, kBlack, 1});
        addStock(WHITE_PEN, {ObjectKind::pen, kWhite, 1});
        addStock(BLACK_PEN, {ObjectKind::pen, kBlack, 1});
        addStock(DC_BRUSH, {ObjectKind::brush, kWhite, 1});
    }

    HGDIOBJ addObject(const GdiObject& object) {
        const std::lock_guard lock(mutex_);
        objects_.push_back(object);
        return objectHandle(objects_.size() - 1);
    }

    HGDIOBJ stockObject(int index) {
        const std::lock_guard lock(mutex_);
        const auto found = stock_.find(index);
        return found == stock_.end() ? nullptr : objectHandle(found->second);
    }

    std::optional<GdiObject> object(HGDIOBJ handle) {
        const std::lock_guard lock(mutex_);
        const auto index = objectIndex(handle);
        return index ? std::optional(objects_[*index]) : std::nullopt;
    }

    HDC addContext(DeviceContext context) {
        const std::lock_guard lock(mutex_);
        context.pen = stock_.at(BLACK_PEN);
        context.brush = stock_.at(WHITE_BRUSH);
        const UINT_PTR value = nextContext_;
        nextContext_ += kHandleStep;
        contexts_.emplace(value, context);
        return reinterpret_cast<HDC>(value);
    }

    void removeContext(HDC dc) {
        const std::lock_guard lock(mutex_);
        contexts_.erase(reinterpret_cast<UINT_PTR>(dc));
    }

    // Runs fn(DeviceContext&, objects) under the lock; empty when the device
    // context does not exist.
    template <typename Fn>
    auto withContext(HDC dc, Fn&& fn)
        -> std::optional<std::invoke_result_t<Fn, DeviceContext&, const std::vector<GdiObject>&>> {
        const std::lock_guard lock(mutex_);
        const auto found = contexts_.find(reinterpret_cast<UINT_PTR>(dc));
        if (found == contexts_.end()) {
            return std::nullopt;
        }
        return std::forward<Fn>(fn)(found->second, objects_);
    }

    // Selects the object into the device context; the handle it replaces.
    HGDIOBJ select(HDC dc, HGDIOBJ handle) {
        const std::lock_guard lock(mutex_);
        const auto found = contexts_.find(reinterpret_cast<UINT_PTR>(dc));
        const auto index = objectIndex(handle);
        if (found == contexts_.end() || !index) {
            return nullptr;
        }
        std::size_t& slot =
            objects_[*index].kind == ObjectKind::pen ? found->second.pen : found->second.brush;
        const std::size_t previous = slot;
        slot = *index;
        return objectHandle(previous);
    }

private:
    void addStock(int index, const GdiObject& object) {
        objects_.push_back(object);
        stock_.emplace(index, objects_.size() - 1);
    }

    static HGDIOBJ objectHandle(std::size_t index) {
        return reinterpret_cast<HGDIOBJ>(kObjectHandleBase + index * kHandleStep);
    }

    std::optional<std::size_t> objectIndex(HGDIOBJ handle) const {
        const auto value = reinterpret_cast<UINT_PTR>(handle);
        if (value < kObjectHandleBase || (value - kObjectHandleBase) % kHandleStep != 0) {
            return std::nullopt;
        }
        const std::size_t index = (value - kObjectHandleBase) / kHandleStep;
        return index < objects_.size() ? std::optional(index) : std::nullopt;
    }

    // Its place in the lock order: docs/locks.md.
    std::mutex mutex_;  // guards everything below; a leaf lock of the layer
    std::vector<GdiObject> objects_;
    std::map<int, std::size_t> stock_;  // stock index to object index
    std::map<UINT_PTR, DeviceContext> contexts_;
    UINT_PTR nextContext_ = kContextHandleBase;
};

// Lives as long as the program: brushes are made by static initialisers and
// used until the last paint.
GdiTable& lf_table() {
    static auto& table = *new GdiTable;
    return table;
}

}  // namespace

namespace platform::window::impl {

HDC openDeviceContext(HWND hwnd, DrawSurface* surface, const RECT& paintRect) {
    return lf_table().addContext(DeviceContext{.hwnd = hwnd, .surface = surface, .paintRect = paintRect});
}

void closeDeviceContext(HDC dc) { lf_table().removeContext(dc); }

std::optional<RECT> paintRectOf(HDC dc) {
    return lf_table().withContext(
        dc, [](const DeviceContext& context, const auto&) { return context.paintRect; });
}

std::optional<COLORREF> textColourOf(HDC dc) {
    return lf_table().withContext(
        dc, [](const DeviceContext& context, const auto&) { return context.textColour; });
}

std::optional<COLORREF> brushColour(HGDIOBJ brush) {
    const auto object = lf_table().object(brush);
    if (!object || object->kind != ObjectKind::brush) {
        return std::nullopt;
    }
    return object->colour;
}

}  // namespace platform::window::impl

HBRUSH CreateSolidBrush(COLORREF colour) {
    return static_cast<HBRUSH>(lf_table().addObject({ObjectKind::brush, colour, 1}));
}

HPEN CreatePen(int /*style*/, int widthPx, COLORREF colour) {
    return static_cast<HPEN>(lf_table().addObject({ObjectKind::pen, colour, std::max(1, widthPx)}));
}

HGDIOBJ GetStockObject(int index) { return lf_table().stockObject(index); }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) { return lf_table().select(dc, object); }

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    const auto colour = platform::window::impl::brushColour(brush);
    const auto surface = lf_table().withContext(
        dc, [](const DeviceContext& context, const auto&) { return context.surface; });
    if (rect == nullptr || !colour || !surface) {
        return 0;
    }
    if (*surface != nullptr) {
        (*surface)->fillRect(*rect, *colour);
    }
    return 1;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    const auto old = lf_table().withContext(dc, [x, y](DeviceContext& context, const auto&) {
        return std::exchange(context.position, POINT{x, y});
    });
    if (!old) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = *old;
    }
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    struct Stroke {
        DrawSurface* surface;
        POINT from;
        GdiObject pen;
    };
    const auto stroke = lf_table().withContext(dc, [x, y](DeviceContext& context, const auto& objects) {
        return Stroke{context.surface, std::exchange(context.position, POINT{x, y}), objects[context.pen]};
    });
    if (!stroke) {
        return FALSE;
    }
    if (stroke->surface != nullptr) {
        stroke->surface->line(stroke->from, POINT{x, y}, stroke->pen.colour, stroke->pen.widthPx);
    }
    return TRUE;
}

int SetBkMode(HDC dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return lf_table()
        .withContext(dc, [mode](DeviceContext& context, const auto&) {
            return std::exchange(context.bkMode, mode);
        })
        .value_or(0);
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    return lf_table()
        .withContext(dc, [colour](DeviceContext& context, const auto&) {
            return std::exchange(context.bkColour, colour);
        })
        .value_or(CLR_INVALID);
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    return lf_table()
        .withContext(dc, [colour](DeviceContext& context, const auto&) {
            return std::exchange(context.textColour, colour);
        })
        .value_or(CLR_INVALID);
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
    if (count < 0 || (text == nullptr && count > 0)) {
        return FALSE;
    }
    const std::u16string_view characters(text, static_cast<std::size_t>(count));
    if (platform::utf16ToUtf8(characters).errorCode != 0) {
        return FALSE;
    }
    struct Pen {
        DrawSurface* surface;
        COLORREF colour;
        std::optional<COLORREF> background;
    };
    const auto pen = lf_table().withContext(dc, [](const DeviceContext& context, const auto&) {
        return Pen{context.surface, context.textColour,
                   context.bkMode == OPAQUE ? std::optional(context.bkColour) : std::nullopt};
    });
    if (!pen) {
        return FALSE;
    }
    if (pen->surface != nullptr) {
        pen->surface->text(POINT{x, y}, characters, pen->colour, pen->background);
    }
    return TRUE;
}
