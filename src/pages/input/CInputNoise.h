// The advanced settings dialog (template 1039, modal): two device-wide settings of the system
// block, each sent at once through the view.
//   switch 2857            g_bySysParams[1], 0 off / 1 on          system command 5
//   percent selector 2821  g_bySysGroup8[6] = 100 - percent         system command 8
// Three further edit and spin pairs (A, B, C: g_bySysGroup8[5], [6], [7]) stay hidden and
// disabled; a change of one still stores its byte, queues command 2 and then command 8, the
// command that carries those bytes.
//
// Enter and Esc leave the dialog open; its close box closes it. User-interface thread.
#pragma once

#include "CBitButton.h"
#include "CComBoxBtn.h"
#include "CDialog.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "GdiObjects.h"

class CPageHost;

constexpr UINT IDD_ADVANCED_SETTINGS = 1039;
constexpr UINT IDC_ADV_SWITCH = 2857;
constexpr UINT IDC_ADV_PERCENT = 2821;
constexpr UINT NOTIFY_ADV_PERCENT = 13110;
constexpr UINT IDC_ADV_EDIT_A = 2818;
constexpr UINT IDC_ADV_EDIT_B = 2819;
constexpr UINT IDC_ADV_EDIT_C = 2820;
constexpr UINT IDC_ADV_SPIN_A = 2858;
constexpr UINT IDC_ADV_SPIN_B = 2859;
constexpr UINT IDC_ADV_SPIN_C = 2860;
constexpr UINT IDB_ADV_BACK_CN = 1040;
constexpr UINT IDB_ADV_BACK_EN = 1041;
constexpr UINT IDB_ADV_SWITCH_ON = 1042;
constexpr UINT IDB_ADV_SWITCH_OFF = 1043;

// The selector's entries "0%", "30%", "50%", "80%", "100%" and the byte each stores; the entry a
// stored byte shows (any byte not in the table shows "0%").
int AdvPercentByteOfEntry(int nEntry);
int AdvPercentEntryOfByte(int nByte);

class CInputNoise : public CDialog {
public:
    explicit CInputNoise(CWnd* pParent = nullptr);

    CPageHost* m_pView = nullptr;  // queues the system commands; set before DoModal
    CComBoxBtn m_cmbPercent;
    CNumSpin m_spinB, m_spinA, m_spinC;
    CNumEdit m_editB, m_editA, m_editC;
    CBitButton m_btnSwitch;
    CBitmap m_bmpBackCn;
    CBitmap m_bmpBackEn;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnOK() override {}

private:
    void OnSwitch();
    void OnDropListSelect(UINT nNotifyId, int nIndex);
    // Pair handler: the pair's value into byte nByte of g_bySysGroup8 when it changed.
    void OnPair(CNumSpin& spin, CNumEdit& edit, int nByte);
    void Send(int nCmd);
};
