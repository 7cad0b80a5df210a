// Menus: a menu bar or popup holding items and sub-menus, by handle.
//
// A sub-menu belongs to the menu whose item holds it and is destroyed with it. A CMenu destroys
// the menu it holds when it is destroyed itself; the CMenu that GetSubMenu (or FromHandle) hands
// out for a handle nobody wraps is a temporary that owns nothing and stays valid until that menu
// is destroyed. User-interface thread.
#pragma once

#include "MenuTemplate.h"
#include "WinDefs.h"

class CWnd;

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    // The wrapper of a live menu (the owning CMenu, else a temporary); null for a dead handle.
    static CMenu* FromHandle(HMENU hMenu);

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // Builds the registered template nID; FALSE when there is none.
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    // MF_POPUP: nIDNewItem is the sub-menu's handle, which the new item then owns.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    // Takes the item out; a sub-menu survives (RemoveMenu) or is destroyed (DeleteMenu).
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    // Return the previous state, or 0xFFFFFFFF when there is no such item.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT GetMenuState(UINT nID, UINT nFlags) const;

    int GetMenuItemCount() const;  // -1 without a menu
    // The command id at the position: 0xFFFFFFFF for a sub-menu or a bad position, 0 for a
    // separator.
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;

    // Shows the popup at the screen point and waits for a choice. With TPM_RETURNCMD returns the
    // chosen command id (0 for none); otherwise posts WM_COMMAND with it to pWnd and returns TRUE
    // when something was chosen.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    // Menus alive now, sub-menus included (leak checks).
    static int LiveMenuCount();

private:
    bool m_bTemporary = false;
};

// Destroys a menu that no CMenu owns (see CMenu::Detach).
BOOL DestroyMenu(HMENU hMenu);
