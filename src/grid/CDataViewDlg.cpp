#include "CDataViewDlg.h"

#include "CKTV_Data.h"
#include "CListCtrlPrint.h"
#include "DialogUnits.h"
#include "Globals.h"

#include <QDir>

namespace {

// Template 102, in dialog units of the dialog font.
constexpr int kWidthDlu = 377;
constexpr int kHeightDlu = 247;

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(80, "Arial");
    return units;
}

CString Num(int n) { return std::to_string(n); }

}  // namespace

CDataViewDlg::CDataViewDlg(CWnd* pParent)
    : CDialog(IDD_DATAVIEW, pParent), m_strWorkDir(QDir::currentPath().toStdString())
{
    Units().RegisterTemplate(IDD_DATAVIEW, "", kWidthDlu, kHeightDlu);
}

CDataViewDlg::~CDataViewDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

std::vector<CString> CDataViewDlg::RowNames(bool bChinese)
{
    // Labels stand on the rows the channels' texts are written to: six rows per band (the
    // fourth holds a peaking band's bandwidth or a shelf's slope), then the crossover, then the
    // single values.
    std::vector<CString> rows(static_cast<size_t>(kRows));
    const int bands = kHighPassRow / kBandRows;  // nine groups above the crossover
    for (int n = 1; n <= bands; ++n) {
        const size_t r = size_t((n - 1) * kBandRows);
        if (bChinese) {
            rows[r] = "均衡" + Num(n) + "类型";
            rows[r + 1] = "均衡" + Num(n) + "增益";
            rows[r + 2] = "均衡" + Num(n) + "频率";
            rows[r + 3] = "均衡" + Num(n) + "宽度/斜率";
            rows[r + 4] = "均衡" + Num(n) + "Q值";
        } else {
            rows[r] = "EQ" + Num(n) + " Type";
            rows[r + 1] = "EQ" + Num(n) + " Gain";
            rows[r + 2] = "EQ" + Num(n) + " Freq";
            rows[r + 3] = "EQ" + Num(n) + " BW/Slope";
            rows[r + 4] = "EQ" + Num(n) + " Q";
        }
    }
    struct Single {
        int row;
        const char* en;
        const char* cn;
    };
    static const Single singles[] = {
        {kHighPassRow, "HPF_Type", "低切类型"},
        {kHighPassRow + 1, "HPF_Freq", "低切频率"},
        {kHighPassRow + 2, "HPF_Oct", "低切斜率"},
        {kLowPassRow, "LPF_Type", "高切类型"},
        {kLowPassRow + 1, "LPF_Freq", "高切频率"},
        {kLowPassRow + 2, "LPF_Oct", "高切斜率"},
        {kPolarityRow, "POL", "相  位"},
        {kDelayRow, "Delay", "延  时"},
        {kGainRow, "Gain", "增益"},
        {kInLeftRow, "IN L", "输入左"},
        {kInRightRow, "IN R", "输入右"},
        {kIn3Row, "IN 3", "输入3"},
        {kOnRow, "Mute", "静  音"},
        {kLevelRow, "Level", "级别"},
        {kThresholdRow, "Threshold", "限幅电平"},
        {kAttackRow, "Attach", "响应时间"},
        {kReleaseRow, "Release", "释放时间"},
        {kNoiseGateRow, "Noise Gate", "噪声门"},
        {kEchoRow, "Echo 3", "回声3"},
        {kEchoRow + 1, "Echo Delay", "回声延时"},
        {kEchoRow + 2, "Echo Balance", "回声平衡"},
        {kEchoRow + 3, "Echo 4", "回声4"},
        {kEchoRow + 4, "Echo 5", "回声5"},
        {kReverbRow, "Reverb 2", "混响2"},
        {kReverbRow + 1, "Reverb Time", "混响时间"},
        {kReverbRow + 2, "Reverb Delay", "混响延时"},
        {kReverbRow + 3, "Reverb 3", "混响3"},
    };
    for (const Single& s : singles)
        rows[size_t(s.row)] = bChinese ? s.cn : s.en;
    return rows;
}

