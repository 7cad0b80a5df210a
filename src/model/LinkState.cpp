#include "LinkState.h"

std::atomic<int> g_nLinkState[LINK_STATE_FLAGS] = {};
std::atomic<int>& g_bNetOpen = g_nLinkState[3];

void ClearLinkState()
{
    for (auto& flag : g_nLinkState)
        flag = 0;
}

void ClearNetLinkState()
{
    for (int i = 3; i < LINK_STATE_FLAGS; ++i)
        g_nLinkState[i] = 0;
}
