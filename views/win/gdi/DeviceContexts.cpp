// Device contexts: making and freeing them, the objects selected into them,
// saving and restoring their state, their coordinate origins and colours.

#include "views/win/gdi/internal/GdiObjects.h"

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/internal/InstalledBackend.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

using namespace kwin;

namespace {

std::unordered_map<HDC, std::unique_ptr<DeviceContext>>& Dcs() {
    static std::unordered_map<HDC, std::unique_ptr<DeviceContext>> dcs;
    return dcs;
}

DcState DefaultState() {
    DcState s;
    s.brush = GetStockObject(WHITE_BRUSH);
    s.pen = GetStockObject(BLACK_PEN);
    s.font = GetStockObject(SYSTEM_FONT);
    return s;
}

HDC AddDC(std::unique_ptr<DeviceContext> dc) {
    dc->handle = static_cast<HDC>(NextGdiHandle());
    const HDC handle = dc->handle;
    Dcs().emplace(handle, std::move(dc));
    return handle;
}

void SetBitmapOf(DeviceContext& dc, HGDIOBJ bitmap) {
    if (dc.bitmap != nullptr) {
        if (GdiObject* old = FindGdiObject(dc.bitmap)) {
            old->selectedInto = nullptr;
        }
    }
    dc.bitmap = bitmap;
    GdiObject* obj = FindGdiObject(bitmap);
    obj->selectedInto = dc.handle;
    dc.surface = obj->surface;
    dc.baseClip = dc.surface->Bounds();
}

} // namespace

namespace kwin {

DeviceContext* FindDeviceContext(HDC hdc) {
    const auto it = Dcs().find(hdc);
    return it == Dcs().end() ? nullptr : it->second.get();
}

HDC CreateWindowDeviceContext(HWND hwnd, std::shared_ptr<Surface> surface, const RECT* clip) {
    auto dc = std::make_unique<DeviceContext>();
    dc->window = hwnd;
    dc->surface = surface ? std::move(surface) : std::make_shared<Surface>(1, 1);
    dc->baseClip = dc->surface->Bounds();
    if (clip != nullptr) {
        IntersectRect(&dc->baseClip, &dc->baseClip, clip);
    }
    dc->state = DefaultState();
    return AddDC(std::move(dc));
}

RECT DestroyWindowDeviceContext(HDC hdc) {
    RECT dirty{};
    if (DeviceContext* dc = FindDeviceContext(hdc)) {
        dirty = dc->dirty;
        Dcs().erase(hdc);
    }
    return dirty;
}

POINT ToDevice(const DeviceContext& dc, int x, int y) {
    return {x - dc.state.windowOrg.x + dc.state.viewportOrg.x,
            y - dc.state.windowOrg.y + dc.state.viewportOrg.y};
}

void MarkDirty(DeviceContext& dc, const RECT& r) {
    if (IsRectEmpty(&r)) {
        return;
    }
    if (IsRectEmpty(&dc.dirty)) {
        dc.dirty = r;
    } else {
        UnionRect(&dc.dirty, &dc.dirty, &r);
    }
}

const LOGFONT& SelectedFont(const DeviceContext& dc) {
    GdiObject* obj = FindGdiObject(dc.state.font);
    return obj != nullptr ? obj->font : FallbackFont();
}

} // namespace kwin

