// How the core routes keys the backend delivers: to the focus window, Alt
// making system keys, F10 or Alt alone calling for the menu bar, and the
// desktop's close request kept behind the keys. (The mouse, double clicks,
// capture, the key state and sizing are checked with real input in QtInputTest.)

#include "TestWindows.h"

#include "views/win/backend/Backend.h"

using namespace wintest;

// Alt+letter asks the top-level window for the menu of that mnemonic. F10 or
// Alt released right after its own press calls for the menu bar (SC_KEYMENU,
// no character); a key or click in between, Shift+F10 or Ctrl+F10 do not.
TEST(InputRoutingTest, KeysGoToTheFocusWindowAndF10OrAltAloneCallsForTheMenuBar) {
    HWND top = CreateWindowEx(0, SpyClass(0), "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                              nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowEx(0, SpyClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top,
                                nullptr, nullptr, nullptr);
    SetFocus(child);
    PumpMessages();
    Log().Clear();
    kwin::DeliverKey(top, true, 'A', 0x1E, false, false, 0, 'a');
    kwin::DeliverKey(top, true, 'F', 0x21, false, false, kwin::ModAlt, 'f');
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_KEYDOWN, CheckBoth, 'A', 0x001E0001, child},
                               {WM_CHAR, CheckW, 'a', 0, child},
                               {WM_SYSKEYDOWN, CheckBoth, 'F', 0x20210001, child},
                               {WM_SYSCHAR, CheckW, 'f', 0, child},
                               {WM_SYSCOMMAND, CheckBoth, SC_KEYMENU, 'f', top}}));
    DestroyWindow(child);

    struct MenuKeyCase {
        const char* name;
        std::vector<std::pair<UINT, bool>> keys; // virtual key, down
        bool menuCalled;
    };
    const MenuKeyCase cases[] = {
        // F10 and Alt alone, Alt+Backspace and Shift+F10 are pressed on the
        // game's menu bar in MenuKeysTest.
        {"Alt held (repeating)", {{VK_MENU, true}, {VK_MENU, true}, {VK_MENU, false}}, true},
        {"Ctrl+F10",
         {{VK_CONTROL, true}, {VK_F10, true}, {VK_F10, false}, {VK_CONTROL, false}},
         false},
        {"F10 held, then A", {{VK_F10, true}, {'A', true}, {'A', false}, {VK_F10, false}}, false},
    };
    SetFocus(top);
    for (const MenuKeyCase& c : cases) {
        PumpMessages();
        Log().Clear();
        unsigned modifiers = 0;
        for (const auto& [vk, down] : c.keys) {
            const unsigned bit = vk == VK_MENU      ? kwin::ModAlt
                                 : vk == VK_SHIFT   ? kwin::ModShift
                                 : vk == VK_CONTROL ? kwin::ModControl
                                                    : 0;
            modifiers = down ? (modifiers | bit) : (modifiers & ~bit);
            kwin::DeliverKey(top, down, vk, 0, false, false, modifiers, 0);
        }
        PumpMessages();
        const Expected keyMenu{WM_SYSCOMMAND, CheckBoth, SC_KEYMENU, 0};
        EXPECT_TRUE(Only({WM_SYSCOMMAND})
                        .Matches(c.menuCalled ? std::vector{keyMenu} : std::vector<Expected>{}))
            << c.name;
    }

    // The desktop's close request waits behind the keys delivered before it.
    Log().Clear();
    kwin::DeliverKey(top, true, '5', 0x06, false, false, 0, '5');
    kwin::DeliverClose(top);
    PumpMessages();
    EXPECT_TRUE(Only({WM_KEYDOWN, WM_SYSCOMMAND})
                    .Matches({{WM_KEYDOWN, CheckW, '5'}, {WM_SYSCOMMAND, CheckW, SC_CLOSE}}));
    EXPECT_FALSE(IsWindow(top));
}
