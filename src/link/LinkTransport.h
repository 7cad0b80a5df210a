// The one door the link owner and the comm worker see of a transport: USB HID (CUsbLink), TCP
// (CNet_Socket) and serial (CSerialLink) each implement it, and so do the emulator's doors
// behind them (the in-process HID fake, the loopback TCP server, the pseudo-terminal).
//
// Threads: Open, Close and the set-up run on the user-interface thread while no transaction
// runs; Transact and FinishTransact on the worker that serves the link (Transact with g_csComm
// held for USB and TCP, FinishTransact without it).
#pragma once

#include "WinTypes.h"

#include <functional>
#include <memory>

class CSendData;

class ILinkTransport {
public:
    // The change scanner: the next pending request, or the state poll when nothing changed.
    using NextSendData = std::function<std::unique_ptr<CSendData>()>;

    virtual ~ILinkTransport() = default;
    // g_nLinkType while this transport carries the link: 1 USB HID, 2 TCP, 3 serial.
    virtual int GetLinkType() const = 0;
    // Opens the transport's device (the chosen or first free one); TRUE when it is open.
    virtual BOOL Open() = 0;
    // Closes it; TRUE.
    virtual BOOL Close() = 0;
    // One exchange: the head request of the send queue out and its reply in, or, with an empty
    // queue, the scanner's next request queued.
    virtual void Transact() = 0;
    // The waits the last exchange left for after the lock is released.
    virtual void FinishTransact() {}
    virtual void SetNextSendData(NextSendData scanner) = 0;
};
