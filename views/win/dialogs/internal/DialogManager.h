#pragma once

// Internal: the dialog manager's state of a dialog window and the modal run
// shared by dialog boxes and message boxes.

#include "views/win/api/WinTypes.h"
#include "views/win/backend/Backend.h"
#include "views/win/resources/ResourceTemplates.h"

namespace kwin {

struct DialogState {
    DLGPROC proc = nullptr;
    HFONT font = nullptr;
    bool ownsFont = false;
    int baseX = 0; // dialog base units of the dialog's font, pixels
    int baseY = 0;
    int defaultId = 0;
    HWND savedFocus = nullptr;
    bool ended = false;
    INT_PTR result = 0;
};

DialogState* FindDialogState(HWND dialog);
// Creates the dialog and its controls hidden, sends WM_INITDIALOG and places
// the focus; nullptr when the template cannot be used.
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialog, HWND owner,
                              DLGPROC proc, LPARAM param);
// Runs the dialog modally with its owner disabled; announces it to the modal hook as kind.
INT_PTR RunModalDialog(HINSTANCE instance, const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                       LPARAM param, ModalKind kind);
// The pixel size of a font's dialog units (average character width, height).
SIZE DialogBaseUnits(HFONT font);

} // namespace kwin
