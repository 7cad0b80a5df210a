// A window of the program: one C++ object owning one Qt widget.
//
// Qt's input, paint, timer and focus events become window messages handed to WindowProc, which
// calls the virtual handler of the message (OnPaint, OnLButtonDown, OnTimer, ...) or, for any
// other message, DefWindowProc. A class adds its own messages (WM_USER + n) by overriding
// WindowProc and passing the rest on to its base class. A handler that wants the default
// behaviour calls Default(), as the base class handlers do.
//
// Child windows are non-native widgets: a child paints after its parent, over the parent's
// pixels, and whatever it leaves unpainted shows the parent through. Destroying a window first
// destroys its child windows (each gets WM_DESTROY); the C++ objects stay and may create a new
// window. The destructor destroys the window if there still is one.
//
// Every member runs on the user-interface thread; other threads use PostMessage with the handle.
#pragma once

#include "WinDefs.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class CDC;
class CFont;
class CRgn;
class CWndWidget;
struct DRAWITEMSTRUCT;

struct CREATESTRUCT {
    HWND hwndParent;
    UINT nID;
    int x, y, cx, cy;  // client rectangle: in the parent, or on the screen for a top-level window
    DWORD style;
    DWORD dwExStyle;
    LPCTSTR lpszName;
};
typedef CREATESTRUCT* LPCREATESTRUCT;

// A message on its way to a window, for PreTranslateMessage.
struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CPoint pt;  // pointer position on the screen
};

// Mouse tracking (TrackMouseEvent): WM_MOUSELEAVE once the pointer leaves, WM_MOUSEHOVER once it
// has rested for dwHoverTime ms. Each request is answered once.
struct TRACKMOUSEEVENT {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
BOOL TrackMouseEvent(TRACKMOUSEEVENT* pTrack);
inline BOOL _TrackMouseEvent(TRACKMOUSEEVENT* pTrack) { return TrackMouseEvent(pTrack); }

// Called instead of WM_TIMER for a timer set with a procedure.
typedef void (*TIMERPROC)(HWND hWnd, UINT message, UINT_PTR nIDEvent, DWORD dwTime);

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window's handle, null while the object has no window.
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The window of a handle (a full handle or a bare 16-bit one), or null when it is gone.
    static CWnd* FromHandle(HWND hWnd);

    // Makes the window. rect is in the parent's client coordinates (a child) or on the screen (a
    // top-level window, with or without a parent that owns it). A child needs a parent with a
    // window. FALSE when the object already has a window or OnCreate returned -1.
    // The class name is accepted for familiarity and ignored.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID);
    // WM_DESTROY to this window, then its children are destroyed, then the widget goes.
    virtual BOOL DestroyWindow();

    // Identity and tree.
    int GetDlgCtrlID() const { return int(m_nID); }
    int SetDlgCtrlID(int nID);
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    // The direct child with that control id, or null.
    CWnd* GetDlgItem(int nID) const;
    BOOL IsChild(const CWnd* pWnd) const;
    // GW_CHILD: the first child window; GW_HWNDFIRST / LAST / NEXT / PREV: among the siblings of
    // a child window, in creation order; GW_OWNER: the owner of a top-level window. Null when
    // there is none.
    CWnd* GetWindow(UINT nCmd) const;
    // The next (or previous) visible, enabled control of pWndCtl's group: the run of siblings
    // that starts at one with WS_GROUP and ends before the next one with WS_GROUP, wrapping
    // round. pWndCtl itself when it is alone in its group.
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const { return m_dwExStyle; }
    // On a top-level window WS_CAPTION decides whether the desktop draws a title bar and frame:
    // removing it leaves a bare, frameless window.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Visibility, position and size.
    BOOL ShowWindow(int nCmdShow);  // returns whether it was visible before
    // TRUE when the window and all its parents are shown.
    BOOL IsWindowVisible() const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    // pWndInsertAfter: &wndTop, &wndBottom or null (with SWP_NOZORDER).
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void BringWindowToTop();
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void GetClientRect(LPRECT lpRect) const;
    // On the screen.
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    static const CWnd wndTop;
    static const CWnd wndBottom;

    // Painting. The paint comes later from the event loop; UpdateWindow paints a pending
    // invalid area at once. bErase FALSE skips WM_ERASEBKGND when nothing else asked for it.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    // Invalidates (RDW_INVALIDATE, erasing with RDW_ERASE) the rectangle, the region's bounds or
    // the whole window, then with RDW_UPDATENOW paints at once.
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // The window shows and takes the pointer only inside the region (client coordinates). The
    // window owns the region from then on and deletes it; null removes the shape. Returns
    // nonzero on success.
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    // Copies the window's region into hRgn and returns its type (SIMPLEREGION, ...); RGN_ERROR
    // when the window has no region.
    int GetWindowRgn(HRGN hRgn) const;
    // A device context on the client area; give it back with ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    // The icon of a top-level window (the desktop shows the small one in the title and task
    // bar). Not owned; returns the icon set before. Null removes it.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const { return bBigIcon ? m_hIconBig : m_hIconSmall; }

