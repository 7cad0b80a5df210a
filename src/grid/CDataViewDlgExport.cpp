// The parameter table's spreadsheet export: a real workbook written cell by cell, so a text
// with quotes, commas or any other character reaches the sheet exactly as the list holds it.
#include "CDataViewDlg.h"

#include "CFileDialog.h"
#include "Globals.h"
#include "MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <xlsxwriter.h>

namespace {

// Column headings reach the sheet cut to this many bytes (whole characters only).
constexpr size_t kMaxHeading = 99;

CString CutUtf8(const CString& text, size_t nMax)
{
    if (text.size() <= nMax)
        return text;
    size_t n = nMax;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;  // do not split a character
    return text.substr(0, n);
}

// The save dialog of the export: the platform's file dialog with the export's own title.
class CExportFileDialog : public CFileDialog {
public:
    CExportFileDialog(const CString& strTitle, const CString& strStart, CWnd* pParent)
        : CFileDialog(FALSE, "xlsx", strStart.c_str(), OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                      "Excel(*.xlsx)|*.xlsx||", pParent),
          m_strTitle(strTitle),
          m_pParent(pParent)
    {
    }

    INT_PTR DoModal() override
    {
        // A test's hook answers in place of any dialog.
        Hook hook = SetHook(Hook());
        SetHook(hook);
        if (hook)
            return CFileDialog::DoModal();
        QFileDialog dlg(m_pParent ? m_pParent->GetWidget() : nullptr, QString::fromStdString(m_strTitle));
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setDefaultSuffix(QString::fromStdString(GetDefExt()));
        dlg.setNameFilter(QString::fromStdString(QtFilter(GetFilter())));
        dlg.selectFile(QString::fromStdString(GetPathName()));
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return IDCANCEL;
        SetPathName(WithDefaultExt(QFileInfo(dlg.selectedFiles().first()).absoluteFilePath().toStdString(),
                                   GetDefExt()));
        return IDOK;
    }

private:
    CString m_strTitle;
    CWnd* m_pParent;
};

}  // namespace

bool CDataViewDlg::CreatePathFolders(const CString& strPath, bool bLastIsFile)
{
    for (size_t slash = strPath.find('/', 1); slash != CString::npos; slash = strPath.find('/', slash + 1))
        QDir().mkdir(QString::fromStdString(strPath.substr(0, slash)));
    if (!bLastIsFile)
        QDir().mkdir(QString::fromStdString(strPath));
    return QFileInfo::exists(QString::fromStdString(strPath));
}

CString CDataViewDlg::GetExportFileName()
{
    // The same start on every export: the music folder under the working folder.
    const CString start = m_strWorkDir + "/MusicFile/TR420";
    CExportFileDialog dlg(g_bChinese ? "导出" : "Export", start, this);
    if (dlg.DoModal() != IDOK)
        return CString();
    return dlg.GetPathName();
}

bool CDataViewDlg::ExportListToExcel(CListCtrl* pList, const CString& strTable)
{
    if (!pList || pList->GetItemCount() <= 0)
        return false;
    const CString path = GetExportFileName();
    if (path.empty())
        return false;
    CreatePathFolders(path, true);
    const QString qpath = QString::fromStdString(path);
    if (QFileInfo::exists(qpath) && !QFile::remove(qpath))
        return false;

    std::vector<CString> headings;
    for (int c = 0;; ++c) {
        char text[100] = {};
        LVCOLUMN column{LVCF_TEXT, 0, 0, text, int(sizeof text), 0};
        if (!pList->GetColumn(c, &column))
            break;
        CString heading = CutUtf8(text, kMaxHeading);
        // A column without a heading still gets a name in the sheet.
        if (heading.empty())
            heading = "Column" + std::to_string(c + 1);
        headings.push_back(heading);
    }

    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* sheet = book ? workbook_add_worksheet(book, strTable.c_str()) : nullptr;
    bool ok = sheet != nullptr;
    for (size_t c = 0; ok && c < headings.size(); ++c)
        ok = worksheet_write_string(sheet, 0, lxw_col_t(c), headings[c].c_str(), nullptr) == LXW_NO_ERROR;
    for (int r = 0; ok && r < pList->GetItemCount(); ++r)
        for (size_t c = 0; ok && c < headings.size(); ++c) {
            const CString text = pList->GetItemText(r, int(c));
            if (!text.empty())
                ok = worksheet_write_string(sheet, lxw_row_t(r) + 1, lxw_col_t(c), text.c_str(), nullptr) ==
                     LXW_NO_ERROR;
        }
    if (book && workbook_close(book) != LXW_NO_ERROR)
        ok = false;
    if (!ok) {
        QFile::remove(qpath);
        AfxMessageBox(g_bChinese ? "导出失败: " + path : "Export failed: " + path, MB_OK, g_bChinese ? -2 : -3);
    }
    return ok;
}
