// What the pages and their dialogs need of the main view: its send entry points and a few of
// its members. The view implements it and registers itself in g_pPageHost while its window
// exists, so no page includes a shell header.
//
// User-interface thread only. Every member has the meaning of the view's member of the same
// name; the "NoLock" and "Muted" forms rely on the caller holding g_csComm.
#pragma once

#include "CSendData.h"
#include "WinDefs.h"

#include <memory>

class CWnd;

class CPageHost {
public:
    virtual ~CPageHost() = default;

    // The view's window, to post it page messages (WM_MIX_MATRIX_CHANGED and the like).
    virtual CWnd* GetHostWnd() = 0;
    // A link is open and identified.
    virtual BOOL IsLinked() const = 0;

    // System sub-commands.
    virtual void SendCommand(int nCmd, int nScene) = 0;
    virtual void SetSysCmd5Pending(BOOL bOn) = 0;
    virtual void SetSysCmd2Pending(BOOL bOn) = 0;
    virtual void HoldSystemOutput(BOOL bRestore) = 0;

    // Whole-channel transfers wrapped in the channel's own mute.
    virtual void SendOutputChannelMuted(int nCh, int nUnused = 0) = 0;
    virtual void SendOutputChannelMutedNoLock(int nCh) = 0;
    virtual void SendOutputLevelMuted(int nCh) = 0;
    virtual void SendInputChannelMuted(int nCh, int nUnused = 0) = 0;

    // Equaliser resets, speaker types, pairs and groups.
    virtual void ResetOutputEqFrequencies() = 0;
    virtual void ResetInputEqFrequencies(int nCh) = 0;
    virtual void SendSpeakerTypes(int nCh, BOOL bAll) = 0;
    virtual BOOL CopyPairedChannels(int nDirection) = 0;
    virtual void RebuildLinkGroups() = 0;
    virtual void ApplySpeakerTypeMix(int nCh, int nType) = 0;

    // Input source and settings.
    virtual void SetInputSource(int nKind, BOOL bStore) = 0;
    virtual void RefreshInputSourceButtons() = 0;
    virtual BOOL SaveLineSetting() = 0;

    // Mixer and system: outputs nOutput and nOutput + 1 form a linked stereo pair (the output
    // page's pair flag of nOutput).
    virtual BOOL IsStereoPair(int nOutput) const = 0;

    // Output page: the view's EQ-mode button (checked: GEQ) and all-bypass button, which show
    // the current output channel's state.
    virtual void SetEqModeCheck(BOOL bCheck) = 0;
    virtual BOOL GetEqModeCheck() const = 0;
    virtual void SetAllBypassCheck(BOOL bCheck) = 0;
    virtual BOOL GetAllBypassCheck() const = 0;

    // Output page, link groups, pairs and copies: output nDst takes equaliser, gain, EQ mode,
    // compressor and limiter of nSrc; when linked, its whole block is queued. The caller holds
    // g_csComm.
    virtual void CopyOutputSettings(int nSrc, int nDst) = 0;
    // The same with a usable high-pass kept on a tweeter output, its block sent inside the
    // master-output mute (the lock taken around the send).
    virtual void CopyOutputForSpeakerType(int nSrc, int nDst) = 0;
    // Appends one frame to the send queue; the caller holds g_csComm.
    virtual void AddSendData(std::unique_ptr<CSendData> pData) = 0;
    // Output nCh has left link group nGroup (1..10): the group's member count, in-use flag and
    // member mask and the output's link record follow. Other groups change nothing.
    virtual void RemoveFromLinkGroup(int nCh, int nGroup) = 0;
    // The mixer's last level 0..100 of output nColumn from source nRow (1..12).
    virtual int GetMixMemory(int nColumn, int nRow) const = 0;
};

// The main view while its window exists; null before and after.
extern CPageHost* g_pPageHost;
