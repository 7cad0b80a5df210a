// The link choice dialog (resource 144): USB, Wi-Fi or a COM port as the link, and the COM
// port. OK makes the chosen link type current (g_nLinkType) and tells through g_bSameLink
// whether it was the current one already. Nothing in the program opens it yet.
//
// The port list shows the machine's serial ports ("NULL" when there are none, or when they
// cannot be listed); the port chosen before is kept when it is still there, else the first USB
// adapter, else the first port is offered. It can be changed only while COM is chosen.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CButtonRadio.h"
#include "CComboBox.h"
#include "CDialog.h"
#include "ComPortEnum.h"

#include <functional>
#include <vector>

constexpr UINT IDD_CONNECT = 144;
constexpr UINT IDC_CONNECT_RADIO_USB = 1798;   // first of the radio group
constexpr UINT IDC_CONNECT_RADIO_WIFI = 1799;
constexpr UINT IDC_CONNECT_RADIO_COM = 1888;
constexpr UINT IDC_CONNECT_PORTS = 1896;

// The port list's only entry when there is no port.
extern const char* const COM_PORT_NONE;  // "NULL"

// Set by the link choice's OK: 1 when the chosen link type was the current one already.
extern int g_bSameLink;

// The machine's serial ports as the dialogs list them. A listing that fails leaves the list
// empty; it never ends the program.
void ListComPorts(std::vector<ComPortInfo>& list);
// Replaces the machine's port listing (tests); an empty function restores it. Returns the
// previous one. The function may throw, as the enumeration may.
using ComPortLister = std::function<void(std::vector<ComPortInfo>& list)>;
ComPortLister SetComPortLister(ComPortLister lister);

class CConnectDlg : public CDialog {
public:
    explicit CConnectDlg(CWnd* pParent = nullptr);

    // The chosen port name (empty at start; "NULL" when there was no port to choose).
    CString GetPortName() const { return m_strPort; }
    // The radio chosen: 0 USB, 1 Wi-Fi, 2 COM, -1 none.
    int GetRadioChoice() const;

    CComboBox& GetPortList() { return m_comboPorts; }
    CButtonRadio& GetRadio(int n) { return n == 0 ? m_radioUsb : n == 1 ? m_radioWifi : m_radioCom; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

private:
    void FillPortList();
    void ShowChoice(int nRadio);

    CButtonRadio m_radioUsb;
    CButtonRadio m_radioWifi;
    CButtonRadio m_radioCom;
    CComboBox m_comboPorts;
    CButton m_btnOk;
    CString m_strPort;
};
