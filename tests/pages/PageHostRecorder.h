// A stand-in for the main view that records what a page or panel asks of it.
#pragma once

#include "CPageHost.h"

#include <memory>
#include <utility>
#include <vector>

class PageHostRecorder : public CPageHost {
public:
    std::vector<int> commands;                   // SendCommand numbers, in order
    BOOL bLinked = TRUE;
    int nSys5Pending = 0;                        // SetSysCmd5Pending(TRUE) calls
    std::vector<std::pair<int, BOOL>> speakerTypes;  // SendSpeakerTypes(ch, bAll), in order
    std::vector<std::pair<int, int>> typeMixes;      // ApplySpeakerTypeMix(ch, type), in order
    std::vector<int> pairCopies;                 // CopyPairedChannels(direction), in order
    int nRebuilds = 0;                           // RebuildLinkGroups calls

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
    void SendSpeakerTypes(int nCh, BOOL bAll) override { speakerTypes.emplace_back(nCh, bAll); }
    BOOL CopyPairedChannels(int nDirection) override
    {
        pairCopies.push_back(nDirection);
        return FALSE;
    }
    void RebuildLinkGroups() override { ++nRebuilds; }
    void ApplySpeakerTypeMix(int nCh, int nType) override { typeMixes.emplace_back(nCh, nType); }
    void SetInputSource(int, BOOL) override {}
    void RefreshInputSourceButtons() override {}
    BOOL SaveLineSetting() override { return TRUE; }
    // No pair, unchecked buttons, nothing copied or queued, and the mixer's start level.
    BOOL IsStereoPair(int) const override { return FALSE; }
    void SetEqModeCheck(BOOL) override {}
    BOOL GetEqModeCheck() const override { return FALSE; }
    void SetAllBypassCheck(BOOL) override {}
    BOOL GetAllBypassCheck() const override { return FALSE; }
    void CopyOutputSettings(int, int) override {}
    void CopyOutputForSpeakerType(int, int) override {}
    void AddSendData(std::unique_ptr<CSendData>) override {}
    void RemoveFromLinkGroup(int, int) override {}
    int GetMixMemory(int, int) const override { return 100; }
};
