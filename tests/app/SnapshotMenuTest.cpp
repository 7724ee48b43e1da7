// The "Load snapshot" submenu: grayed and empty until the first snapshot,
// twenty items with their command ids, emptied and rebuilt.

#include "app/CSnapshotMenu.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT Holder = ID_GAME_LOAD_SNAPSHOT;

class SnapshotMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_bar = CreateMenu();
        AppendMenu(m_bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "File");
        m_game = CreatePopupMenu();
        AppendMenu(m_game, MF_STRING, 32806, "&Make a snapshot...\tF4");
        AppendMenu(m_game, MF_STRING, Holder, "&Load snapshot");
        AppendMenu(m_bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m_game), "Game");
        m_menu.Initialize(m_bar);
    }
    void TearDown() override { DestroyMenu(m_bar); }

    HMENU Attached() const {
        MENUITEMINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_SUBMENU;
        GetMenuItemInfo(m_game, Holder, FALSE, &info);
        return info.hSubMenu;
    }
    bool Grayed() const { return (GetMenuState(m_game, Holder, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    static std::string Label(HMENU popup, int position) {
        char text[64] = {};
        GetMenuString(popup, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
        return text;
    }

    HMENU m_bar = nullptr;
    HMENU m_game = nullptr;
    CSnapshotMenu m_menu;
};

} // namespace

TEST_F(SnapshotMenuTest, GrayedWithoutSnapshotsAndAttachedWithTheFirst) {
    EXPECT_TRUE(Grayed());
    EXPECT_EQ(Attached(), nullptr);

    m_menu.Append("start (00:00:03)");
    HMENU popup = Attached();
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(Grayed());
    EXPECT_EQ(GetMenuItemID(popup, 0), 36864u);
    EXPECT_EQ(Label(popup, 0), "start (00:00:03)");
}

TEST_F(SnapshotMenuTest, TwentyItemsThenClearedAndRebuilt) {
    for (int i = 0; i < 20; ++i) {
        m_menu.Append("s" + std::to_string(i));
    }
    HMENU popup = Attached();
    ASSERT_EQ(GetMenuItemCount(popup), 20);
    EXPECT_EQ(GetMenuItemID(popup, 19), 36883u);
    EXPECT_TRUE(CSnapshotMenu::IsSnapshotCommand(36883));
    EXPECT_FALSE(CSnapshotMenu::IsSnapshotCommand(36884));
    EXPECT_FALSE(CSnapshotMenu::IsSnapshotCommand(36863));

    m_menu.Clear();
    EXPECT_EQ(m_menu.Count(), 0u);
    EXPECT_EQ(Attached(), nullptr);
    EXPECT_TRUE(Grayed());
    EXPECT_FALSE(IsMenu(popup)) << "the old popup is gone";

    m_menu.Rebuild({"a (00:01:00)", "b (00:02:00)"});
    popup = Attached();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_EQ(Label(popup, 1), "b (00:02:00)");
    EXPECT_EQ(GetMenuItemID(popup, 1), 36865u);
}
