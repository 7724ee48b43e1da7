// Modules, the environment, ticks, errors, MulDiv and the registry values the
// program reads, as this platform provides them.

#include "views/win/api/WinKernel.h"
#include "views/win/backend/Backend.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/core/Clock.h"
#include "views/win/core/Desktop.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

thread_local DWORD lastError = 0;

const HMODULE OwnModule = reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(0x00400000));
const HKEY DesktopKey = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x00D35C00));

std::string ExecutablePath() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

DWORD CopyOut(const std::string& value, LPSTR buffer, DWORD size) {
    if (buffer == nullptr || size <= value.size()) {
        return static_cast<DWORD>(value.size() + 1); // the size needed, with the terminator
    }
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<DWORD>(value.size());
}

} // namespace

namespace kwin {

namespace {
std::function<Clock::time_point()>& TestClock() {
    static std::function<Clock::time_point()> clock;
    return clock;
}
} // namespace

Clock::time_point Now() {
    return TestClock() ? TestClock()() : Clock::now();
}
void SetClockForTesting(std::function<Clock::time_point()> clock) {
    TestClock() = std::move(clock);
}

std::string PerUserDataFolder() {
    if (const char* v = std::getenv("LOCALAPPDATA"); v != nullptr && *v != '\0') {
        return v;
    }
    if (const char* v = std::getenv("XDG_DATA_HOME"); v != nullptr && *v != '\0') {
        return v;
    }
    if (const char* v = std::getenv("HOME"); v != nullptr && *v != '\0') {
        return std::string(v) + "/.local/share";
    }
    return {};
}

} // namespace kwin

HMODULE GetModuleHandle(LPCSTR moduleName) {
    if (moduleName == nullptr) {
        return OwnModule;
    }
    const std::string path = ExecutablePath();
    const std::string name = moduleName;
    const std::string base = BaseName(path);
    if (name == path || EqualsNoCase(name, base) || EqualsNoCase(name, base + ".exe")) {
        return OwnModule;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size) {
    if (module != nullptr && module != OwnModule) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::string path = ExecutablePath();
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= size) {
        std::memcpy(buffer, path.data(), size - 1);
        buffer[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

DWORD GetEnvironmentVariable(LPCSTR name, LPSTR buffer, DWORD size) {
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string value;
    if (std::strcmp(name, "LOCALAPPDATA") == 0) {
        value = kwin::PerUserDataFolder();
        if (value.empty()) {
            SetLastError(ERROR_ENVVAR_NOT_FOUND);
            return 0;
        }
    } else if (const char* v = std::getenv(name)) {
        value = v;
    } else {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    return CopyOut(value, buffer, size);
}

BOOL SetEnvironmentVariable(LPCSTR name, LPCSTR value) {
    if (name == nullptr) {
        return FALSE;
    }
    if (value == nullptr) {
        return unsetenv(name) == 0 ? TRUE : FALSE;
    }
    return setenv(name, value, 1) == 0 ? TRUE : FALSE;
}

unsigned long long GetTickCount64() {
    using namespace std::chrono;
    return static_cast<unsigned long long>(
        duration_cast<milliseconds>(kwin::Now().time_since_epoch()).count());
}

DWORD GetTickCount() {
    return static_cast<DWORD>(GetTickCount64());
}

void Sleep(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetLastError() {
    return lastError;
}
void SetLastError(DWORD error) {
    lastError = error;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    long long product = static_cast<long long>(number) * numerator;
    long long d = denominator;
    if (d < 0) {
        d = -d;
        product = -product;
    }
    // Rounds half away from zero, as the platform does.
    const long long result = product >= 0 ? (product + d / 2) / d : -((-product + d / 2) / d);
    if (result > INT32_MAX || result < INT32_MIN) {
        return -1;
    }
    return static_cast<int>(result);
}

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD, REGSAM, HKEY* result) {
    if (result == nullptr || subKey == nullptr) {
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    }
    if (key == HKEY_CURRENT_USER && EqualsNoCase(subKey, "Control Panel\\Desktop")) {
        *result = DesktopKey;
        return ERROR_SUCCESS;
    }
    return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
}

LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (key != DesktopKey || valueName == nullptr || !EqualsNoCase(valueName, "WheelScrollLines")) {
        return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    }
    const std::string text = std::to_string(kwin::WheelScrollLines());
    if (type != nullptr) {
        *type = REG_SZ;
    }
    if (size == nullptr) {
        return data == nullptr ? ERROR_SUCCESS : static_cast<LONG>(ERROR_INVALID_PARAMETER);
    }
    const DWORD needed = static_cast<DWORD>(text.size() + 1);
    if (data == nullptr) {
        *size = needed;
        return ERROR_SUCCESS;
    }
    if (*size < needed) {
        *size = needed;
        return static_cast<LONG>(ERROR_MORE_DATA);
    }
    std::memcpy(data, text.c_str(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY) {
    return ERROR_SUCCESS;
}