HDC CreateCompatibleDC(HDC hdc) {
    const DeviceContext* like = FindDeviceContext(hdc);
    const double ratio = like != nullptr ? like->surface->Ratio() : 1.0;
    auto dc = std::make_unique<DeviceContext>();
    dc->memory = true;
    dc->state = DefaultState();
    const HDC handle = AddDC(std::move(dc));
    // A new memory DC holds a 1 x 1 bitmap of its own, as on the platform; it
    // has the ratio of the DC it is compatible with, and so has every bitmap
    // made compatible with the new DC.
    HBITMAP stockBitmap = NewBitmap(1, 1, ratio);
    GdiObject* obj = FindGdiObject(stockBitmap);
    obj->stock = true;
    SetBitmapOf(*FindDeviceContext(handle), stockBitmap);
    return handle;
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (dc->memory && dc->bitmap != nullptr) {
        if (GdiObject* bmp = FindGdiObject(dc->bitmap)) {
            bmp->selectedInto = nullptr;
            if (bmp->stock && bmp->surface->Width() == 1) {
                ForgetGdiObject(dc->bitmap); // the DC's own 1 x 1 bitmap
            }
        }
    }
    Dcs().erase(hdc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = FindDeviceContext(hdc);
    GdiObject* obj = FindGdiObject(object);
    if (dc == nullptr || obj == nullptr) {
        return nullptr;
    }
    HGDIOBJ old = nullptr;
    switch (obj->kind) {
    case GdiKind::Brush:
        old = dc->state.brush;
        dc->state.brush = object;
        break;
    case GdiKind::Pen:
        old = dc->state.pen;
        dc->state.pen = object;
        break;
    case GdiKind::Font:
        old = dc->state.font;
        dc->state.font = object;
        break;
    case GdiKind::Bitmap:
        if (!dc->memory || (obj->selectedInto != nullptr && obj->selectedInto != hdc)) {
            return nullptr;
        }
        old = dc->bitmap;
        SetBitmapOf(*dc, object);
        break;
    case GdiKind::Region:
        SelectClipRgn(hdc, static_cast<HRGN>(object));
        return reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(SIMPLEREGION));
    }
    return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return nullptr;
    }
    switch (type) {
    case OBJ_BRUSH:
        return dc->state.brush;
    case OBJ_PEN:
        return dc->state.pen;
    case OBJ_FONT:
        return dc->state.font;
    case OBJ_BITMAP:
        return dc->bitmap;
    default:
        return nullptr;
    }
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return 0;
    }
    dc->saved.push_back(dc->state);
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int saved) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || dc->saved.empty()) {
        return FALSE;
    }
    const int count = static_cast<int>(dc->saved.size());
    const int index = saved < 0 ? count + saved : saved - 1;
    if (index < 0 || index >= count) {
        return FALSE;
    }
    dc->state = dc->saved[static_cast<std::size_t>(index)];
    dc->saved.resize(static_cast<std::size_t>(index));
    return TRUE;
}

int GetDeviceCaps(HDC, int index) {
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return GetBackend() != nullptr ? GetBackend()->LogPixels() : 96;
    case HORZRES:
        return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return GetSystemMetrics(SM_CYSCREEN);
    case HORZSIZE:
        return GetSystemMetrics(SM_CXSCREEN) * 254 / 960;
    case VERTSIZE:
        return GetSystemMetrics(SM_CYSCREEN) * 254 / 960;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    default:
        return 0;
    }
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = dc->state.viewportOrg;
    }
    dc->state.viewportOrg = {x, y};
    return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || origin == nullptr) {
        return FALSE;
    }
    *origin = dc->state.viewportOrg;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = dc->state.viewportOrg;
    }
    dc->state.viewportOrg.x += dx;
    dc->state.viewportOrg.y += dy;
    return TRUE;
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = dc->state.windowOrg;
    }
    dc->state.windowOrg = {x, y};
    return TRUE;
}

BOOL LPtoDP(HDC hdc, LPPOINT points, int count) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    for (int i = 0; i < count; ++i) {
        points[i] = ToDevice(*dc, points[i].x, points[i].y);
    }
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    for (int i = 0; i < count; ++i) {
        points[i].x += dc->state.windowOrg.x - dc->state.viewportOrg.x;
        points[i].y += dc->state.windowOrg.y - dc->state.viewportOrg.y;
    }
    return TRUE;
}
COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    return std::exchange(dc->state.textColor, color & 0xFFFFFF);
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc == nullptr ? CLR_INVALID : dc->state.textColor;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    return std::exchange(dc->state.bkColor, color & 0xFFFFFF);
}

COLORREF GetBkColor(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc == nullptr ? CLR_INVALID : dc->state.bkColor;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    return std::exchange(dc->state.bkMode, mode);
}

int GetBkMode(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc == nullptr ? 0 : dc->state.bkMode;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return 0xFFFFFFFF;
    }
    return std::exchange(dc->state.textAlign, align);
}

UINT GetTextAlign(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc == nullptr ? 0xFFFFFFFF : dc->state.textAlign;
}

COLORREF SetDCBrushColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    return std::exchange(dc->state.dcBrushColor, color & 0xFFFFFF);
}

COLORREF SetDCPenColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    return std::exchange(dc->state.dcPenColor, color & 0xFFFFFF);
}
