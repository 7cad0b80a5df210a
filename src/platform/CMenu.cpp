#include "CMenu.h"

#include "CWnd.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

struct MenuData;

struct MenuItemData {
    UINT flags;
    UINT id;
    std::string text;
    MenuData* sub;
};

struct MenuData {
    bool popup = false;
    MenuData* parent = nullptr;  // the menu whose item holds this one
    std::vector<MenuItemData> items;
};

struct MenuTable {
    std::unordered_set<MenuData*> live;
    std::unordered_map<MenuData*, CMenu*> owners;  // CMenu objects holding the handle
    std::unordered_map<MenuData*, CMenu*> temps;   // temporaries handed out for it
    std::vector<std::unique_ptr<CMenu>> tempPool;  // every temporary ever made, reused when free
};

// Never destroyed: a global menu is destroyed at exit, after a table with static lifetime
// could already have gone. User-interface thread.
MenuTable& Table()
{
    static auto* t = new MenuTable;
    return *t;
}

MenuData* DataOf(HMENU h)
{
    auto* d = reinterpret_cast<MenuData*>(h);
    return h && Table().live.count(d) ? d : nullptr;
}

HMENU HandleOf(MenuData* d) { return reinterpret_cast<HMENU>(d); }

HMENU NewMenu(bool popup)
{
    auto* d = new MenuData;
    d->popup = popup;
    Table().live.insert(d);
    return HandleOf(d);
}

void Destroy(MenuData* d)
{
    for (MenuItemData& item : d->items)
        if (item.sub) {
            item.sub->parent = nullptr;
            Destroy(item.sub);
        }
    MenuTable& t = Table();
    if (d->parent) {
        auto& items = d->parent->items;
        items.erase(std::remove_if(items.begin(), items.end(), [d](const MenuItemData& i) { return i.sub == d; }),
                    items.end());
    }
    if (auto it = t.owners.find(d); it != t.owners.end()) {
        it->second->m_hMenu = nullptr;
        t.owners.erase(it);
    }
    if (auto it = t.temps.find(d); it != t.temps.end()) {
        it->second->m_hMenu = nullptr;  // stays in the pool for reuse
        t.temps.erase(it);
    }
    t.live.erase(d);
    delete d;
}

// The item named by position or (searching sub-menus) by command id.
MenuItemData* FindItem(MenuData* d, UINT n, UINT flags, MenuData** holder = nullptr, size_t* index = nullptr)
{
    if (!d)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (n >= d->items.size())
            return nullptr;
        if (holder)
            *holder = d;
        if (index)
            *index = n;
        return &d->items[n];
    }
    for (size_t i = 0; i < d->items.size(); ++i) {
        MenuItemData& item = d->items[i];
        if (item.sub) {
            if (MenuItemData* found = FindItem(item.sub, n, flags, holder, index))
                return found;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == n) {
            if (holder)
                *holder = d;
            if (index)
                *index = i;
            return &item;
        }
    }
    return nullptr;
}

void Build(MenuData* d, const std::vector<MenuTemplateItem>& items)
{
    for (const MenuTemplateItem& t : items) {
        MenuItemData item{t.flags & ~MF_BYPOSITION, t.id, t.text ? t.text : "", nullptr};
        if (t.flags & MF_POPUP) {
            auto* sub = reinterpret_cast<MenuData*>(NewMenu(true));
            sub->parent = d;
            Build(sub, t.items);
            item.sub = sub;
            item.id = 0;
        }
        d->items.push_back(std::move(item));
    }
}

void FillQMenu(QMenu* menu, const MenuData* d)
{
    for (const MenuItemData& item : d->items) {
        if (item.flags & MF_SEPARATOR) {
            menu->addSeparator();
        } else if (item.sub) {
            QMenu* sub = menu->addMenu(QString::fromStdString(item.text));
            sub->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
            FillQMenu(sub, item.sub);
        } else {
            QAction* a = menu->addAction(QString::fromStdString(item.text));
            a->setData(item.id);
            a->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
            if (item.flags & MF_CHECKED) {
                a->setCheckable(true);
                a->setChecked(true);
            }
        }
    }
}

}  // namespace

CMenu::~CMenu()
{
    if (!m_bTemporary)
        DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    MenuData* d = DataOf(hMenu);
    if (!d)
        return nullptr;
    MenuTable& t = Table();
    if (auto it = t.owners.find(d); it != t.owners.end())
        return it->second;
    if (auto it = t.temps.find(d); it != t.temps.end())
        return it->second;
    CMenu* temp = nullptr;
    for (auto& p : t.tempPool)
        if (!p->m_hMenu) {
            temp = p.get();
            break;
        }
    if (!temp) {
        t.tempPool.push_back(std::make_unique<CMenu>());
        temp = t.tempPool.back().get();
        temp->m_bTemporary = true;
    }
    temp->m_hMenu = hMenu;
    t.temps[d] = temp;
    return temp;
}

BOOL CMenu::Attach(HMENU hMenu)
{
    MenuData* d = DataOf(hMenu);
    if (!d || m_bTemporary || Table().owners.count(d))
        return FALSE;
    DestroyMenu();
    m_hMenu = hMenu;
    Table().owners[d] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    if (MenuData* d = DataOf(m_hMenu))
        if (!m_bTemporary)
            Table().owners.erase(d);
    return std::exchange(m_hMenu, nullptr);
}

BOOL CMenu::CreateMenu() { return Attach(NewMenu(false)); }

