// A log window of the data written to and read from the device (template 109): two logs side
// by side, each line optionally stamped with the time since the last send. Nothing in the
// program opens one. User-interface thread.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CStatic.h"

constexpr UINT IDD_LOCK_DATA = 109;
constexpr UINT IDC_LOG_WRITE = 1221;
constexpr UINT IDC_LOG_READ = 1024;
constexpr UINT IDC_LOG_CLEAR = 1222;
constexpr UINT IDC_LOG_EDIT1 = 1884;
constexpr UINT IDC_LOG_EDIT2 = 1885;

class CLockDataDlg : public CDialog {
public:
    explicit CLockDataDlg(CWnd* pParent = nullptr);
    ~CLockDataDlg() override;

    // Empties both logs and shows the window.
    void ShowLog();
    // Appends text to the write (read) log; bTime adds " (" + the time since a new send stamp +
    // ")", bNewLine a line break; the last line is scrolled into view.
    void AppendWrite(const CString& text, BOOL bTime, BOOL bNewLine);
    void AppendRead(const CString& text, BOOL bTime, BOOL bNewLine);

    CEdit m_editWrite;  // 1221
    CEdit m_editRead;   // 1024

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void Append(CEdit& log, const CString& text, BOOL bTime, BOOL bNewLine);

    CStatic m_stWrite;
    CStatic m_stRead;
    CButton m_btnClear;
    CEdit m_edit1884;
    CEdit m_edit1885;
};

// The two single-line edits of the log window, once it has initialised (nothing reads them).
extern CWnd* g_pLockEdit1;
extern CWnd* g_pLockEdit2;
