#include "CSplashWnd.h"

#include "CWinApp.h"
#include "BitmapPaint.h"
#include "CWindowDC.h"

#include <QImage>

BOOL CSplashWnd::c_bShowSplashWnd = FALSE;
CSplashWnd* CSplashWnd::c_pSplashWnd = nullptr;

namespace {
constexpr UINT_PTR kSplashTimer = 1;
// Presses on a window's frame.
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
constexpr UINT WM_NCMBUTTONDOWN = 0x00A7;
}  // namespace

CSplashWnd::~CSplashWnd()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = nullptr;
}

BOOL CSplashWnd::LoadFile(LPCTSTR lpszFileName)
{
    const QImage image = QImage(QString::fromUtf8(lpszFileName)).convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return FALSE;
    m_bitmap.DeleteObject();
    return m_bitmap.CreateBitmap(image.width(), image.height(), 1, 32, image.constBits());
}

BOOL CSplashWnd::ShowSplashScreen(UINT nTimeMs, LPCTSTR lpszFileName, CWnd* pParentWnd)
{
    if (nTimeMs == 0 || !c_bShowSplashWnd || c_pSplashWnd || !lpszFileName || !*lpszFileName)
        return FALSE;
    auto* splash = new CSplashWnd;
    if (!splash->LoadFile(lpszFileName)) {
        delete splash;
        return FALSE;
    }
    const CSize size = splash->m_bitmap.GetSize();
    if (!splash->CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, size.cx, size.cy), pParentWnd, 0)) {
        delete splash;
        return FALSE;
    }
    c_pSplashWnd = splash;
    splash->CenterWindow();
    splash->UpdateWindow();
    splash->SetTimer(kSplashTimer, nTimeMs);
    return TRUE;
}

BOOL CSplashWnd::ChangeBitmap(LPCTSTR lpszFileName)
{
    if (!LoadFile(lpszFileName))
        return FALSE;
    Invalidate(FALSE);
    return TRUE;
}

BOOL CSplashWnd::PreTranslateAppMessage(MSG* pMsg)
{
    if (!c_pSplashWnd || !pMsg)
        return FALSE;
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        c_pSplashWnd->HideSplashScreen();
        return TRUE;
    default:
        return FALSE;
    }
}

void CSplashWnd::HideSplashScreen()
{
    DestroyWindow();
    if (CWnd* main = AfxGetMainWnd())
        main->UpdateWindow();
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    PaintBitmapAtOrigin(dc, m_bitmap);
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kSplashTimer)
        HideSplashScreen();
    else
        CWnd::OnTimer(nIDEvent);
}

void CSplashWnd::PostNcDestroy() { delete this; }
