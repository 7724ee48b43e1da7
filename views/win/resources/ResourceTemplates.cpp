// The compiled-in menus, accelerator tables and dialog templates by id.

#include "views/win/resources/ResourceTemplates.h"

#include <map>

namespace kwin {
namespace {

struct TemplateTable {
    std::map<UINT, std::vector<MenuTemplateItem>> menus;
    std::map<UINT, std::vector<ACCEL>> accelerators;
    std::map<UINT, DialogTemplate> dialogs;
};

TemplateTable& T() {
    static TemplateTable table;
    return table;
}

template <typename Map> const typename Map::mapped_type* Lookup(const Map& map, UINT id) {
    const auto it = map.find(id);
    return it == map.end() ? nullptr : &it->second;
}

} // namespace

void RegisterMenuTemplate(UINT id, std::vector<MenuTemplateItem> items) {
    T().menus[id] = std::move(items);
}

void RegisterAcceleratorTable(UINT id, std::vector<ACCEL> entries) {
    T().accelerators[id] = std::move(entries);
}

void RegisterDialogTemplate(UINT id, DialogTemplate dialog) {
    T().dialogs[id] = std::move(dialog);
}

const std::vector<MenuTemplateItem>* FindMenuTemplate(UINT id) {
    return Lookup(T().menus, id);
}

const std::vector<ACCEL>* FindAcceleratorTable(UINT id) {
    return Lookup(T().accelerators, id);
}

const DialogTemplate* FindDialogTemplate(UINT id) {
    return Lookup(T().dialogs, id);
}

} // namespace kwin
