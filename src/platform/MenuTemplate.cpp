#include "MenuTemplate.h"

#include <map>

namespace {
std::map<UINT, std::vector<MenuTemplateItem>>& Templates()
{
    static std::map<UINT, std::vector<MenuTemplateItem>> t;  // user-interface thread
    return t;
}
}  // namespace

void RegisterMenuTemplate(UINT nID, std::vector<MenuTemplateItem> bar) { Templates()[nID] = std::move(bar); }

const std::vector<MenuTemplateItem>* FindMenuTemplate(UINT nID)
{
    auto it = Templates().find(nID);
    return it == Templates().end() ? nullptr : &it->second;
}
