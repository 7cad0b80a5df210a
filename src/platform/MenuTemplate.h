// Menu templates: the program's menus written as C++ tables and registered by resource id, so
// CMenu::LoadMenu(id) builds them as a resource compiler's menu would.
//
//     RegisterMenuTemplate(IDR_EXAMPLE, {
//         MenuPopup("", {
//             MenuItem("Open", ID_OPEN),
//             MenuSeparator(),
//             MenuPopup("More", {MenuItem("First", ID_FIRST)}),
//         }),
//     });
//
// User-interface thread.
#pragma once

#include "WinDefs.h"

#include <vector>

// Menu item flags.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

struct MenuTemplateItem {
    UINT flags;   // MF_STRING, MF_POPUP or MF_SEPARATOR, with MF_GRAYED / MF_CHECKED
    UINT id;      // command id of an item
    const char* text;  // UTF-8; "&" marks the access key
    std::vector<MenuTemplateItem> items;  // of a popup
};

inline MenuTemplateItem MenuItem(const char* text, UINT id, UINT flags = MF_STRING)
{
    return MenuTemplateItem{flags, id, text, {}};
}
inline MenuTemplateItem MenuPopup(const char* text, std::vector<MenuTemplateItem> items)
{
    return MenuTemplateItem{MF_POPUP, 0, text, std::move(items)};
}
inline MenuTemplateItem MenuSeparator() { return MenuTemplateItem{MF_SEPARATOR, 0, "", {}}; }

// The menu bar of resource nID (replaces an earlier registration of the id).
void RegisterMenuTemplate(UINT nID, std::vector<MenuTemplateItem> bar);
// Null when the id has no template.
const std::vector<MenuTemplateItem>* FindMenuTemplate(UINT nID);
