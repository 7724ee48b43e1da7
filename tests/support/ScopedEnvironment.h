#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Sets or clears environment variables for one test and restores every one
// it touched, in reverse order, when it goes out of scope.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) {
        Set(name, value);
    }
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // std::nullopt (or a null pointer) removes the variable.
    void Set(const char* name, const std::optional<std::string>& value);
    void Set(const char* name, const char* value) {
        Set(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};
