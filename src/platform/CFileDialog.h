// The open and save file dialogs: a modal choice of one file, over Qt's own (non-native)
// file dialog.
//
// The filter takes the program's form "Name|pattern|Name|pattern||" (patterns separated by
// ";"). The default extension is added to a typed name that has none. OFN_FILEMUSTEXIST (open)
// accepts only an existing file; OFN_OVERWRITEPROMPT (save) asks before a file is replaced.
//
// Tests install a hook: DoModal then shows nothing and returns what the hook returns; the hook
// may choose a file with SetPathName. No test ever blocks in the dialog.
// User-interface thread.
#pragma once

#include "CWnd.h"

#include <functional>

typedef intptr_t INT_PTR;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;

    // IDOK with a file chosen, IDCANCEL otherwise.
    virtual INT_PTR DoModal();

    // The folder the dialog starts in (empty: the current folder).
    void SetInitialDir(const CString& dir) { m_strInitialDir = dir; }
    const CString& GetInitialDir() const { return m_strInitialDir; }
    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }
    DWORD GetFlags() const { return m_dwFlags; }
    const CString& GetDefExt() const { return m_strDefExt; }
    const CString& GetFilter() const { return m_strFilter; }

    // The chosen file: full path, name with extension, extension without the dot, folder.
    CString GetPathName() const { return m_strPathName; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFolderPath() const;
    // The chosen file (a hook's choice), as the dialog would have set it.
    void SetPathName(const CString& path) { m_strPathName = path; }

    // The filter as Qt writes it: "Name (pattern)" entries joined by ";;".
    static CString QtFilter(const CString& filter);
    // path with the default extension added when its name has none.
    static CString WithDefaultExt(const CString& path, const CString& defExt);

    using Hook = std::function<INT_PTR(CFileDialog& dlg)>;
    // Installs the hook (an empty function shows the dialog again); returns the previous one.
    static Hook SetHook(Hook hook);

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFilter;
    DWORD m_dwFlags;
    CWnd* m_pParentWnd;
    CString m_strInitialDir;
    CString m_strPathName;
};
