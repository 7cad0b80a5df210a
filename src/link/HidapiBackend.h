// The program's HID backend over hidapi (hidraw).
//
// hidraw lets any number of processes open a device; the open here also takes an exclusive
// lock on the device node, so that a second program cannot open a device this one holds (the
// in-use list tells copies of this program apart before they try).
#pragma once

#include "HidBackend.h"

class CHidapiBackend : public IHidBackend {
public:
    CHidapiBackend();   // starts hidapi
    ~CHidapiBackend() override;   // ends hidapi; every device it opened must be closed by then
    CHidapiBackend(const CHidapiBackend&) = delete;
    CHidapiBackend& operator=(const CHidapiBackend&) = delete;

    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<IHidDevice> Open(const std::string& path) override;

private:
    bool m_bReady = false;  // hidapi started
};
