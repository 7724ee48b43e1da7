// The GDI object table: creating, selecting and deleting brushes, pens,
// fonts, bitmaps and regions; device contexts and their attributes.

#include "views/win/gdi/internal/GdiObjects.h"
#include "views/win/backend/internal/InstalledBackend.h"

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <utility>

using namespace kwin;

namespace {

struct GdiTable {
    std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>> objects;
    std::unordered_map<HDC, std::unique_ptr<DeviceContext>> dcs;
    std::uintptr_t next = 0x40000000;
    std::array<HGDIOBJ, 20> stock{};
};

GdiTable& G() {
    static GdiTable table;
    return table;
}

HGDIOBJ AddObject(std::unique_ptr<GdiObject> obj) {
    auto& g = G();
    g.next += 4;
    auto handle = reinterpret_cast<HGDIOBJ>(g.next);
    g.objects.emplace(handle, std::move(obj));
    return handle;
}

LOGFONT MakeFont(LONG height, LONG weight, const char* face) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

void InitStock() {
    auto& g = G();
    if (g.stock[0] != nullptr) {
        return;
    }
    auto brush = [](COLORREF c, bool none) {
        auto o = std::make_unique<GdiObject>();
        o->kind = GdiKind::Brush;
        o->color = c;
        o->nullBrush = none;
        o->stock = true;
        return AddObject(std::move(o));
    };
    auto pen = [](COLORREF c, int style) {
        auto o = std::make_unique<GdiObject>();
        o->kind = GdiKind::Pen;
        o->color = c;
        o->penStyle = style;
        o->penWidth = 1;
        o->stock = true;
        return AddObject(std::move(o));
    };
    auto font = [](const LOGFONT& lf) {
        auto o = std::make_unique<GdiObject>();
        o->kind = GdiKind::Font;
        o->font = lf;
        o->stock = true;
        return AddObject(std::move(o));
    };
    g.stock[WHITE_BRUSH] = brush(RGB(255, 255, 255), false);
    g.stock[LTGRAY_BRUSH] = brush(RGB(192, 192, 192), false);
    g.stock[GRAY_BRUSH] = brush(RGB(128, 128, 128), false);
    g.stock[DKGRAY_BRUSH] = brush(RGB(64, 64, 64), false);
    g.stock[BLACK_BRUSH] = brush(RGB(0, 0, 0), false);
    g.stock[NULL_BRUSH] = brush(0, true);
    g.stock[WHITE_PEN] = pen(RGB(255, 255, 255), PS_SOLID);
    g.stock[BLACK_PEN] = pen(RGB(0, 0, 0), PS_SOLID);
    g.stock[NULL_PEN] = pen(0, PS_NULL);
    g.stock[OEM_FIXED_FONT] = font(MakeFont(12, FW_NORMAL, "Courier New"));
    g.stock[ANSI_FIXED_FONT] = font(MakeFont(-13, FW_NORMAL, "Courier New"));
    g.stock[ANSI_VAR_FONT] = font(MakeFont(-11, FW_NORMAL, "MS Sans Serif"));
    g.stock[SYSTEM_FONT] = font(MakeFont(16, FW_BOLD, "System"));
    g.stock[DEVICE_DEFAULT_FONT] = font(MakeFont(16, FW_BOLD, "System"));
    g.stock[SYSTEM_FIXED_FONT] = font(MakeFont(16, FW_NORMAL, "Courier New"));
    g.stock[DEFAULT_GUI_FONT] = font(MakeFont(-11, FW_NORMAL, "MS Shell Dlg"));
    g.stock[DC_BRUSH] = brush(RGB(255, 255, 255), false);
    g.stock[DC_PEN] = pen(RGB(0, 0, 0), PS_SOLID);
    g.stock[DEFAULT_PALETTE] = nullptr;
}

DcState DefaultState() {
    InitStock();
    DcState s;
    s.brush = G().stock[WHITE_BRUSH];
    s.pen = G().stock[BLACK_PEN];
    s.font = G().stock[SYSTEM_FONT];
    return s;
}

HDC AddDC(std::unique_ptr<DeviceContext> dc) {
    auto& g = G();
    g.next += 4;
    dc->handle = reinterpret_cast<HDC>(g.next);
    const HDC handle = dc->handle;
    g.dcs.emplace(handle, std::move(dc));
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

GdiObject* FindGdiObject(HGDIOBJ handle) {
    InitStock();
    const auto it = G().objects.find(handle);
    return it == G().objects.end() ? nullptr : it->second.get();
}

DeviceContext* FindDeviceContext(HDC hdc) {
    const auto it = G().dcs.find(hdc);
    return it == G().dcs.end() ? nullptr : it->second.get();
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
        G().dcs.erase(hdc);
    }
    return dirty;
}

RECT EffectiveClip(const DeviceContext& dc) {
    RECT r = dc.baseClip;
    if (dc.state.clip) {
        IntersectRect(&r, &r, &*dc.state.clip);
    }
    return r;
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

void FillDeviceRect(DeviceContext& dc, RECT r, std::uint32_t pixel) {
    const RECT clip = EffectiveClip(dc);
    if (!IntersectRect(&r, &r, &clip)) {
        return;
    }
    Surface& s = *dc.surface;
    for (LONG y = r.top; y < r.bottom; ++y) {
        std::fill(s.Row(y) + r.left, s.Row(y) + r.right, pixel);
    }
    MarkDirty(dc, r);
}

std::optional<COLORREF> BrushColor(HBRUSH brush, const DeviceContext* dc) {
    const auto value = reinterpret_cast<UINT_PTR>(brush);
    if (value >= 1 && value <= 31) {
        return GetSysColor(static_cast<int>(value - 1)); // COLOR_x + 1
    }
    GdiObject* obj = FindGdiObject(brush);
    if (obj == nullptr || obj->kind != GdiKind::Brush || obj->nullBrush) {
        return std::nullopt;
    }
    if (dc != nullptr && brush == reinterpret_cast<HBRUSH>(G().stock[DC_BRUSH])) {
        return dc->state.dcBrushColor;
    }
    return obj->color;
}

const LOGFONT& SelectedFont(const DeviceContext& dc) {
    GdiObject* obj = FindGdiObject(dc.state.font);
    static const LOGFONT fallback = MakeFont(16, FW_BOLD, "System");
    return obj != nullptr ? obj->font : fallback;
}

} // namespace kwin

HGDIOBJ GetStockObject(int index) {
    InitStock();
    if (index < 0 || index >= static_cast<int>(G().stock.size())) {
        return nullptr;
    }
    return G().stock[static_cast<std::size_t>(index)];
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto o = std::make_unique<GdiObject>();
    o->kind = GdiKind::Brush;
    o->color = color & 0xFFFFFF;
    return static_cast<HBRUSH>(AddObject(std::move(o)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (brush == nullptr) {
        return nullptr;
    }
    if (brush->lbStyle == BS_NULL) {
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return CreateSolidBrush(brush->lbColor);
}

HPEN CreatePen(int style, int width, COLORREF color) {
    auto o = std::make_unique<GdiObject>();
    o->kind = GdiKind::Pen;
    o->penStyle = style & 0x0F;
    o->penWidth = std::max(width, 1);
    o->color = color & 0xFFFFFF;
    return static_cast<HPEN>(AddObject(std::move(o)));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    return pen == nullptr
               ? nullptr
               : CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (font == nullptr) {
        return nullptr;
    }
    auto o = std::make_unique<GdiObject>();
    o->kind = GdiKind::Font;
    o->font = *font;
    o->font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(AddObject(std::move(o)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face != nullptr) {
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    }
    return CreateFontIndirect(&lf);
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto o = std::make_unique<GdiObject>();
    o->kind = GdiKind::Bitmap;
    o->surface = std::make_shared<Surface>(width, height, 0xFF000000);
    return static_cast<HBITMAP>(AddObject(std::move(o)));
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits) {
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, width, height);
    if (bmp != nullptr && bits != nullptr && bitsPerPixel == 32) {
        auto& s = *FindGdiObject(bmp)->surface;
        std::memcpy(s.Bits(), bits, static_cast<std::size_t>(width) * height * 4);
        for (int i = 0; i < width * height; ++i) {
            s.Bits()[i] |= 0xFF000000u;
        }
    }
    return bmp;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto o = std::make_unique<GdiObject>();
    o->kind = GdiKind::Region;
    o->rect = {std::min(left, right), std::min(top, bottom), std::max(left, right),
               std::max(top, bottom)};
    return static_cast<HRGN>(AddObject(std::move(o)));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
    return r == nullptr ? nullptr : CreateRectRgn(r->left, r->top, r->right, r->bottom);
}

int GetRgnBox(HRGN region, LPRECT rect) {
    GdiObject* o = FindGdiObject(region);
    if (o == nullptr || o->kind != GdiKind::Region || rect == nullptr) {
        return ERROR_REGION;
    }
    *rect = o->rect;
    return IsRectEmpty(rect) ? NULLREGION : SIMPLEREGION;
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* obj = FindGdiObject(object);
    if (obj == nullptr) {
        return FALSE;
    }
    if (obj->stock) {
        return TRUE;
    }
    if (obj->kind == GdiKind::Bitmap && obj->selectedInto != nullptr) {
        return FALSE; // still selected, as on the platform
    }
    G().objects.erase(object);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ object) {
    if (DeviceContext* dc = FindDeviceContext(static_cast<HDC>(object))) {
        return dc->memory ? OBJ_MEMDC : OBJ_DC;
    }
    GdiObject* obj = FindGdiObject(object);
    if (obj == nullptr) {
        return 0;
    }
    switch (obj->kind) {
    case GdiKind::Brush:
        return OBJ_BRUSH;
    case GdiKind::Pen:
        return OBJ_PEN;
    case GdiKind::Font:
        return OBJ_FONT;
    case GdiKind::Bitmap:
        return OBJ_BITMAP;
    case GdiKind::Region:
        return 5; // OBJ_REGION
    }
    return 0;
}

int GetObject(HGDIOBJ object, int size, LPVOID buffer) {
    GdiObject* obj = FindGdiObject(object);
    if (obj == nullptr) {
        return 0;
    }
    auto copy = [&](const auto& value) {
        const int n = static_cast<int>(sizeof(value));
        if (buffer == nullptr) {
            return n;
        }
        std::memcpy(buffer, &value, static_cast<std::size_t>(std::min(n, size)));
        return std::min(n, size);
    };
    switch (obj->kind) {
    case GdiKind::Font:
        return copy(obj->font);
    case GdiKind::Brush:
        return copy(LOGBRUSH{obj->nullBrush ? BS_NULL : BS_SOLID, obj->color, 0});
    case GdiKind::Pen:
        return copy(LOGPEN{static_cast<UINT>(obj->penStyle), POINT{obj->penWidth, 0}, obj->color});
    case GdiKind::Bitmap:
        return copy(BITMAP{0, obj->surface->Width(), obj->surface->Height(),
                           obj->surface->BytesPerLine(), 1, 32, obj->surface->Bits()});
    case GdiKind::Region:
        return 0;
    }
    return 0;
}

HDC CreateCompatibleDC(HDC) {
    auto dc = std::make_unique<DeviceContext>();
    dc->memory = true;
    dc->state = DefaultState();
    const HDC handle = AddDC(std::move(dc));
    // A new memory DC holds a 1 x 1 bitmap of its own, as on the platform.
    HBITMAP stockBitmap = CreateCompatibleBitmap(nullptr, 1, 1);
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
                G().objects.erase(dc->bitmap); // the DC's own 1 x 1 bitmap
            }
        }
    }
    G().dcs.erase(hdc);
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

int GetClipBox(HDC hdc, LPRECT rect) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return ERROR_REGION;
    }
    *rect = EffectiveClip(*dc);
    const LONG dx = dc->state.windowOrg.x - dc->state.viewportOrg.x;
    const LONG dy = dc->state.windowOrg.y - dc->state.viewportOrg.y;
    OffsetRect(rect, dx, dy);
    return IsRectEmpty(rect) ? NULLREGION : SIMPLEREGION;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return ERROR_REGION;
    }
    const POINT a = ToDevice(*dc, left, top);
    const POINT b = ToDevice(*dc, right, bottom);
    RECT r{a.x, a.y, b.x, b.y};
    if (dc->state.clip) {
        IntersectRect(&r, &r, &*dc->state.clip);
    }
    dc->state.clip = r;
    return IsRectEmpty(&r) ? NULLREGION : SIMPLEREGION;
}

int ExcludeClipRect(HDC hdc, int, int, int, int) {
    // Only rectangular clips are kept; nothing here excludes areas.
    return FindDeviceContext(hdc) != nullptr ? SIMPLEREGION : ERROR_REGION;
}

int SelectClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return ERROR_REGION;
    }
    if (region == nullptr) {
        dc->state.clip.reset();
        return SIMPLEREGION;
    }
    GdiObject* obj = FindGdiObject(region);
    if (obj == nullptr || obj->kind != GdiKind::Region) {
        return ERROR_REGION;
    }
    dc->state.clip = obj->rect; // region coordinates are device coordinates
    return IsRectEmpty(&obj->rect) ? NULLREGION : SIMPLEREGION;
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
