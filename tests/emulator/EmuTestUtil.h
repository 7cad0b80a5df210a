// Helpers of the emulator tests: frames written as hex text, and draining the device's answers.
#pragma once

#include "DeviceEmulator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// "91 91 00*3 AA": hex bytes separated by blanks; "HH*N" stands for N bytes HH.
inline std::vector<BYTE> Hex(const std::string& text)
{
    std::vector<BYTE> out;
    std::istringstream in(text);
    std::string tok;
    while (in >> tok) {
        const size_t star = tok.find('*');
        const BYTE b = BYTE(std::strtoul(tok.substr(0, star).c_str(), nullptr, 16));
        const size_t count = star == std::string::npos ? 1 : std::strtoul(tok.c_str() + star + 1, nullptr, 10);
        out.insert(out.end(), count, b);
    }
    return out;
}

inline std::string ToHex(const std::vector<BYTE>& bytes)
{
    std::string s;
    char buf[4];
    for (BYTE b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", b);
        s += buf;
    }
    return s;
}

// Every answer byte that is due now, answers one after another.
inline std::vector<BYTE> TakeAll(CDeviceEmulator& emu)
{
    std::vector<BYTE> out;
    BYTE buf[1024];
    for (size_t n; (n = emu.TakeReply(buf, sizeof buf)) > 0;)
        out.insert(out.end(), buf, buf + n);
    return out;
}

inline std::vector<BYTE> Exchange(CDeviceEmulator& emu, const std::vector<BYTE>& request)
{
    emu.Feed(request.data(), request.size());
    return TakeAll(emu);
}

// Waits (yielding, at most 10 s) until a reader thread blocks in the device's WaitReply.
inline bool WaitForWaitingReader(const CDeviceEmulator& emu)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (emu.GetWaitingReaders() == 0) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::yield();
    }
    return true;
}
