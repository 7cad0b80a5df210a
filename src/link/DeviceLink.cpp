#include "DeviceLink.h"

#include "CKTVCommand.h"
#include "CKTV_Data.h"
#include "CNet_Socket.h"
#include "Clock.h"
#include "FirmwareUpdate.h"
#include "Globals.h"
#include "HidHotplugWatcher.h"
#include "SerialLink.h"
#include "UsbLink.h"

CDeviceLink::CDeviceLink(CKTVCommand& queue) : m_queue(queue), m_CommWorker(*this) {}

CDeviceLink::~CDeviceLink() { ShutDown(); }

void CDeviceLink::Create(HWND hNotify, IReachability* pReach, const std::atomic<int>* pLinked, Hooks hooks)
{
    if (IsCreated())
        return;
    m_pNet = std::make_unique<CNet_Socket>(pReach);
    m_pNet->SetCommand(&m_queue);
    m_pNet->SetLinkedQuery([pLinked] { return pLinked && pLinked->load() ? TRUE : FALSE; });
    m_pNet->SetTransferBusyClear(std::move(hooks.clearTransferBusy));
    m_pNet->SetNotifyWnd(hNotify);
    m_pUsb = std::make_unique<CUsbLink>(m_queue);
    m_pUsb->SetNotifyWnd(hNotify);
    m_pSerial = std::make_unique<CSerialLink>(m_queue, m_SerialPort);
    m_pHotplug = std::make_unique<CHidHotplugWatcher>();
    m_pFirmware = std::make_unique<CFirmwareUpdate>(m_queue, *m_pUsb, *m_pNet);
    m_pFirmware->SetNotifyWnd(hNotify);
    m_pFirmware->SetStartComm(std::move(hooks.startComm));

    for (ILinkTransport* t : {static_cast<ILinkTransport*>(m_pUsb.get()), static_cast<ILinkTransport*>(m_pNet.get()),
                              static_cast<ILinkTransport*>(m_pSerial.get())}) {
        m_transports[t->GetLinkType()] = t;
        t->SetNextSendData([this] { return NextSendData(); });
    }
}

ILinkTransport* CDeviceLink::GetTransport(int nLinkType) const
{
    return nLinkType > 0 && nLinkType < 4 ? m_transports[nLinkType] : nullptr;
}

std::unique_ptr<CSendData> CDeviceLink::NextSendData()
{
    CKTV_Data* scene = m_pScene.load();
    return scene ? scene->GetNextSendData() : nullptr;
}

void CDeviceLink::StartWorker(BOOL bFirmware)
{
    if (g_nLinkType == 3) {
        if (m_pSerial)
            m_pSerial->StartWorker();
        return;
    }
    m_CommWorker.StartWorker(bFirmware);
}

BOOL CDeviceLink::StopWorker(BOOL bFull)
{
    if (m_pSerial)
        m_pSerial->StopWorker();
    if (!m_CommWorker.StopWorker(bFull))
        return FALSE;
    if (m_pNet)
        m_pNet->StartPingThread();
    return TRUE;
}

void CDeviceLink::ShutDown()
{
    if (m_bShutDown || !IsCreated())
        return;
    m_bShutDown = true;
    m_CommWorker.StopWorker(FALSE);
    m_pSerial->StopWorker();
    m_pUsb->UnregisterUsbPath();
    m_pNet->StopPingThread(FALSE);
}

void CDeviceLink::Transact(int nLinkType)
{
    if (ILinkTransport* t = GetTransport(nLinkType))
        t->Transact();
}

void CDeviceLink::UsbTransact() { Transact(1); }

void CDeviceLink::NetTransact() { Transact(2); }

void CDeviceLink::FinishTransact()
{
    if (ILinkTransport* t = GetTransport(g_nLinkType))
        t->FinishTransact();
}

void CDeviceLink::UsbTransactHex()
{
    if (m_pFirmware)
        m_pFirmware->UsbTransactHex();
    else
        Sleep(COMM_IDLE_MS);
}

void CDeviceLink::NetTransactHex()
{
    if (m_pFirmware)
        m_pFirmware->NetTransactHex();
    else
        Sleep(COMM_IDLE_MS);
}
