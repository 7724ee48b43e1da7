#pragma once

#include "views/CHintStripAccessible.h"
#include "views/win/framework/CWindow.h"

#include <cstdint>

// The hint strip: one row of nine slots under the board, one per digit,
// showing the selected cell's digit or candidate marks; a click on a slot
// enters that digit (or toggles its mark) through the field view.
class CHintCtrl : public CWindow {
public:
    // True when the strip handled the message; result is then the answer.
    // Clicks arrive in the parent's client coordinates.
    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool IsShown() const { return m_shown; }
    std::uint8_t GetDigit() const { return m_digit; }
    std::uint16_t GetFlags() const { return m_flags; }
    std::uint32_t GetInputMode() const { return m_inputMode; }

    // What a click on the digit's slot does: the field view enters it.
    void EnterDigit(int digit);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCellState(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(LPARAM objectId);
    bool OnClick(LPARAM lParam);
    void OnPaint();
    void PaintStrip(HDC dc, const RECT& client) const;
    void PaintDigits(HDC dc, const RECT& client, double slotWidth) const;

    std::uint8_t m_digit = 0;
    std::uint16_t m_flags = 0;
    std::uint32_t m_inputMode = 0;
    bool m_shown = false;
    CHintStripAccessible m_accessible{*this};
};
