#pragma once

#include "session/CGameFieldCtrl.h"
#include "views/CFieldAccessible.h"
#include "views/CFieldAnnouncer.h"

// The field view as a window: the game session with its painting and its
// keyboard and mouse handling. The main window keeps the keyboard focus and
// offers its messages to ProcessMessage; the view's own window gets only its
// paints, the digits from the hint strip and, while it holds the capture,
// the mouse.
class CGameFieldView : public CGameFieldCtrl {
public:
    // True when the view handled the message; result is then the answer.
    // Mouse coordinates are in the parent's client area unless the view has
    // captured the mouse, when they are the view's own.
    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The cell under a point, as the mouse handlers see it; (0, 0) for none.
    // The point is in the main window's client area unless the message being
    // handled came to the view's own window.
    CellPos HitTest(POINT point) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShownStateChanged() override;

private:
    // FieldPaint.cpp
    void OnPaint();

    // FieldKeys.cpp
    bool OnKeyDown(UINT key);
    bool OnGameKey(UINT key, bool control, bool shift);
    bool OnCellKey(UINT key, bool control, bool shift);
    bool OnMoveKey(UINT key, bool control);
    void EnterDigitKey(int digit, bool control);

    // FieldMouse.cpp
    bool OnButtonDown(LPARAM lParam, bool left);
    bool OnButtonUp(LPARAM lParam, bool left);
    bool OnMouseMove(LPARAM lParam);
    bool OnDoubleClick(LPARAM lParam);
    void OnCaptureLost();

    // CGameFieldView.cpp: what accessibility clients read of the board.
    LRESULT OnGetObject(LPARAM objectId);

    // True while a message addressed to the view's own window is handled.
    bool m_ownPoints = false;
    CFieldAccessible m_accessible{*this};
    CFieldAnnouncer m_announcer{*this};
};
