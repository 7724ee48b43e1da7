#include "app/MainAccelerators.h"

#include "app/CommandIds.h"
#include "app/ResourceIds.h"
#include "views/win/ResourceTemplates.h"
#include "views/win/Win32.h"

namespace {

constexpr BYTE Ctrl = FVIRTKEY | FCONTROL;
constexpr BYTE Shift = FVIRTKEY | FSHIFT;
constexpr BYTE Alt = FVIRTKEY | FALT;
constexpr BYTE Plain = FVIRTKEY;

ACCEL Key(BYTE modifiers, WORD key, UINT command) {
    return {modifiers, key, static_cast<WORD>(command)};
}

} // namespace

void RegisterMainAccelerators() {
    kwin::RegisterAcceleratorTable(IDR_MAINFRAME, {
                                                      Key(Ctrl, 'C', ID_EDIT_COPY),
                                                      Key(Ctrl, VK_INSERT, ID_EDIT_COPY),
                                                      Key(Shift, VK_DELETE, ID_EDIT_CUT),
                                                      Key(Ctrl, 'X', ID_EDIT_CUT),
                                                      Key(Ctrl, 'V', ID_EDIT_PASTE),
                                                      Key(Shift, VK_INSERT, ID_EDIT_PASTE),
                                                      Key(Alt, VK_BACK, ID_GAME_UNDO),
                                                      Key(Ctrl, 'Z', ID_GAME_UNDO),
                                                      Key(Ctrl, 'N', ID_FILE_NEW),
                                                      Key(Ctrl, 'O', ID_FILE_LOAD),
                                                      Key(Plain, VK_F3, ID_FILE_LOAD),
                                                      Key(Ctrl, 'P', ID_FILE_PRINT),
                                                      Key(Ctrl, 'S', ID_FILE_SAVE),
                                                      Key(Plain, VK_F4, ID_GAME_MAKE_SNAPSHOT),
                                                      Key(Plain, VK_F6, ID_NEXT_PANE),
                                                      Key(Shift, VK_F6, ID_PREV_PANE),
                                                      Key(Plain, VK_F2, ID_FILE_SAVE),
                                                  });
}
