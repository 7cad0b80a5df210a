// Operations on a channel's whole band list that every channel class shares.
#pragma once

#include "CKTVEQ.h"
#include "WinTypes.h"

// After a layout is built: every reference equals its frequency and no stamp is set, whatever
// g_bOnline said while the builder ran.
void SettleFilters(CKTVEQ& eq);
// Scanner: TRUE when the high-pass or the low-pass is stamped. Each stamped one steps its
// reference one octave towards its frequency and stays stamped until they meet.
BOOL TakeCrossoverChanges(CKTVEQ& eq);
// CFilter::SetModified(v) on every entry.
void SetFilterStamps(CKTVEQ& eq, int v);
// CFilter::SetMute(bOn) on every entry.
void MuteFilters(CKTVEQ& eq, BOOL bOn);
// TRUE when every entry, crossovers included, is bypassed or muted.
BOOL AreAllFiltersBypassed(const CKTVEQ& eq);
// Frequency lock of the bands (every entry but the two crossovers): GEQ mode.
void LockBandFrequencies(CKTVEQ& eq, BOOL bLock);
