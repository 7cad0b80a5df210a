// The end-to-end rig: the main view with its whole link against the device emulator, behind
// the in-process HID door (fake HID backend) or the TCP door on 127.0.0.1.
//
// Network safety: the rig points g_strDeviceIp at 127.0.0.1 and g_nDevicePort at the emulator's
// port (0, which no connect accepts, on the USB rig) before the view exists, and gives the view a
// reachability check that only ever answers for the loopback address and counts any other it is
// asked about. Nothing here pings or connects anywhere else.
//
// Message boxes are recorded (text, selector) instead of shown. Waits pump the user-interface
// loop, so the view's posted messages and timers run; their limits only keep a broken test from
// hanging.
#pragma once

#include "CKRV330View.h"
#include "CKTV_Data.h"
#include "DeviceEmulator.h"
#include "EmuHidDevice.h"
#include "EmuTcpServer.h"
#include "FakeHidBackend.h"
#include "Reachability.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

constexpr int kWaitMs = 30000;
using Frame = std::vector<BYTE>;

// Hex text "91 91 00*3": bytes separated by blanks, "HH*N" for N bytes HH.
Frame Hex(const std::string& text);
std::string ToHex(const Frame& bytes);
// A whole device frame: the preamble, the fields from the command byte to the last payload
// byte as hex text, their XOR and the end byte.
Frame DeviceFrame(const std::string& fieldsHex);
// The idle state poll.
Frame PollFrame();

// Pumps the user-interface loop until done() holds; false after limitMs.
bool PumpUntil(const std::function<bool()>& done, int limitMs = kWaitMs);
// Pumps the loop for ms, so that messages already on their way are handled.
void PumpFor(int ms);

// Adapters and ping as the test sets them, for the loopback address only.
class LoopbackReachability : public IReachability {
public:
    std::atomic<int> onSubnet{0};
    std::atomic<int> answers{0};
    std::atomic<int> foreignAddresses{0};  // calls about any other address: must stay 0

    BOOL IsDeviceOnSubnet(const CString& deviceIp) override;
    BOOL PingDevice(const CString& deviceIp) override;
};

struct ShownMessage {
    CString text;
    int selector;
    bool operator==(const ShownMessage& o) const { return text == o.text && selector == o.selector; }
};

// Records every message box while it exists.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    std::vector<ShownMessage> Shown() const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<ShownMessage> m_shown;
};

class LinkRig {
public:
    enum class Door { Usb, Tcp };

    // Clears the program-wide link state, prepares the emulator's live scene (name "Live One",
    // output 4 on at 0 dB) and opens the door; the view is made by Start.
    explicit LinkRig(Door door);
    // The view goes first, then the doors; the program-wide state is cleared again.
    ~LinkRig();
    LinkRig(const LinkRig&) = delete;
    LinkRig& operator=(const LinkRig&) = delete;

    // Makes the view and runs its initial update (which posts the first connect).
    void Start();
    // Waits until the connect sequence has run through: linked, scene loaded, the last
    // request of the sequence logged and the worker polling after it.
    bool WaitConnected();

    // Waits until everything the view has asked for so far has reached the device: the queue
    // is empty and two state polls (the scanner's answer when nothing changed) were logged
    // after every other request and after the window had handled what came with it. A queue
    // that is merely empty is not enough: the worker may have taken a request and not yet
    // written it.
    bool WaitSettled();
    // The emulator's requests without the state polls.
    std::vector<Frame> RequestsWithoutPolls() const;
    // Requests in the send queue now (under the lock).
    int QueuedCount();
    // Empties the send queue, returning the command code of each item in order (0: an
    // ordinary request, else a firmware step).
    std::vector<int> TakeQueuedCommandCodes();
    // The head of the send queue as bytes; empty when the queue is empty.
    Frame QueueHead();

    CDeviceEmulator emu;
    std::unique_ptr<CEmuHidDevice> hid;
    CFakeHidBackend backend;
    std::unique_ptr<CEmuTcpServer> server;
    LoopbackReachability reach;
    MessageRecorder messages;
    std::unique_ptr<CKTV_Data> scene;
    std::unique_ptr<CKRV330View> view;
};

// The frames a full connect sends, in order: the identify pair, the counted read (six scene
// names, the system reads, sub-command 8, the ten live output blocks) and the write of the live
// scene's name that follows the speaker map.
std::vector<Frame> ExpectedConnectRequests();

// Checks the emulator's log against ExpectedConnectRequests (polls aside; the identify pair
// first of all), the model loaded from the device's live scene, and the linked look.
void ExpectConnectSequence(LinkRig& rig);

// The program-wide link state back to its start values.
void ResetLinkGlobals();

}  // namespace e2e
