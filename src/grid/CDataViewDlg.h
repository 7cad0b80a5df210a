// The parameter table: a modal dialog that lists the parameter values of every channel of a
// scene as text, one row per parameter and one column per channel (labels, microphone, six music
// inputs, effect block, ten outputs), with a button that prints the list as a ruled table and
// one that writes it into a spreadsheet workbook. It only reads the scene.
//
// The opener sets m_pData (and, if it likes, m_strWorkDir) and runs DoModal.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CListCtrl.h"
#include "GdiObjects.h"

#include <vector>

class CKTV_Data;

constexpr UINT IDD_DATAVIEW = 102;
constexpr UINT IDC_DATAVIEW_PRINT = 1366;
constexpr UINT IDC_DATAVIEW_LIST = 1367;
constexpr UINT IDC_DATAVIEW_EXPORT = 1369;

class CDataViewDlg : public CDialog {
public:
    static constexpr int kRows = 174;
    // Label column plus the eighteen channels.
    static constexpr int kColumns = 19;

    explicit CDataViewDlg(CWnd* pParent = nullptr);
    ~CDataViewDlg() override;

    CButton m_btnExport;
    CButton m_btnPrint;
    CListCtrl m_listData;
    std::vector<CString> m_strRowLabel;  // first-column labels, kRows entries
    CKTV_Data* m_pData = nullptr;        // the scene shown; not owned
    CString m_strPrintText;
    CString m_strExportText;
    std::vector<CString> m_strRowName;  // row labels of the current language
    std::vector<CString> m_strColName;  // column headings
    // The program's working folder; the export proposes <it>/MusicFile/TR420.xlsx.
    CString m_strWorkDir;

    // Columns, label rows and every channel's texts; nothing without a scene.
    void FillList();
    // Writes the list's headings and texts, cell by cell, into a workbook whose sheet is named
    // strTable, at a path the user picks. false when nothing was written.
    bool ExportListToExcel(CListCtrl* pList, const CString& strTable);
    // The save dialog's choice, or empty when cancelled.
    CString GetExportFileName();
    // Makes every folder along the path (the last part too unless it is a file); whether the
    // path exists afterwards.
    static bool CreatePathFolders(const CString& strPath, bool bLastIsFile);
    // The row labels and column headings of a language.
    static std::vector<CString> RowNames(bool bChinese);
    static std::vector<CString> ColumnNames(bool bChinese);

    // Row of each parameter in a channel's column.
    static constexpr int kBandRows = 6;  // type, gain, frequency, bandwidth or slope, Q, gap
    static constexpr int kHighPassRow = 58;
    static constexpr int kLowPassRow = 62;
    static constexpr int kPolarityRow = 66;
    static constexpr int kDelayRow = 67;
    static constexpr int kGainRow = 68;
    static constexpr int kInLeftRow = 70;
    static constexpr int kInRightRow = 71;
    static constexpr int kIn3Row = 72;
    static constexpr int kOnRow = 73;
    static constexpr int kLevelRow = 74;
    static constexpr int kThresholdRow = 76;
    static constexpr int kAttackRow = 77;
    static constexpr int kReleaseRow = 78;
    static constexpr int kNoiseGateRow = 79;
    static constexpr int kEchoRow = 82;    // five echo values
    static constexpr int kReverbRow = 88;  // four reverb values

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnPrintReport();
    void OnExportExcel();

private:
    void Put(int nRow, int nCol, const CString& text);
    void FillBand(int nCol, int nGroup, const class CFilter* pFilter, bool bAlwaysBandwidth);
    void FillCrossover(int nCol, const CFilter* pHighPass, const CFilter* pLowPass, bool bSlope);

    CFont m_font;
};
