// The system dialog (template 108, modal): per output CH1..CH8 a limiter (level, attack,
// release) and a compressor (level, ratio, attack, release) with the channel's limiter curve
// graph, and the noise gate of music input 1.
//
// Every edit goes into the model through the output's or the input's setter, which copies it to
// the linked outputs and stamps what the device carries (the limiter record, the noise-gate
// record); the compressor lives in the model only. After an edit the fields of the other
// channels linked to it (IsLinkedOutput) are shown again from the model. The limiter level never
// falls below the compressor level and the compressor level never rises above the limiter level
// nor above +6.0 dBu. Values from the model are shown clamped into the fields' ranges, silently.
//
// Release times are shown in milliseconds, code + 50 (ReleaseCodeToMs). Enter and Esc commit the
// field being typed in and leave the dialog open; its close box closes it.
//
// User-interface thread.
#pragma once

#include "CCOM_EXT_LIMStatic.h"
#include "CButton.h"
#include "CComboBox.h"
#include "CDialog.h"
#include "CFontStatic.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "GdiObjects.h"

class CKTV_Data;
class CKTV_OutData;
class CMusic_InData;

constexpr UINT IDD_SYSTEM = 108;
constexpr int SYS_CHANNELS = 8;
constexpr UINT IDC_SYS_GRAPH = 2513;       // + channel
constexpr UINT IDC_SYS_GROUP = 5610;       // + channel
constexpr UINT IDC_SYS_NOISE_EDIT = 2059;
constexpr UINT IDC_SYS_NOISE_SPIN = 2060;
constexpr UINT IDC_SYS_SOURCE = 2063;

// The seven fields of a channel, in the order of the field table.
enum SysField {
    SYS_LIMIT_LEVEL,
    SYS_LIMIT_ATTACK,
    SYS_LIMIT_RELEASE,
    SYS_COMP_LEVEL,
    SYS_COMP_RATIO,
    SYS_COMP_ATTACK,
    SYS_COMP_RELEASE,
    SYS_FIELDS
};

// One field family: control ids (+ channel), display and range.
struct SysFieldInfo {
    UINT nEditBase;
    UINT nSpinBase;
    int nType;
    const char* pszUnit;
    double dScale;
    double dOffset;
    int nMin;
    int nMax;
};
const SysFieldInfo& GetSysFieldInfo(int nField);

// The value field nField of out shows (release codes as milliseconds); not clamped.
int GetSysFieldValue(const CKTV_OutData& out, int nField);

class CCurSYSDlg : public CDialog {
public:
    explicit CCurSYSDlg(CWnd* pParent = nullptr);

    CKTV_Data* m_pScene = nullptr;       // set before DoModal
    CMusic_InData* m_pMusic = nullptr;   // music input 0, whose noise gate the dialog edits
    CKTV_OutData* m_pOut = nullptr;      // the output last edited

    CCOM_EXT_LIMStatic m_graph[SYS_CHANNELS];
    CNumEdit m_edit[SYS_FIELDS][SYS_CHANNELS];
    CNumSpin m_spin[SYS_FIELDS][SYS_CHANNELS];
    CButton m_group[SYS_CHANNELS];
    CFontStatic m_labelRow[8];
    CFontStatic m_labelSource;
    CFontStatic m_labelNoise;
    CComboBox m_comboSource;
    CNumSpin m_spinNoise;
    CNumEdit m_editNoise;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    void OnOK() override {}

private:
    void CreateControls();
    void SetupControls();
    void LoadChannels();
    // The handler of field nField of channel n (an edit and its spin share it).
    void OnFieldChanged(int nField, int n);
    void OnNoiseGate();
    // Shows field nField of every other channel linked to n again from the model.
    void RefreshGroup(int nField, int n);
    // Sets a spin (and its field) to v clamped into its range, without the range message.
    void ShowValue(int nField, int n, int v);

    CBrush m_brushBack;
};
