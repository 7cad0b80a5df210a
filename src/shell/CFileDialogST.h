// An open/save file dialog and a folder chooser built straight on the desktop's file dialogs,
// with its own path splitting and the walk through a multiple selection. Nothing in the program
// constructs one (the PC-file operations use CFileDialog); it is kept whole.
//
// The file-name field holds one path, or for a multiple selection the folder followed by the
// names, separated by zero bytes (explorer style) or by blanks (the old style), the list ending
// with an empty item. User-interface thread.
#pragma once

#include "CFileDialog.h"
#include "WinTypes.h"

#include <string>

class CWnd;

constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr int FILEDIALOGST_PATH = 260;  // capacity of each buffer

// The parts of a path, as the runtime's path splitter gives them: "C:", "\dir\", "name", ".ext"
// (either slash separates folders; the extension keeps its dot).
struct SplitPathParts {
    std::string drive;
    std::string dir;
    std::string fname;
    std::string ext;
};
SplitPathParts SplitPath(const std::string& path);

class CFileDialogST {
public:
    // The system's record of one dialog run (only what the dialog uses).
    struct OpenFileRecord {
        DWORD lStructSize = 0;
        CWnd* pOwner = nullptr;
        std::string strFilter;       // unchanged, as the caller wrote it
        std::string strDefExt;
        std::string* pFile = nullptr;    // the caller's name or m_szFile
        std::string* pFileTitle = nullptr;
        DWORD nMaxFile = 0;
        DWORD Flags = 0;
    };

    CFileDialogST();
    CFileDialogST(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                  DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                  CWnd* pParentWnd = nullptr);
    virtual ~CFileDialogST() = default;
    CFileDialogST(const CFileDialogST&) = delete;
    CFileDialogST& operator=(const CFileDialogST&) = delete;

    // Runs the open or save dialog: IDOK with a choice, else IDCANCEL. The record's size field
    // is 88 (76 would be a system older than major version 5).
    virtual int DoModal();

    CString GetPathName() const { return *m_ofn.pFile; }
    CString GetFileName() const { return m_szFileTitle; }
    CString GetFileTitle() const { return SplitPath(GetPathName()).fname; }
    CString GetFileExt() const { return SplitPath(GetPathName()).ext; }
    CString GetFileDir() const;
    CString GetFileDrive() const { return SplitPath(GetPathName()).drive; }

    // The walk through the file-name field: a position (offset + 1, 0 at the end) and the path
    // of each item; the first item of a multiple selection is the folder.
    size_t GetStartPosition() const { return m_ofn.pFile->empty() ? 0 : 1; }
    CString GetNextPathName(size_t& pos) const;

    // A folder: IDOK with its path in the folder buffer, else IDCANCEL.
    int SelectFolder(LPCTSTR lpszTitle = nullptr, LPCTSTR lpszStartPath = nullptr, UINT ulFlags = 0,
                     CWnd* pParentWnd = nullptr);
    CString GetSelectedFolder() const { return m_szSelectedFolder; }

    OpenFileRecord m_ofn;

    // For callers that fill the field themselves (and tests).
    void SetFileField(const std::string& field) { *m_ofn.pFile = field; }

private:
    std::string m_szFile;
    std::string m_szFileTitle;
    std::string m_szSelectedFolder;
    std::string m_strCallerFile;
    BOOL m_bOpenFileDialog = TRUE;
};
