// String table, icons and cursors as compiled-in data.

#include "views/win/resources/Resources.h"

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/gdi/internal/GdiObjects.h"
#include "views/win/gdi/internal/PixelCanvas.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

using namespace kwin;

namespace {

struct IconObject {
    int systemId = 0;
    bool cursor = false;
    bool shared = false;
    // Icons are drawings: painted at their size, once for each device pixel
    // ratio they are shown at. Cursors have none.
    IconPainter painter;
    int size = 0;
    std::map<double, std::shared_ptr<Surface>> images;
};

struct ResourceTable {
    std::map<UINT, std::string> strings;
    std::map<UINT, IconPainter> icons;
    std::unordered_map<HICON, IconObject> iconObjects;
    std::map<std::pair<int, bool>, HICON> systemHandles; // (id, cursor)
    std::map<std::pair<UINT, int>, HICON> sharedIcons;   // (id, size)
    std::uintptr_t next = 0x20000000;
};

ResourceTable& R() {
    static ResourceTable table;
    return table;
}

HICON AddIcon(IconObject obj) {
    auto& r = R();
    r.next += 4;
    auto handle = reinterpret_cast<HICON>(r.next);
    r.iconObjects.emplace(handle, std::move(obj));
    return handle;
}

// Paints an icon through the layer's own drawing operations, in a bitmap
// with the ratio's pixels.
std::shared_ptr<Surface> PaintIcon(const IconPainter& painter, int size, double ratio) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = NewBitmap(size, size, ratio);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH key = CreateSolidBrush(IconTransparentColor);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, key);
    DeleteObject(key);
    painter(dc, size);
    auto image = std::make_shared<Surface>(*FindDeviceContext(dc)->surface);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    const std::uint32_t transparent = Surface::FromColorRef(IconTransparentColor);
    for (int y = 0; y < image->PixelHeight(); ++y) {
        for (int x = 0; x < image->PixelWidth(); ++x) {
            std::uint32_t& p = image->PixelRow(y)[x];
            if (p == transparent) {
                p = 0;
            }
        }
    }
    return image;
}

// The system's generic application icon: a framed window.
void PaintGenericIcon(HDC dc, int size) {
    HBRUSH frame = CreateSolidBrush(RGB(0, 84, 153));
    HBRUSH body = CreateSolidBrush(RGB(255, 255, 255));
    const RECT outer{size / 8, size / 8, size - size / 8, size - size / 8};
    FillRect(dc, &outer, frame);
    const RECT inner{outer.left + 1, outer.top + std::max(2, size / 6), outer.right - 1,
                     outer.bottom - 1};
    FillRect(dc, &inner, body);
    DeleteObject(frame);
    DeleteObject(body);
}

HICON SystemHandle(int id, bool cursor) {
    auto& r = R();
    const auto key = std::make_pair(id, cursor);
    if (const auto it = r.systemHandles.find(key); it != r.systemHandles.end()) {
        return it->second;
    }
    IconObject obj;
    obj.systemId = id;
    obj.cursor = cursor;
    obj.shared = true;
    if (!cursor) {
        obj.painter = PaintGenericIcon;
        obj.size = GetSystemMetrics(SM_CXICON);
    }
    HICON handle = AddIcon(std::move(obj));
    r.systemHandles[key] = handle;
    return handle;
}

bool IsSystemCursorId(int id) {
    return (id >= OCR_NORMAL && id <= OCR_UP) || (id >= OCR_SIZE && id <= OCR_HELP);
}

} // namespace

namespace kwin {

void RegisterStrings(const std::map<UINT, std::string>& strings) {
    for (const auto& [id, text] : strings) {
        R().strings[id] = text;
    }
}

void RegisterIcon(UINT id, IconPainter painter) {
    R().icons[id] = std::move(painter);
}

int SystemCursorId(HCURSOR cursor) {
    const auto it = R().iconObjects.find(cursor);
    return it == R().iconObjects.end() ? 0 : it->second.systemId;
}

std::shared_ptr<const Surface> IconImage(HICON icon, double ratio) {
    const auto it = R().iconObjects.find(icon);
    if (it == R().iconObjects.end() || !it->second.painter) {
        return nullptr;
    }
    IconObject& obj = it->second;
    auto& image = obj.images[ratio];
    if (!image) {
        image = PaintIcon(obj.painter, obj.size, ratio);
    }
    return image;
}

} // namespace kwin

