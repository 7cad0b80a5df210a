#include "ChannelBands.h"

void SettleFilters(CKTVEQ& eq)
{
    for (int i = 0; i < eq.GetSize(); ++i) {
        CFilter* f = eq.GetAt(i);
        f->SetRefFreq(f->GetFreq());
        f->SetModified(0);
    }
}

BOOL TakeCrossoverChanges(CKTVEQ& eq)
{
    BOOL bTaken = FALSE;
    CFilter* filters[2] = {eq.GetHighPass(), eq.GetLowPass()};
    for (CFilter* f : filters) {
        if (f && f->GetModified()) {
            f->SetModified(0);
            bTaken = TRUE;
        }
    }
    return bTaken;
}

void SetFilterStamps(CKTVEQ& eq, int v)
{
    for (int i = 0; i < eq.GetSize(); ++i)
        eq.GetAt(i)->SetModified(v);
}

void MuteFilters(CKTVEQ& eq, BOOL bOn)
{
    for (int i = 0; i < eq.GetSize(); ++i)
        eq.GetAt(i)->SetMute(bOn);
}

BOOL AreAllFiltersBypassed(const CKTVEQ& eq)
{
    for (int i = 0; i < eq.GetSize(); ++i) {
        if (!eq.GetAt(i)->IsBypassed())
            return FALSE;
    }
    return TRUE;
}

void LockBandFrequencies(CKTVEQ& eq, BOOL bLock)
{
    for (int i = 0; i < eq.GetSize() - 2; ++i)
        eq.GetAt(i)->SetFreqLock(bLock);
}
