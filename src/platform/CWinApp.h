// The application object: the one object that starts the program, runs its user-interface loop
// and ends it. A program derives its own class and defines one static instance of it.
//
//     PlatformPreInit(); QApplication qt(argc, argv); PlatformInit();
//     AfxGetApp()->SetCommandLine(argc, argv);
//     const int code = AfxGetApp()->RunProgram();   // InitInstance, loop, shut-down
//     PlatformShutdown();
//
// The loop ends with PostQuitMessage; destroying the main window posts it. Whatever window is
// still open when the loop ends is destroyed before ExitInstance, so every window's WM_DESTROY
// runs on each way out (closed window, quit signal).
//
// The application owns its document templates and, through them, the open documents and their
// frames. User-interface thread.
#pragma once

#include "CWnd.h"

#include <memory>
#include <vector>

class CMultiDocTemplate;

class CWinApp {
public:
    // The newest application object is the one AfxGetApp returns (until it is destroyed).
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's start-up: FALSE ends it before the loop.
    virtual BOOL InitInstance();
    // The program's shut-down, after every window has gone: returns the exit code, the code
    // the loop ended with (0 when the loop never ran). Closes every document.
    virtual int ExitInstance();
    // Runs the loop until PostQuitMessage, then Shutdown().
    virtual int Run();
    // Destroys the main window when it still exists (without ending a loop), then
    // ExitInstance(). The end of Run; tests that never run the loop call it themselves.
    int Shutdown();
    // InitInstance, then Run; a failed start destroys the main window when there is one and
    // returns ExitInstance().
    int RunProgram();

    // The words after the program's name; m_lpCmdLine holds them joined by single blanks.
    void SetCommandLine(int argc, char** argv);
    void SetCommandLine(const CString& cmdLine) { m_lpCmdLine = cmdLine; }
    // Where the program's settings live under the current user's software key; kept for the
    // settings store's key paths.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);

    // The template goes to the application, which keeps it until ExitInstance.
    void AddDocTemplate(CMultiDocTemplate* pTemplate);
    // Closes every document of every template: their frames and views first.
    void CloseAllDocuments();
    int GetDocTemplateCount() const { return int(m_templates.size()); }

    CWnd* m_pMainWnd = nullptr;  // the main window, not owned
    int m_nCmdShow = SW_SHOW;    // how InitInstance shows the main window
    CString m_lpCmdLine;
    CString m_pszAppName;
    CString m_pszRegistryKey;

protected:
    int m_nExitCode = 0;  // the loop's exit code

private:
    std::vector<std::unique_ptr<CMultiDocTemplate>> m_templates;
    CWinApp* m_pPrevApp;
};

// The application object, or null before one exists.
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
