#include "CFileDialogST.h"

#include "CWnd.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr DWORD kRecordSize = 88;

bool IsSlash(char c) { return c == '\\' || c == '/'; }

}  // namespace

SplitPathParts SplitPath(const std::string& path)
{
    SplitPathParts p;
    std::string rest = path;
    if (rest.size() >= 2 && rest[1] == ':') {
        p.drive = rest.substr(0, 2);
        rest = rest.substr(2);
    }
    size_t lastSlash = std::string::npos;
    for (size_t i = 0; i < rest.size(); ++i)
        if (IsSlash(rest[i]))
            lastSlash = i;
    if (lastSlash != std::string::npos) {
        p.dir = rest.substr(0, lastSlash + 1);
        rest = rest.substr(lastSlash + 1);
    }
    const size_t dot = rest.rfind('.');
    if (dot != std::string::npos) {
        p.fname = rest.substr(0, dot);
        p.ext = rest.substr(dot);
    } else {
        p.fname = rest;
    }
    return p;
}

CFileDialogST::CFileDialogST()
{
    m_ofn.pFile = &m_szFile;
    m_ofn.pFileTitle = &m_szFileTitle;
    m_bOpenFileDialog = TRUE;
}

CFileDialogST::CFileDialogST(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                             LPCTSTR lpszFilter, CWnd* pParentWnd)
{
    m_bOpenFileDialog = bOpenFileDialog;
    m_ofn.strDefExt = lpszDefExt ? lpszDefExt : "";
    m_ofn.strFilter = lpszFilter ? lpszFilter : "";
    if (lpszFileName) {
        m_strCallerFile = lpszFileName;
        m_ofn.pFile = &m_strCallerFile;
    } else {
        m_ofn.pFile = &m_szFile;
    }
    m_ofn.nMaxFile = FILEDIALOGST_PATH;
    m_ofn.pFileTitle = &m_szFileTitle;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.pOwner = pParentWnd;
}

int CFileDialogST::DoModal()
{
    m_ofn.lStructSize = kRecordSize;
    QWidget* owner = m_ofn.pOwner ? m_ofn.pOwner->GetWidget() : nullptr;
    const QString filter = QString::fromStdString(CFileDialog::QtFilter(m_ofn.strFilter));
    const QString start = QString::fromStdString(*m_ofn.pFile);
    if (m_bOpenFileDialog && (m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
        const QStringList files = QFileDialog::getOpenFileNames(owner, QString(), start, filter);
        if (files.isEmpty())
            return IDCANCEL;
        // Explorer style: the folder, then each name, zero-separated.
        std::string field = QFileInfo(files.first()).absolutePath().toStdString();
        for (const QString& f : files) {
            field.push_back('\0');
            field += QFileInfo(f).fileName().toStdString();
        }
        field.push_back('\0');
        *m_ofn.pFile = field;
        m_szFileTitle.clear();
        return IDOK;
    }
    const QString chosen = m_bOpenFileDialog ? QFileDialog::getOpenFileName(owner, QString(), start, filter)
                                             : QFileDialog::getSaveFileName(owner, QString(), start, filter);
    if (chosen.isEmpty())
        return IDCANCEL;
    *m_ofn.pFile = CFileDialog::WithDefaultExt(chosen.toStdString(), m_ofn.strDefExt);
    m_szFileTitle = QFileInfo(QString::fromStdString(*m_ofn.pFile)).fileName().toStdString();
    return IDOK;
}

CString CFileDialogST::GetFileDir() const
{
    const SplitPathParts p = SplitPath(GetPathName());
    return p.drive + p.dir;
}

CString CFileDialogST::GetNextPathName(size_t& pos) const
{
    const std::string& field = *m_ofn.pFile;
    if (pos == 0 || pos > field.size()) {
        pos = 0;
        return CString();
    }
    const bool explorer = (m_ofn.Flags & OFN_EXPLORER) != 0;
    const char sep = explorer ? '\0' : ' ';
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
        pos = 0;
        return field.substr(0, field.find('\0'));
    }
    // The folder is the first item; a field without a second item is a single path.
    const size_t folderEnd = field.find(sep);
    const std::string folder = field.substr(0, folderEnd);
    if (folderEnd == std::string::npos || folderEnd + 1 >= field.size() || field[folderEnd + 1] == '\0') {
        pos = 0;
        return folder;
    }
    size_t start = pos - 1;
    if (start == 0)
        start = folderEnd + 1;
    const size_t end = field.find(sep, start);
    const std::string item = field.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const size_t next = end == std::string::npos ? field.size() : end + 1;
    pos = next < field.size() && field[next] != '\0' ? next + 1 : 0;
    if (!folder.empty() && IsSlash(folder.back()))
        return folder + item;
    return folder + "\\" + item;
}

int CFileDialogST::SelectFolder(LPCTSTR lpszTitle, LPCTSTR lpszStartPath, UINT, CWnd* pParentWnd)
{
    QWidget* owner = pParentWnd ? pParentWnd->GetWidget() : nullptr;
    const QString dir = QFileDialog::getExistingDirectory(owner, QString::fromUtf8(lpszTitle ? lpszTitle : ""),
                                                          QString::fromUtf8(lpszStartPath ? lpszStartPath : ""));
    if (dir.isEmpty())
        return IDCANCEL;
    m_szSelectedFolder = dir.toStdString();
    return IDOK;
}
