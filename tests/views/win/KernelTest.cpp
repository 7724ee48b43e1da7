// The per-user data folder and the other things the layer stands in for.

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SpyWindow.h"
#include "views/win/Win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

std::string LocalAppData() {
    char buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariable("LOCALAPPDATA", buffer, MAX_PATH);
    return n == 0 ? std::string("<unset>") : std::string(buffer, n);
}

} // namespace

TEST(KernelTest, PerUserDataFolderFallsBackFromLocalAppDataToXdgToHome) {
    ScopedEnvironment env;
    env.Set("LOCALAPPDATA", "/tmp/local");
    env.Set("XDG_DATA_HOME", "/tmp/xdg");
    env.Set("HOME", "/home/player");
    EXPECT_EQ(LocalAppData(), "/tmp/local");
    env.Set("LOCALAPPDATA", nullptr);
    EXPECT_EQ(LocalAppData(), "/tmp/xdg");
    env.Set("XDG_DATA_HOME", "");
    EXPECT_EQ(LocalAppData(), "/home/player/.local/share");
    env.Set("XDG_DATA_HOME", nullptr);
    env.Set("HOME", nullptr);
    EXPECT_EQ(LocalAppData(), "<unset>");
    EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);

    // A buffer too small reports the size needed.
    env.Set("LOCALAPPDATA", "/tmp/abcdef");
    char small[4] = {};
    EXPECT_EQ(GetEnvironmentVariable("LOCALAPPDATA", small, sizeof(small)), 12u);
    char exact[12] = {};
    EXPECT_EQ(GetEnvironmentVariable("LOCALAPPDATA", exact, sizeof(exact)), 11u);
    EXPECT_STREQ(exact, "/tmp/abcdef");
}

TEST(KernelTest, TheProgramsOwnFileNameAndModule) {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileName(nullptr, path, MAX_PATH);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(path[0], '/');
    EXPECT_NE(std::string(path).find("win_core_tests"), std::string::npos);
    EXPECT_EQ(GetModuleHandle("win_core_tests"), GetModuleHandle(nullptr));
    EXPECT_EQ(GetModuleHandle("other.dll"), nullptr);
    char tiny[5];
    EXPECT_EQ(GetModuleFileName(nullptr, tiny, sizeof(tiny)), 5u) << "cut, as the platform does";
    EXPECT_EQ(tiny[4], '\0');
}

TEST(KernelTest, DesktopSettingsMessageFontAndMetrics) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    char value[16] = {};
    DWORD size = sizeof(value);
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueEx(key, "WheelScrollLines", nullptr, &type,
                              reinterpret_cast<BYTE*>(value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_STREQ(value, "3");
    EXPECT_NE(RegQueryValueEx(key, "Other", nullptr, &type, reinterpret_cast<BYTE*>(value), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    UINT lines = 0;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 3u);
    EXPECT_TRUE(SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 7, nullptr, 0));
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    EXPECT_EQ(lines, 7u);

    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_LT(metrics.lfMessageFont.lfHeight, 0);
    EXPECT_NE(metrics.lfMessageFont.lfFaceName[0], '\0');
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    RECT r{0, 0, 400, 481};
    AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, TRUE,
                       WS_EX_WINDOWEDGE);
    EXPECT_EQ(r.right - r.left, 416) << "the main window's default width";
    EXPECT_EQ(r.bottom - r.top, 540) << "and height, with caption, menu bar and frame";

    // A changed system colour changes its brush, and each top-level window is told.
    wintest::MessageLog log;
    wintest::SpyWindow top(log);
    top.RecordOnly(WM_SYSCOLORCHANGE, WM_SYSCOLORCHANGE);
    ASSERT_NE(top.Create(nullptr, RECT{0, 0, 10, 10}, "", WS_POPUP), nullptr);
    const INT index = COLOR_INFOBK;
    const COLORREF old = GetSysColor(index);
    const COLORREF set = RGB(1, 2, 3);
    HBRUSH brush = GetSysColorBrush(index);
    EXPECT_TRUE(SetSysColors(1, &index, &set));
    LOGBRUSH painted{};
    GetObject(brush, sizeof(painted), &painted);
    SetSysColors(1, &index, &old);
    EXPECT_EQ(painted.lbColor, set);
    EXPECT_EQ(log.Messages(), std::vector<UINT>(2, WM_SYSCOLORCHANGE));
}
