#include "ComPortEnum.h"

void EnumComPortsFrom(const std::vector<SerialPortEntry>& ports, std::vector<ComPortInfo>& list,
                      BOOL bIgnoreBusyPorts, const std::function<bool(const CString& path)>& canOpen)
{
    list.clear();
    for (const SerialPortEntry& port : ports) {
        ComPortInfo info;
        info.strDevPath = port.systemLocation;
        info.strPortName = port.portName;
        info.strFriendlyName = port.portName;
        info.bUsbDevice = port.bUsb || port.description.find("USB") != CString::npos;
        info.strPortDesc = port.description;
        if (bIgnoreBusyPorts && canOpen && !canOpen(info.strDevPath))
            continue;
        if (info.strFriendlyName.empty())
            info.strFriendlyName = info.strPortName;
        if (info.strPortDesc.empty()) {
            info.strPortDesc = info.strFriendlyName;
            // "name (detail)" keeps only the name.
            const size_t open = info.strPortDesc.find(" (");
            const size_t close = info.strPortDesc.find(')');
            if (open != CString::npos && open > 0 && close == info.strPortDesc.size() - 1)
                info.strPortDesc.erase(open);
        }
        list.push_back(std::move(info));
    }
}

void EnumComPorts(std::vector<ComPortInfo>& list, BOOL bIgnoreBusyPorts)
{
    EnumComPortsFrom(SerialDevice::ListPorts(), list, bIgnoreBusyPorts, [](const CString& path) {
        std::unique_ptr<ISerialDevice> device = SerialDevice::Create();
        const bool ok = device->Open(path);
        device->Close();
        return ok;
    });
}