std::vector<CString> CDataViewDlg::ColumnNames(bool bChinese)
{
    std::vector<CString> cols{bChinese ? "参数" : "Args"};
    for (int ch = 1; ch < kColumns; ++ch)
        cols.push_back("CH" + Num(ch));
    return cols;
}

BOOL CDataViewDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Units().ApplyFont(this, m_font);
    const CSize base = Units().Base();
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    m_btnPrint.Create("打印", shown | WS_TABSTOP | BS_PUSHBUTTON, DialogRect(16, 7, 50, 12, base), this,
                      IDC_DATAVIEW_PRINT);
    m_listData.Create(shown | WS_BORDER | WS_TABSTOP | LVS_REPORT, DialogRect(7, 21, 365, 218, base), this,
                      IDC_DATAVIEW_LIST);
    m_btnExport.Create("导出Excel", shown | WS_TABSTOP | BS_PUSHBUTTON, DialogRect(130, 7, 50, 12, base), this,
                       IDC_DATAVIEW_EXPORT);
    for (CWnd* w : {static_cast<CWnd*>(&m_btnPrint), static_cast<CWnd*>(&m_btnExport)})
        w->SetFont(&m_font, FALSE);
    m_listData.SetFont(&m_font, FALSE);

    const bool cn = g_bChinese != 0;
    SetWindowText(cn ? "参数值显示" : "Report");
    m_strPrintText = cn ? "打印" : "Print";
    m_strExportText = cn ? "导出Excel" : "Export Excel";
    m_btnPrint.SetWindowText(m_strPrintText);
    m_btnExport.SetWindowText(m_strExportText);
    m_strRowName = RowNames(cn);
    m_strColName = ColumnNames(cn);

    m_listData.SetExtendedStyle(m_listData.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_listData.SetBkColor(RGB(247, 247, 255));
    m_listData.SetTextBkColor(RGB(247, 247, 255));
    m_listData.SetTextColor(RGB(0, 0, 255));
    m_strRowLabel = m_strRowName;

    // The table is shown filled: the dialog exists to show it.
    FillList();
    return TRUE;
}

BOOL CDataViewDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_DATAVIEW_PRINT:
        OnPrintReport();
        return TRUE;
    case IDC_DATAVIEW_EXPORT:
        OnExportExcel();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

