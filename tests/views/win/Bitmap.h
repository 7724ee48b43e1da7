#pragma once

// A memory DC with a compatible bitmap selected, for pixel tests.

#include "views/win/Win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

// One pixel a test expects: where, and its colour.
struct Pixel {
    int x;
    int y;
    COLORREF color;
};

// Selects the objects that are not null, draws, selects the previous ones
// back and deletes the selected objects (stock ones stay).
template <class Draw> void DrawWith(HDC dc, HGDIOBJ pen, HGDIOBJ brush, Draw draw) {
    const HGDIOBJ oldPen = pen != nullptr ? SelectObject(dc, pen) : nullptr;
    const HGDIOBJ oldBrush = brush != nullptr ? SelectObject(dc, brush) : nullptr;
    draw(dc);
    for (const auto& [selected, old] : {std::pair{brush, oldBrush}, std::pair{pen, oldPen}}) {
        if (selected != nullptr) {
            SelectObject(dc, old);
            DeleteObject(selected);
        }
    }
}

// Fills a rectangle with a solid colour.
inline void Fill(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

class Bitmap {
public:
    Bitmap(int width, int height, COLORREF fill = RGB(255, 255, 255)) {
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateCompatibleBitmap(m_dc, width, height);
        m_old = SelectObject(m_dc, m_bitmap);
        Fill(m_dc, {0, 0, width, height}, fill);
    }
    ~Bitmap() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    void ExpectPixels(std::initializer_list<Pixel> pixels) const {
        for (const Pixel& p : pixels) {
            EXPECT_EQ(At(p.x, p.y), p.color) << "at (" << p.x << ", " << p.y << ")";
        }
    }
    // Counts the pixels of a colour inside a rectangle.
    int Count(const RECT& r, COLORREF color) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                n += At(x, y) == color ? 1 : 0;
            }
        }
        return n;
    }
    // The bounding box of the pixels in an area that match; empty when there
    // are none.
    template <class Match> RECT Bounds(const RECT& area, Match match) const {
        RECT box{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (match(At(x, y))) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box;
    }
    // The bounding box of the pixels of a colour.
    RECT Bounds(COLORREF color, int width, int height) const {
        return Bounds(RECT{0, 0, width, height}, [color](COLORREF c) { return c == color; });
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};
