// The field view's mouse: a button selects the cell under it and captures
// the mouse, so that dragging moves the selection until the button is let go;
// a double click toggles the input mode.

#include "views/CGameFieldView.h"

namespace {

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

CellPos CGameFieldView::HitTest(POINT point) const {
    RECT client{0, 0, 0, 0};
    GetClientRect(&client);
    const int width = client.right - 2;
    const int height = client.bottom - 2;
    if (!m_ownPoints) {
        ::MapWindowPoints(GetParent(), GetHwnd(), &point, 1);
    }
    if (point.x < 0 || point.y < 0 || point.x >= width || point.y >= height) {
        return {};
    }
    const auto column = static_cast<std::uint32_t>(static_cast<double>(point.x) / width * 9) + 1;
    const auto row = static_cast<std::uint32_t>(static_cast<double>(point.y) / height * 9) + 1;
    const CellPos pos{column, row};
    return pos.IsValid() ? pos : CellPos{};
}

bool CGameFieldView::OnButtonDown(LPARAM lParam, bool left) {
    if (IsGameOver()) {
        return true;
    }
    const CellPos pos = HitTest(PointOf(lParam));
    if (!pos.IsValid()) {
        return false;
    }
    SelectCell(pos);
    if (!IsCaptured()) {
        ::SetCapture(GetHwnd());
        SetCaptured(true);
    }
    if (left) {
        SetLeftDrag(true);
    } else {
        SetRightDrag(true);
    }
    return true;
}

bool CGameFieldView::OnMouseMove(LPARAM lParam) {
    if (IsGameOver()) {
        return true;
    }
    if (!IsLeftDrag() && !IsRightDrag()) {
        return false;
    }
    const CellPos pos = HitTest(PointOf(lParam));
    if (!pos.IsValid()) {
        return false;
    }
    SelectCell(pos);
    return true;
}

bool CGameFieldView::OnButtonUp(LPARAM lParam, bool left) {
    if (IsGameOver()) {
        return true;
    }
    if (left ? IsLeftDrag() : IsRightDrag()) {
        if (left) {
            SetLeftDrag(false);
        } else {
            SetRightDrag(false);
        }
        if (const CellPos pos = HitTest(PointOf(lParam)); pos.IsValid()) {
            SelectCell(pos);
        }
    }
    if (IsCaptured()) {
        SetCaptured(false);
        ::ReleaseCapture();
    }
    return true;
}

bool CGameFieldView::OnDoubleClick(LPARAM lParam) {
    if (IsGameOver()) {
        return true;
    }
    if (!HitTest(PointOf(lParam)).IsValid()) {
        return false;
    }
    ToggleInputMode();
    return true;
}

void CGameFieldView::OnCaptureLost() {
    // A button up lets the capture go after clearing the flag: the other
    // button's drag, if any, goes on until its own button up, following the
    // moves the main window passes on.
    if (!IsCaptured()) {
        return;
    }
    // Someone else took the mouse in the middle of a drag (a dialog, say):
    // the drag is over, and the next click arrives through the main window.
    SetCaptured(false);
    SetLeftDrag(false);
    SetRightDrag(false);
}