int LoadString(HINSTANCE, UINT id, LPSTR buffer, int size) {
    const auto& strings = R().strings;
    const auto it = strings.find(id);
    if (it == strings.end() || buffer == nullptr || size <= 0) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        if (buffer != nullptr && size > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    const int n = std::min<int>(static_cast<int>(it->second.size()), size - 1);
    std::memcpy(buffer, it->second.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
    if (instance == nullptr && IS_INTRESOURCE(name)) {
        const int id = static_cast<int>(reinterpret_cast<UINT_PTR>(name));
        if (IsSystemCursorId(id)) {
            return SystemHandle(id, true);
        }
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

BOOL DestroyCursor(HCURSOR cursor) {
    return DestroyIcon(cursor);
}

HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    if (type == IMAGE_CURSOR) {
        return LoadCursor(instance, name);
    }
    if (type != IMAGE_ICON || !IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    if (cx == 0) {
        cx = GetSystemMetrics(SM_CXICON);
    }
    if (cy == 0) {
        cy = GetSystemMetrics(SM_CYICON);
    }
    const int size = std::max(1, std::min(cx, cy));
    auto& r = R();
    const auto painter = r.icons.find(id);
    if (painter == r.icons.end()) {
        if (instance == nullptr && id >= OIC_SAMPLE && id <= OIC_WINLOGO) {
            return SystemHandle(static_cast<int>(id), false);
        }
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    if (flags & LR_SHARED) {
        if (const auto it = r.sharedIcons.find({id, size}); it != r.sharedIcons.end()) {
            return it->second;
        }
    }
    IconObject obj;
    obj.shared = (flags & LR_SHARED) != 0;
    obj.painter = painter->second;
    obj.size = size;
    HICON handle = AddIcon(std::move(obj));
    if (flags & LR_SHARED) {
        r.sharedIcons[{id, size}] = handle;
    }
    return handle;
}

HICON LoadIcon(HINSTANCE instance, LPCSTR name) {
    return static_cast<HICON>(LoadImage(instance, name, IMAGE_ICON, 0, 0, LR_SHARED));
}

BOOL DestroyIcon(HICON icon) {
    auto& objects = R().iconObjects;
    const auto it = objects.find(icon);
    if (it == objects.end()) {
        return FALSE;
    }
    if (!it->second.shared) {
        objects.erase(it);
    }
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT) {
    DeviceContext* dc = FindDeviceContext(hdc);
    const auto image = dc != nullptr ? IconImage(icon, dc->surface->Ratio()) : nullptr;
    if (!image) {
        return FALSE;
    }
    if (cx == 0) {
        cx = image->Width();
    }
    if (cy == 0) {
        cy = image->Height();
    }
    // The icon's pixels stretched over the pixels of the target rectangle.
    const POINT origin = ToDevice(*dc, x, y);
    PixelCanvas canvas(*dc);
    const RECT t = canvas.ToPixels(RECT{origin.x, origin.y, origin.x + cx, origin.y + cy});
    const int width = t.right - t.left;
    const int height = t.bottom - t.top;
    for (int dy = 0; dy < height; ++dy) {
        const std::uint32_t* row = image->PixelRow(dy * image->PixelHeight() / height);
        for (int dx = 0; dx < width; ++dx) {
            const std::uint32_t p = row[dx * image->PixelWidth() / width];
            if ((p >> 24) != 0) {
                canvas.Set(t.left + dx, t.top + dy, p | 0xFF000000u);
            }
        }
    }
    return TRUE;
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
    const auto it = R().iconObjects.find(icon);
    if (it == R().iconObjects.end() || info == nullptr) {
        return FALSE;
    }
    *info = ICONINFO{it->second.cursor ? FALSE : TRUE, 0, 0, nullptr, nullptr};
    return TRUE;
}
