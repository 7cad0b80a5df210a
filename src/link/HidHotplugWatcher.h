// Arrival and removal of HID devices, found by comparing one enumeration with the last.
// The shell polls it on a timer and turns what it reports into the main view's device-change
// handling (arrival: connect when nothing is linked; removal: drop the link when the open
// device left). An arrival reports any HID device: whoever connects checks that it is the
// processor (IsProcessorDevice, CUsbLink::OpenUsbPath).
// User-interface thread.
#pragma once

#include "HidBackend.h"

#include <string>
#include <vector>

struct HidHotplugChanges {
    std::vector<HidDeviceInfo> arrived;  // in the order of the enumeration
    std::vector<std::string> removed;    // paths, in the order of the last enumeration
    bool Empty() const { return arrived.empty() && removed.empty(); }
};

class CHidHotplugWatcher {
public:
    // Uses the backend installed now.
    CHidHotplugWatcher();
    explicit CHidHotplugWatcher(IHidBackend& backend);

    // The devices that came and went since the last call. The first call only takes stock of
    // what is present (those were there before anyone watched) and reports nothing.
    HidHotplugChanges Poll();
    // Forgets what was seen: the next Poll takes stock again.
    void Reset() { m_bPrimed = false; m_known.clear(); }

private:
    IHidBackend& m_backend;
    bool m_bPrimed = false;
    std::vector<HidDeviceInfo> m_known;  // the last enumeration
};
