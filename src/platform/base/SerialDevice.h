// A serial port as the device link uses it, without any Qt header: open a tty by name or path,
// set its line, write frames, wait for and read bytes, and list the machine's ports.
//
// The implementation stands on Qt SerialPort, which opens any tty, pseudo-terminals included.
// Each port object keeps its Qt port on a private thread of its own and runs every call there,
// so the calls may come from any thread (one at a time per port is enough: a call waits for
// the one before it). Parity and the modem lines cannot be set on a pseudo-terminal.
#pragma once

#include "WinTypes.h"

#include <memory>
#include <string>
#include <vector>

// One port of the machine.
struct SerialPortEntry {
    std::string portName;        // "ttyUSB0"
    std::string systemLocation;  // "/dev/ttyUSB0": what Open takes
    std::string description;     // the driver's or the device's description, may be empty
    std::string manufacturer;    // may be empty
    bool bUsb = false;           // a USB adapter (the port has USB vendor and product ids)
};

class ISerialDevice {
public:
    virtual ~ISerialDevice() = default;

    // Opens a port by name ("ttyS0") or full path ("/dev/pts/3") for reading and writing,
    // exclusively. False when it cannot be opened; GetErrorText says why.
    virtual bool Open(const std::string& name) = 0;
    // Closes the port; nothing when it is closed.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Line settings; each is false when the port refuses the value.
    virtual bool SetBaudRate(int baud) = 0;
    // 'N' none, 'E' even, 'O' odd, 'M' mark, 'S' space.
    virtual bool SetParity(char parity) = 0;
    virtual bool SetDataBits(int bits) = 0;  // 5..8
    virtual bool SetStopBits(int bits) = 0;  // 1 or 2
    // The RTS line; a pseudo-terminal has none and refuses.
    virtual bool SetRequestToSend(bool on) = 0;

    // Drops unread input and unsent output.
    virtual bool Purge() = 0;
    // Writes n bytes and waits up to timeoutMs real milliseconds for them to leave.
    // Returns n, or -1 when the port failed or the time ran out.
    virtual int Write(const BYTE* data, int n, int timeoutMs) = 0;
    // Bytes that have arrived and are not yet read; -1 when the port failed.
    virtual int BytesAvailable() = 0;
    // Waits up to timeoutMs real milliseconds for input. Returns the bytes waiting (> 0),
    // 0 when none came in time, -1 when the port failed (the device went away).
    virtual int WaitForInput(int timeoutMs) = 0;
    // Takes up to max bytes that have arrived, without waiting. The count, -1 on failure.
    virtual int Read(BYTE* out, int max) = 0;
    // The system's text for the last failure (English).
    virtual std::string GetErrorText() const = 0;
};

namespace SerialDevice {
// A new, closed port.
std::unique_ptr<ISerialDevice> Create();
// The machine's serial ports, sorted by name (a pseudo-terminal is never listed).
std::vector<SerialPortEntry> ListPorts();
}  // namespace SerialDevice
