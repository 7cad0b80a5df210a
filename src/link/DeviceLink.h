// The owner of the device link: the three transports (USB HID, TCP, serial), the network
// watchdog inside the TCP transport, the hot-plug watcher, the firmware sender, the serial port
// and the comm worker. It wires them once, hands the change scanner to every transport, and is
// the worker's side of the exchanges: the worker calls this object, which calls the transport
// of the current link type, so nothing on the way from an edit to the wire passes the window.
//
// The main view keeps the link's state the form shows (linked flag, link look) and its message
// handlers; for everything here it delegates.
//
// Threads: Create, StartWorker, StopWorker and ShutDown run on the user-interface thread; the
// ICommTransactions members on the comm worker. Destruction stops the workers first (the worker
// is declared last), then the transports go.
#pragma once

#include "CSerialPort.h"
#include "CommWorker.h"
#include "LinkTransport.h"
#include "WinTypes.h"

#include <atomic>
#include <functional>
#include <memory>

class CFirmwareUpdate;
class CHidHotplugWatcher;
class CKTVCommand;
class CKTV_Data;
class CNet_Socket;
class CSerialLink;
class CUsbLink;
class IReachability;

class CDeviceLink : public ICommTransactions {
public:
    // queue: the send queue every transport serves (the view's m_SendQueue; not owned).
    explicit CDeviceLink(CKTVCommand& queue);
    ~CDeviceLink() override;
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    // What the link asks of the window that owns the form, both on the threads named.
    struct Hooks {
        std::function<void()> startComm;          // the view's StartComm (update opens, UI thread)
        std::function<void()> clearTransferBusy;  // after the Wi-Fi module's restart (worker)
    };
    // Makes and wires the transports, once. hNotify receives every notice of the link
    // (WM_LINK_LOST, WM_NET_REACHABLE, WM_WIFI_OP_RESULT). pReach: the reachability check (not
    // owned; null: this machine's). pLinked: the view's linked flag, read by the TCP read
    // (not owned).
    void Create(HWND hNotify, IReachability* pReach, const std::atomic<int>* pLinked, Hooks hooks);
    bool IsCreated() const { return m_pUsb != nullptr; }
    // The scene the change scanner reads (the document's; not owned; null: nothing to scan).
    void SetSceneData(CKTV_Data* pScene) { m_pScene.store(pScene); }

    // The transport of link type 1..3; null for any other type or before Create.
    ILinkTransport* GetTransport(int nLinkType) const;
    CUsbLink* GetUsbLink() const { return m_pUsb.get(); }
    CNet_Socket* GetNetSocket() const { return m_pNet.get(); }
    CSerialLink* GetSerialLink() const { return m_pSerial.get(); }
    CHidHotplugWatcher* GetHotplug() const { return m_pHotplug.get(); }
    CFirmwareUpdate* GetFirmwareUpdate() const { return m_pFirmware.get(); }
    CCommWorker& GetCommWorker() { return m_CommWorker; }
    const CCommWorker& GetCommWorker() const { return m_CommWorker; }

    // The worker of the current link type: the serial link's own for type 3, else the comm
    // worker with its firmware event (bFirmware) or its send event. A running worker stays.
    void StartWorker(BOOL bFirmware);
    // Ends the workers. bFull: the comm worker is forgotten, its events reset, and the network
    // watchdog starts (it looks for the device while no network link is open); TRUE. Without
    // bFull (shut-down) FALSE.
    BOOL StopWorker(BOOL bFull);
    // Program shut-down, once: the workers end, this copy's USB claim goes, the watchdog's
    // thread ends.
    void ShutDown();

    // ---- ICommTransactions (comm worker) ----
    void UsbTransact() override;
    void NetTransact() override;
    void UsbTransactHex() override;
    void NetTransactHex() override;
    void FinishTransact() override;

private:
    // The change scanner's next request (worker, g_csComm held).
    std::unique_ptr<CSendData> NextSendData();
    void Transact(int nLinkType);

    CKTVCommand& m_queue;
    std::atomic<CKTV_Data*> m_pScene{nullptr};
    std::unique_ptr<CNet_Socket> m_pNet;
    std::unique_ptr<CUsbLink> m_pUsb;
    std::unique_ptr<CHidHotplugWatcher> m_pHotplug;
    CSerialPort m_SerialPort;
    std::unique_ptr<CSerialLink> m_pSerial;        // link type 3: its own worker
    std::unique_ptr<CFirmwareUpdate> m_pFirmware;  // uses the queue, USB and TCP
    ILinkTransport* m_transports[4] = {};           // by link type; [0] none
    bool m_bShutDown = false;
    // Declared last: it ends before the transports it calls go.
    CCommWorker m_CommWorker;
};
