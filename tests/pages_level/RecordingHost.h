// A stand-in for the main view that records the system commands a page asks for.
#pragma once

#include "CPageHost.h"

#include <utility>
#include <vector>

class RecordingHost : public CPageHost {
public:
    std::vector<int> commands;     // SendCommand numbers, in order
    int nSys5Pending = 0;          // SetSysCmd5Pending(TRUE) calls
    BOOL bLinked = TRUE;

    CWnd* GetHostWnd() override { return nullptr; }
    BOOL IsLinked() const override { return bLinked; }
    void SendCommand(int nCmd, int) override { commands.push_back(nCmd); }
    void SetSysCmd5Pending(BOOL bOn) override { nSys5Pending += bOn ? 1 : 0; }
    void SetSysCmd2Pending(BOOL) override {}
    void HoldSystemOutput(BOOL) override {}
    void SendOutputChannelMuted(int, int) override {}
    void SendOutputChannelMutedNoLock(int) override {}
    void SendOutputLevelMuted(int) override {}
    void SendInputChannelMuted(int, int) override {}
    void ResetOutputEqFrequencies() override {}
    void ResetInputEqFrequencies(int) override {}
    void SendSpeakerTypes(int, BOOL) override {}
    BOOL CopyPairedChannels(int) override { return FALSE; }
    void RebuildLinkGroups() override {}
    void ApplySpeakerTypeMix(int, int) override {}
    void SetInputSource(int, BOOL) override {}
    void RefreshInputSourceButtons() override {}
    BOOL SaveLineSetting() override { return TRUE; }
};