BOOL CDataViewDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (IsHeaderBeginTrack(lParam)) {
        *pResult = 1;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CDataViewDlg::Put(int nRow, int nCol, const CString& text)
{
    // SetItemText refuses a cell outside the table.
    m_listData.SetItemText(nRow, nCol, text.c_str());
}

void CDataViewDlg::FillBand(int nCol, int nGroup, const CFilter* pFilter, bool bAlwaysBandwidth)
{
    if (!pFilter)
        return;
    const int row = nGroup * kBandRows;
    Put(row, nCol, pFilter->GetTypeText());
    Put(row + 1, nCol, pFilter->GetGainText());
    Put(row + 2, nCol, pFilter->GetFreqText());
    if (bAlwaysBandwidth || pFilter->GetType() == 0) {
        Put(row + 3, nCol, pFilter->GetBandwidthText());
        Put(row + 4, nCol, pFilter->GetQText());
    } else {
        Put(row + 3, nCol, pFilter->GetShelfSlopeText());
    }
}

void CDataViewDlg::FillCrossover(int nCol, const CFilter* pHighPass, const CFilter* pLowPass, bool bSlope)
{
    int row = kHighPassRow;
    for (const CFilter* f : {pHighPass, pLowPass}) {
        if (f) {
            Put(row, nCol, f->GetClassText());
            Put(row + 1, nCol, f->GetFreqText());
            if (bSlope)
                Put(row + 2, nCol, f->GetCrossoverSlopeText());
        }
        row = kLowPassRow;
    }
}

void CDataViewDlg::FillList()
{
    if (!m_listData.GetSafeHwnd())
        return;
    m_listData.DeleteAllItems();
    while (m_listData.DeleteColumn(0)) {
    }
    for (int c = 0; c < kColumns; ++c) {
        const int width = c == 0 ? 110 : c < 3 ? 90 : 80;
        const CString heading = size_t(c) < m_strColName.size() ? m_strColName[size_t(c)] : CString();
        m_listData.InsertColumn(c, heading.c_str(), LVCFMT_CENTER, width);
    }
    for (int r = 0; r < kRows; ++r)
        m_listData.InsertItem(r, size_t(r) < m_strRowLabel.size() ? m_strRowLabel[size_t(r)].c_str() : "");
    if (!m_pData)
        return;

    int col = 1;
    if (CMIC_InData* mic = m_pData->GetMicData(0)) {
        for (int b = 0; b < 9; ++b)
            FillBand(col, b, mic->GetFilter(b), false);
        FillCrossover(col, mic->GetHighPass(), mic->GetLowPass(), true);
        Put(kGainRow, col, mic->GetVolumeText());
        Put(kOnRow, col, mic->GetOnText());
        Put(kLevelRow, col, mic->GetLevelText());
        Put(kNoiseGateRow, col, mic->GetNoiseGateText());
    }
    for (int i = 0; i < 6; ++i) {
        col = 2 + i;
        CMusic_InData* music = m_pData->GetMusicData(i);
        if (!music)
            continue;
        for (int b = 0; b < 7; ++b)
            FillBand(col, b, music->GetFilter(b), false);
        Put(kGainRow, col, music->GetVolumeText());
        Put(kOnRow, col, music->GetOnText());
        Put(kNoiseGateRow, col, music->GetNoiseGateText());
    }
    col = 8;
    if (CEffect_Data* effect = m_pData->GetEffectData()) {
        for (int b = 0; b < 3; ++b)
            FillBand(col, b, effect->GetFilter(b), true);
        FillCrossover(col, effect->GetHighPass(), effect->GetLowPass(), false);
        Put(kGainRow, col, effect->GetReverbParam4Text());
        const CString echo[] = {effect->GetEchoParam3Text(), effect->GetEchoDelayText(), effect->GetEchoBalanceText(),
                                effect->GetEchoParam4Text(), effect->GetEchoParam5Text()};
        for (int k = 0; k < 5; ++k)
            Put(kEchoRow + k, col, echo[k]);
        const CString reverb[] = {effect->GetReverbParam2Text(), effect->GetReverbTimeText(),
                                  effect->GetReverbDelayText(), effect->GetReverbParam3Text()};
        for (int k = 0; k < 4; ++k)
            Put(kReverbRow + k, col, reverb[k]);
    }
    for (int o = 0; o < 10; ++o) {
        col = 9 + o;
        CKTV_OutData* out = m_pData->GetOutData(o);
        if (!out)
            continue;
        // Outputs 1 and 2 list six bands, the others three.
        const int bands = o < 2 ? 6 : 3;
        for (int b = 0; b < bands; ++b)
            FillBand(col, b, out->GetFilter(b), false);
        // Among the outputs only output 6 lists its low-pass filter.
        FillCrossover(col, out->GetHighPass(), o == 5 ? out->GetLowPass() : nullptr, true);
        Put(kPolarityRow, col, out->GetPolarityText());
        Put(kDelayRow, col, out->GetDelayText());
        Put(kGainRow, col, out->GetGainText());
        Put(kInLeftRow, col, out->GetInLeftText());
        Put(kInRightRow, col, out->GetInRightText());
        Put(kIn3Row, col, out->GetIn5Text());
        Put(kOnRow, col, out->GetOnText());
        Put(kThresholdRow, col, out->GetLimitThresholdText());
        Put(kAttackRow, col, out->GetLimitAttackText());
        Put(kReleaseRow, col, out->GetLimitReleaseText());
    }
}

void CDataViewDlg::OnPrintReport()
{
    CListCtrlPrint job;
    job.m_strHeader = "This is the report of the file\r\nMultiline!\r\n";
    job.m_strFooter = "Just a vesk for the footers\r\neventually multiline too ..";
    job.m_strPageFormat = "Page %d of %d";
    job.m_pList = &m_listData;
    job.OnFilePrint();
}

void CDataViewDlg::OnExportExcel() { ExportListToExcel(&m_listData, "TR420"); }
