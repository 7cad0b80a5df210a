// Frame windows: the window around a document's view.
//
// CFrameWnd::LoadFrame makes the frame the way the program describes it: a creation record with
// the given style and the default place and size, handed to PreCreateWindow for the class to
// adjust, then the window. While WM_CREATE runs, OnCreateClient gets the creation context
// (the document being opened), where a frame makes its view.
//
// CMDIFrameWnd is a top-level frame whose client area is filled by one client window that holds
// the document frames; CMDIChildWnd is such a document frame: a child of the client window of
// the main frame it is loaded into.
//
// The application's main window ends the program's loop when it is destroyed (PostQuitMessage).
// User-interface thread.
#pragma once

#include "CWnd.h"

class CDocument;
class CMultiDocTemplate;

// Frame-only style bits, kept beside the window styles in the creation record: the frame's
// title shows the document's name (FWS_ADDTOTITLE), before the application's (FWS_PREFIXTITLE).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000;

// What a frame needs to make its view while it is being created.
struct CCreateContext {
    CDocument* m_pCurrentDoc = nullptr;
    CMultiDocTemplate* m_pNewDocTemplate = nullptr;
};

class CFrameWnd : public CWnd {
public:
    // Where LoadFrame puts a frame whose PreCreateWindow leaves the place alone.
    static constexpr int DEFAULT_X = 0;
    static constexpr int DEFAULT_Y = 0;
    static constexpr int DEFAULT_CX = 640;
    static constexpr int DEFAULT_CY = 480;

    CFrameWnd() = default;

    // Makes the frame (nIDResource names it; the title is m_strTitle). pParentWnd: the owner of
    // a top-level frame, or the frame a child frame goes into. FALSE when PreCreateWindow or
    // the creation fails.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd = nullptr,
                           CCreateContext* pContext = nullptr);
    // The frame's first show with its document: bMakeVisible shows it.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    UINT GetResourceId() const { return m_nIDResource; }
    // The style bits of the creation record as PreCreateWindow left them (frame bits included).
    DWORD GetCreateStyle() const { return m_dwCreateStyle; }
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : ""; }

protected:
    // Adjusts the creation record: FALSE stops the creation. The base accepts it.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Makes the client windows (the view) during WM_CREATE; FALSE fails the creation.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The parent window the frame's window goes into.
    virtual CWnd* FrameParent(CWnd* pParentWnd) { return pParentWnd; }

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnDestroy() override;

    CString m_strTitle;

private:
    UINT m_nIDResource = 0;
    DWORD m_dwCreateStyle = 0;
    CCreateContext* m_pCreateContext = nullptr;  // only while LoadFrame runs
};

class CMDIFrameWnd : public CFrameWnd {
public:
    // Control id of the client window that holds the document frames.
    static constexpr UINT ID_MDICLIENT = 0xE900;

    // The client window: fills the frame's client area; null before the frame exists.
    CWnd* GetMDIClient() { return m_wndMDIClient.GetSafeHwnd() ? &m_wndMDIClient : nullptr; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;

private:
    CWnd m_wndMDIClient;
};

class CMDIChildWnd : public CFrameWnd {
protected:
    // A child window (WS_CHILD added) of the main frame's client window.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    CWnd* FrameParent(CWnd* pParentWnd) override;
};
