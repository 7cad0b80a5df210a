#include "CFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include <utility>
#include <vector>

namespace {
CFileDialog::Hook& TheHook()
{
    static CFileDialog::Hook hook;  // user-interface thread
    return hook;
}

std::vector<CString> SplitBars(const CString& text)
{
    std::vector<CString> parts;
    size_t from = 0;
    while (from <= text.size()) {
        const size_t bar = text.find('|', from);
        const CString part = text.substr(from, bar == CString::npos ? CString::npos : bar - from);
        if (bar == CString::npos) {
            if (!part.empty())
                parts.push_back(part);
            break;
        }
        parts.push_back(part);
        from = bar + 1;
    }
    return parts;
}
}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFilter(lpszFilter ? lpszFilter : ""),
      m_dwFlags(dwFlags),
      m_pParentWnd(pParentWnd),
      m_strPathName(lpszFileName ? lpszFileName : "")
{
}

CFileDialog::Hook CFileDialog::SetHook(Hook hook) { return std::exchange(TheHook(), std::move(hook)); }

CString CFileDialog::QtFilter(const CString& filter)
{
    const std::vector<CString> parts = SplitBars(filter);
    CString out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty())
            break;  // "||" ends the list
        CString patterns = parts[i + 1];
        for (char& c : patterns)
            if (c == ';')
                c = ' ';
        if (!out.empty())
            out += ";;";
        out += parts[i] + " (" + patterns + ")";
    }
    return out;
}

CString CFileDialog::WithDefaultExt(const CString& path, const CString& defExt)
{
    if (path.empty() || defExt.empty())
        return path;
    const size_t slash = path.find_last_of('/');
    const CString name = slash == CString::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.find('.') != CString::npos)
        return path;
    return path + "." + defExt;
}

CString CFileDialog::GetFileName() const
{
    const size_t slash = m_strPathName.find_last_of('/');
    return slash == CString::npos ? m_strPathName : m_strPathName.substr(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const size_t dot = name.find_last_of('.');
    return dot == CString::npos ? CString() : name.substr(dot + 1);
}

CString CFileDialog::GetFolderPath() const
{
    const size_t slash = m_strPathName.find_last_of('/');
    if (slash == CString::npos)
        return CString();
    return slash == 0 ? CString("/") : m_strPathName.substr(0, slash);
}

INT_PTR CFileDialog::DoModal()
{
    if (TheHook())
        return TheHook()(*this);
    QFileDialog dlg(m_pParentWnd ? m_pParentWnd->GetWidget() : nullptr);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dlg.setFileMode(m_bOpenFileDialog && (m_dwFlags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                         : QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(m_dwFlags & OFN_OVERWRITEPROMPT));
    if (!m_strDefExt.empty())
        dlg.setDefaultSuffix(QString::fromStdString(m_strDefExt));
    const CString filter = QtFilter(m_strFilter);
    if (!filter.empty())
        dlg.setNameFilter(QString::fromStdString(filter));
    if (!m_strInitialDir.empty())
        dlg.setDirectory(QString::fromStdString(m_strInitialDir));
    if (!m_strPathName.empty())
        dlg.selectFile(QString::fromStdString(m_strPathName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return IDCANCEL;
    m_strPathName = WithDefaultExt(QFileInfo(dlg.selectedFiles().first()).absoluteFilePath().toStdString(), m_strDefExt);
    return IDOK;
}