BOOL CMenu::CreatePopupMenu() { return Attach(NewMenu(true)); }

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const std::vector<MenuTemplateItem>* bar = FindMenuTemplate(nIDResource);
    if (!bar || m_bTemporary)
        return FALSE;
    const HMENU h = NewMenu(false);
    Build(DataOf(h), *bar);
    return Attach(h);
}

BOOL CMenu::DestroyMenu()
{
    MenuData* d = DataOf(m_hMenu);
    m_hMenu = nullptr;
    if (!d)
        return FALSE;
    Destroy(d);
    return TRUE;
}

BOOL DestroyMenu(HMENU hMenu)
{
    MenuData* d = DataOf(hMenu);
    if (!d)
        return FALSE;
    Destroy(d);
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    MenuData* d = DataOf(m_hMenu);
    return d ? InsertMenu(UINT(d->items.size()), nFlags | MF_BYPOSITION, nIDNewItem, lpszNewItem) : FALSE;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    MenuData* d = DataOf(m_hMenu);
    if (!d)
        return FALSE;
    MenuData* holder = d;
    size_t index = d->items.size();
    if (nFlags & MF_BYPOSITION) {
        index = std::min<size_t>(nPosition, d->items.size());
    } else if (nPosition != 0xFFFFFFFF && !FindItem(d, nPosition, MF_BYCOMMAND, &holder, &index)) {
        return FALSE;
    }
    MenuItemData item{nFlags & ~MF_BYPOSITION, UINT(nIDNewItem), lpszNewItem ? lpszNewItem : "", nullptr};
    if (nFlags & MF_POPUP) {
        MenuData* sub = DataOf(reinterpret_cast<HMENU>(nIDNewItem));
        if (!sub || sub->parent || sub == holder)
            return FALSE;
        // The new item owns the sub-menu from now on.
        if (auto it = Table().owners.find(sub); it != Table().owners.end()) {
            it->second->m_hMenu = nullptr;
            Table().owners.erase(it);
        }
        sub->parent = holder;
        item.sub = sub;
        item.id = 0;
    }
    holder->items.insert(holder->items.begin() + std::ptrdiff_t(index), std::move(item));
    return TRUE;
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    MenuData* holder = nullptr;
    size_t index = 0;
    if (!FindItem(DataOf(m_hMenu), nPosition, nFlags, &holder, &index))
        return FALSE;
    if (MenuData* sub = holder->items[index].sub)
        sub->parent = nullptr;
    holder->items.erase(holder->items.begin() + std::ptrdiff_t(index));
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    MenuData* holder = nullptr;
    size_t index = 0;
    if (!FindItem(DataOf(m_hMenu), nPosition, nFlags, &holder, &index))
        return FALSE;
    MenuData* sub = holder->items[index].sub;
    holder->items.erase(holder->items.begin() + std::ptrdiff_t(index));
    if (sub) {
        sub->parent = nullptr;
        Destroy(sub);
    }
    return TRUE;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    MenuItemData* item = FindItem(DataOf(m_hMenu), nIDCheckItem, nCheck & MF_BYPOSITION);
    if (!item)
        return 0xFFFFFFFF;
    const UINT before = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (nCheck & MF_CHECKED);
    return before;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    MenuItemData* item = FindItem(DataOf(m_hMenu), nIDEnableItem, nEnable & MF_BYPOSITION);
    if (!item)
        return 0xFFFFFFFF;
    const UINT before = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
    return before;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    const MenuItemData* item = FindItem(DataOf(m_hMenu), nID, nFlags);
    if (!item)
        return 0xFFFFFFFF;
    if (item->sub)  // a sub-menu: item count in the high byte, as on Windows
        return (UINT(item->sub->items.size()) << 8) | (item->flags & 0xFF) | MF_POPUP;
    return item->flags;
}

int CMenu::GetMenuItemCount() const
{
    MenuData* d = DataOf(m_hMenu);
    return d ? int(d->items.size()) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    MenuData* d = DataOf(m_hMenu);
    if (!d || nPos < 0 || size_t(nPos) >= d->items.size() || d->items[size_t(nPos)].sub)
        return 0xFFFFFFFF;
    const MenuItemData& item = d->items[size_t(nPos)];
    return (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const MenuItemData* item = FindItem(DataOf(m_hMenu), nIDItem, nFlags);
    rString = item ? item->text : CString();
    return int(rString.size());
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    MenuData* d = DataOf(m_hMenu);
    if (!d || nPos < 0 || size_t(nPos) >= d->items.size() || !d->items[size_t(nPos)].sub)
        return nullptr;
    return FromHandle(HandleOf(d->items[size_t(nPos)].sub));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
    MenuData* d = DataOf(m_hMenu);
    if (!d)
        return FALSE;
    QMenu menu(pWnd ? pWnd->GetWidget() : nullptr);
    FillQMenu(&menu, d);
    QPoint at(x, y);
    const QSize size = menu.sizeHint();
    if (nFlags & TPM_RIGHTALIGN)
        at.rx() -= size.width();
    else if (nFlags & TPM_CENTERALIGN)
        at.rx() -= size.width() / 2;
    QAction* chosen = menu.exec(at);
    const UINT id = chosen ? chosen->data().toUInt() : 0;
    if (nFlags & TPM_RETURNCMD)
        return BOOL(id);
    if (id && pWnd && !(nFlags & TPM_NONOTIFY))
        pWnd->PostMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
    return id ? TRUE : FALSE;
}

int CMenu::LiveMenuCount() { return int(Table().live.size()); }
