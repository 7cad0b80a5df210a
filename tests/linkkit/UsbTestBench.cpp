#include "UsbTestBench.h"

#include "CommWorker.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "SettingsStore.h"
#include "UsbInUseList.h"

namespace {
void ClearLinkGlobals()
{
    g_strUsbPath.clear();
    g_arrUsbDevices.clear();
    g_bUsbOpen = 0;
    g_nLinkType = 0;
    g_bHandshake = 0;
    g_bNeedFirmware = 0;
    for (CEvent& ev : g_hCommEvents)
        ev.ResetEvent();
    SettingsStore::DeleteKey(g_pszUsbKey);
}

CFakeClock* InstallClock(CFakeClock& clock, bool fake)
{
    Clock::Set(fake ? &clock : nullptr);
    return fake ? &clock : nullptr;
}
}  // namespace

CUsbTestBench::CUsbTestBench(bool useFakeClock)
    : emu(InstallClock(clock, useFakeClock)),
      hid(emu),
      backend(useFakeClock ? &clock : nullptr),
      m_bFakeClock(useFakeClock),
      m_startUs(clock.NowUs())
{
    ClearLinkGlobals();
    backend.AddDevice(hid);
    HidBackend::Set(&backend);
    command.SetNotifyWnd(ViewWnd());
    link = std::make_unique<CUsbLink>(command);
    link->SetNotifyWnd(ViewWnd());
}

CUsbTestBench::~CUsbTestBench()
{
    link.reset();
    HidBackend::Set(nullptr);
    ClearLinkGlobals();
    if (m_bFakeClock)
        Clock::Set(nullptr);
}

std::vector<BYTE> CUsbTestBench::Queue(std::unique_ptr<CSendData> request)
{
    std::vector<BYTE> frame(request->GetData(), request->GetData() + request->GetLength());
    command.AddSendData(std::move(request));
    return frame;
}

std::vector<BYTE> CUsbTestBench::WrittenFrameBytes() const
{
    std::vector<BYTE> out;
    for (const auto& r : hid.GetWrittenReports())
        out.insert(out.end(), r.begin() + 1, r.end());
    return out;
}
