#include "views/win/core/internal/UserInterfaceHooks.h"

namespace kwin {
namespace {

UserInterfaceHooks& Hooks() {
    static UserInterfaceHooks hooks;
    return hooks;
}

} // namespace

void SetUserInterfaceHooks(const UserInterfaceHooks& hooks) {
    Hooks() = hooks;
}

const UserInterfaceHooks& GetUserInterfaceHooks() {
    return Hooks();
}

} // namespace kwin
