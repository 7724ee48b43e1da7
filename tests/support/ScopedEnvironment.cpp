#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>

namespace {

void Apply(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

} // namespace

void ScopedEnvironment::Set(const char* name, const std::optional<std::string>& value) {
    const char* previous = std::getenv(name);
    m_saved.emplace_back(name,
                         previous != nullptr ? std::optional<std::string>(previous) : std::nullopt);
    Apply(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
        Apply(it->first, it->second);
    }
}
