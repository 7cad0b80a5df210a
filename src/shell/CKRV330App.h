// The application object: the program's start-up and shut-down.
//
// Start-up (InitInstance): the registration words of the command line, the parameter model's
// defaults, the device address from the environment, the shared fonts, brush and speaker-type
// menu, the language from the user's locale, the document template (document, child frame, main
// view), the main frame, one empty document (its view's initial update starts the device
// connection), then the main frame shows.
//
// Shut-down: the main frame's window goes (the view's WM_DESTROY stops the comm worker, removes
// this copy's claim from the "USB" in-use list and stops the network watchdog), then the
// document template deletes the frame, the view and the document, in that order.
//
// No step is needed for: sockets (the system's are always there), COM registration (the
// program offers no COM classes: the words only end it), the imaging library (Qt draws PNG
// images itself), fixing the layout at 96 DPI (PlatformPreInit keeps every layout in pixels at
// 96 DPI), a menu bar (the frames never get one). User-interface thread.
#pragma once

#include "CMultiDocTemplate.h"
#include "CWinApp.h"
#include "MessageBox.h"
#include "OutputPageGlobals.h"
#include "ShellModelUi.h"
#include "WinApi.h"

#include <memory>

class CMainFrame;

// Link tables of the output channels, one entry per output channel or per link group 0..9.
// Changed by the output page and its strips on the user-interface thread.
struct LinkOfChannel {
    int flag;        // the channel is linked
    int groupIndex;  // its link group minus 1
};
extern int g_bLinkGroupUsed[10];    // per link group: 1 while the group is in use
extern int g_nLinkGroupCount[10];   // per link group: number of member channels
extern int g_nLinkGroupMask[10];    // per link group: bit i set when output i belongs to it
extern LinkOfChannel g_LinkOfChannel[10];
// The user's locale identifier, read at start-up (0x0804: simplified Chinese).
extern LCID g_nSystemLcid;

// What the command line asks of the registration step.
enum class RegistrationWord { None, RegServer, UnregServer };

class CKRV330App : public CWinApp {
public:
    CKRV330App();
    ~CKRV330App() override;

    // FALSE: a registration word was given (the program ends at once, exit code 0), or the
    // main frame or the document could not be made.
    BOOL InitInstance() override;
    // Releases the main frame, the templates and the icon; returns the loop's exit code.
    int ExitInstance() override;

    // FALSE when the command line asks to register or unregister: nothing to register here,
    // so the program only ends.
    BOOL InitATL();
    // Every message box of the window layer goes to the program's own message dialog over the
    // main window. Returns IDOK, IDCANCEL, IDYES or IDNO.
    int DoMessageBox(const CString& text, UINT nType, int nSelector);
    // The first link group 0..9 not in use; 0 when all ten are.
    static int GetFreeLinkGroup();

    // The registration word of a command line: after a '-' or '/', compared without regard to
    // case with the whole rest of the line, so only a word that ends the line counts; each
    // '-' or '/' is tried in turn.
    static RegistrationWord FindRegistrationWord(const CString& cmdLine);
    // "host:port" (port 1..65535) into ip and port; FALSE, leaving both alone, for other text.
    static BOOL ParseDeviceAddress(const CString& text, CString& ip, int& port);
    // ORVANE_DEVICE_ADDRESS=host:port, when set and valid, replaces g_strDeviceIp and
    // g_nDevicePort (running against the emulator); a value that does not parse is reported
    // on stderr and ignored.
    static void ApplyDeviceAddressFromEnvironment();

    CMultiDocTemplate* m_pDocTemplate = nullptr;  // owned by the application's template list
    BOOL m_bATLInited = FALSE;
    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_pMainFrame;
    HICON m_hSmallIcon = nullptr;  // icon 273, null when the resources have none
    // The handler before ours (a test's recorder), put back at the end.
    MessageBoxHandler m_prevMessageBoxHandler;
    BOOL m_bMessageBoxHandler = FALSE;
    CShellModelUi m_modelUi;
    IModelUi* m_pPrevModelUi = nullptr;  // put back at the end, like the box handler
    BOOL m_bModelUiInstalled = FALSE;
};

extern CKRV330App theApp;
