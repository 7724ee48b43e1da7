// The toolkit's services and the modal hook.

#include "views/win/backend/ToolkitServices.h"

namespace kwin {
namespace {

ToolkitServices& Services() {
    static ToolkitServices services;
    return services;
}

ModalHook& Hook() {
    static ModalHook hook;
    return hook;
}

} // namespace

void SetToolkitServices(const ToolkitServices& services) {
    Services() = services;
}

const ToolkitServices& GetToolkitServices() {
    return Services();
}

void SetModalHook(ModalHook hook) {
    Hook() = std::move(hook);
}

void NotifyModalStart(const ModalStart& start) {
    // A copy: the hook may replace itself while it runs.
    if (const ModalHook hook = Hook()) {
        hook(start);
    }
}

} // namespace kwin