    // Text (UTF-8) and font. A top-level window shows its text as its title.
    void SetWindowText(LPCTSTR lpszString);
    void SetWindowText(const CString& str) { SetWindowText(str.c_str()); }
    void GetWindowText(CString& rString) const { rString = m_strText; }
    CString GetWindowText() const { return m_strText; }
    int GetWindowTextLength() const { return int(m_strText.size()); }
    // The font the window's painting should use; not owned.
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const { return m_pFont; }

    // Input state.
    BOOL EnableWindow(BOOL bEnable = TRUE);  // returns whether it was disabled before
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();  // returns the window that had the focus
    static CWnd* GetFocus();
    CWnd* SetCapture();  // returns the window that had the capture
    static CWnd* GetCapture();

    // Window timers: WM_TIMER with wParam nIDEvent every nElapse ms (at least 10) until killed
    // or the window goes; with lpfnTimer the procedure is called instead. Setting an id again
    // restarts it. Returns nIDEvent (1 for id 0), 0 without a window.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Messages to this window.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // WM_COMMAND to the parent from a control: wParam = MAKEWPARAM(id, code), lParam = handle.
    LRESULT NotifyParent(WORD wNotifyCode);

    // Qt-specific code (grabs, tests) reaches the widget here; null without a window.
    QWidget* GetWidget() const;

    // Called for every input message (keys, mouse) before it is delivered, first on the target
    // window, then on each of its parents up to the top-level window. TRUE swallows the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The colour DefWindowProc erases the background with (CLR_NONE: no erasing).
    void SetBackgroundColor(COLORREF clr) { m_clrBackground = clr; }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Reflection: a parent offers its child the notices about the child (WM_DRAWITEM,
    // WM_CTLCOLOR*, WM_COMMAND and WM_NOTIFY from the child) first. TRUE with *pResult set means the child
    // handled it and the parent does no more. The default answers WM_CTLCOLOR* through CtlColor.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The reflected colour message: the brush to paint the control on, or null to leave it to
    // the parent's OnCtlColor.
    virtual HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

protected:
    // Called once the window exists, before WM_CREATE: the place for a class to adjust the
    // styles it was created with.
    virtual void PreSubclassWindow() {}
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc with the message being handled.
    LRESULT Default();
    // WM_COMMAND: TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY from a child that did not handle it itself (CommCtrl.h): TRUE with *pResult set
    // when handled.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Last call of a window's life, after the widget is gone: a self-owned window may delete itself.
    virtual void PostNcDestroy() {}

    // Handlers. Each base version calls Default().
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
    virtual void OnDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnEnable(BOOL bEnable);
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);  // nChar: a Unicode code point
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnMButtonDown(UINT nFlags, CPoint point);
    virtual void OnMButtonUp(UINT nFlags, CPoint point);
    // zDelta: 120 per notch, positive away from the user; pt on the screen. The default passes
    // the wheel on to the parent.
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    virtual void OnMouseLeave();
    virtual void OnMouseHover(UINT nFlags, CPoint point);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual void OnContextMenu(CWnd* pWnd, CPoint pos);
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // The brush a child (or the dialog itself, CTLCOLOR_DLG) is painted on; null for the default.
    // The default offers the message to the child first (CtlColor).
    virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // An owner-drawn child asks to be drawn; the default reflects it to the child.
    virtual void OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* lpDrawItemStruct);
    // The pointer is over the window: set a cursor and return TRUE, or return Default(), which
    // asks the parent and then shows the arrow.
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

private:
    friend class CWndWidget;
    friend BOOL TrackMouseEvent(TRACKMOUSEEVENT*);

    // Called by the widget when Qt deletes it behind our back (its Qt parent went).
    void WidgetGone();
    void TearDown(bool deleteWidget);
    void DeliverTimer(int qtTimerId);
    // Title bar and frame of a top-level window follow WS_CAPTION.
    void ApplyFrameFlags();

    CWndWidget* m_pWidget = nullptr;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    CString m_strText;
    CFont* m_pFont = nullptr;
    COLORREF m_clrBackground = CLR_NONE;
    HRGN m_hRgn = nullptr;  // owned, see SetWindowRgn
    HICON m_hIconSmall = nullptr;
    HICON m_hIconBig = nullptr;
    struct Timer {
        int qtId;
        TIMERPROC proc;
    };
    std::map<UINT_PTR, Timer> m_timers;  // by window timer id
    std::vector<std::unique_ptr<CDC>> m_dcs;  // handed out by GetDC, until ReleaseDC
    bool m_bDestroying = false;
    struct CurrentMsg {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMsg m_curMsg{WM_NULL, 0, 0};
};

// Any thread: TRUE while the handle names a live window.
BOOL IsWindow(HWND hWnd);
// Ends the capture of whichever window holds it (WM_CAPTURECHANGED to that window).
BOOL ReleaseCapture();

// While one of these lives, UpdateWindow on a child window leaves its repaint pending; the last
// one to end paints every pending window at once. A page that refreshes a hundred controls in
// one go otherwise composes and pushes the whole window to the display once per control.
class CPaintBatch {
public:
    CPaintBatch();
    ~CPaintBatch();
    CPaintBatch(const CPaintBatch&) = delete;
    CPaintBatch& operator=(const CPaintBatch&) = delete;
    static bool Active();
};
