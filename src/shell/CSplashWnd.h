// A splash window that shows a bitmap file for a given time. Start-up sets whether a splash may
// show; nothing ever shows one. At most one exists; it deletes itself when its window goes.
// User-interface thread.
#pragma once

#include "CWnd.h"
#include "GdiObjects.h"

class CSplashWnd : public CWnd {
public:
    static void EnableSplashScreen(BOOL bEnable = TRUE) { c_bShowSplashWnd = bEnable; }
    static BOOL IsSplashEnabled() { return c_bShowSplashWnd; }
    // FALSE when splashes are off, one shows already, no file is named or it cannot be read or
    // shown; else a pop-up of the bitmap's size, centred, for nTimeMs (not 0).
    static BOOL ShowSplashScreen(UINT nTimeMs, LPCTSTR lpszFileName, CWnd* pParentWnd = nullptr);
    // Any key or mouse-button press hides the splash; TRUE when it did (the message is consumed).
    static BOOL PreTranslateAppMessage(MSG* pMsg);
    static CSplashWnd* Current() { return c_pSplashWnd; }

    BOOL ChangeBitmap(LPCTSTR lpszFileName);
    void HideSplashScreen();

protected:
    ~CSplashWnd() override;
    void OnPaint() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void PostNcDestroy() override;

private:
    CSplashWnd() = default;
    BOOL LoadFile(LPCTSTR lpszFileName);

    CBitmap m_bitmap;
    static BOOL c_bShowSplashWnd;
    static CSplashWnd* c_pSplashWnd;
};
