// The GDI object table: creating, selecting and deleting brushes, pens,
// fonts, bitmaps and regions, and the stock objects.

#include "views/win/gdi/internal/GdiObjects.h"

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <utility>

using namespace kwin;

namespace {

struct GdiTable {
    std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>> objects;
    std::array<HGDIOBJ, 20> stock{};
};

GdiTable& G() {
    static GdiTable table;
    return table;
}

HGDIOBJ AddObject(std::unique_ptr<GdiObject> obj) {
    const auto handle = NextGdiHandle();
    G().objects.emplace(handle, std::move(obj));
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

} // namespace

namespace kwin {

HBITMAP NewBitmap(int width, int height, double ratio) {
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto o = std::make_unique<GdiObject>();
    o->kind = GdiKind::Bitmap;
    o->surface = std::make_shared<Surface>(width, height, 0xFF000000, ratio);
    return static_cast<HBITMAP>(AddObject(std::move(o)));
}

HGDIOBJ NextGdiHandle() {
    static std::uintptr_t next = 0x40000000;
    next += 4;
    return reinterpret_cast<HGDIOBJ>(next);
}

GdiObject* FindGdiObject(HGDIOBJ handle) {
    InitStock();
    const auto it = G().objects.find(handle);
    return it == G().objects.end() ? nullptr : it->second.get();
}

void ForgetGdiObject(HGDIOBJ handle) {
    G().objects.erase(handle);
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

const LOGFONT& FallbackFont() {
    static const LOGFONT fallback = MakeFont(16, FW_BOLD, "System");
    return fallback;
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

// A bitmap compatible with a DC has the device pixel ratio of the surface
// behind it, so what is drawn off screen for a window is as fine as the window.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    const DeviceContext* dc = FindDeviceContext(hdc);
    return NewBitmap(width, height, dc != nullptr ? dc->surface->Ratio() : 1.0);
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits) {
    HBITMAP bmp = NewBitmap(width, height, 1.0);
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
        // The memory bmBits points at: its size is in pixels.
        return copy(BITMAP{0, obj->surface->PixelWidth(), obj->surface->PixelHeight(),
                           obj->surface->BytesPerLine(), 1, 32, obj->surface->Bits()});
    case GdiKind::Region:
        return 0;
    }
    return 0;
}
