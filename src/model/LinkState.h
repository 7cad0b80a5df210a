// Link-state flags: six ints cleared together at start-up; the network transport owns the
// fourth, g_bNetOpen, and the two after it.
//
// Thread: set and cleared on the user-interface thread, tested by the comm worker's network
// loops before and after every blocking call without the lock, hence atomic.
#pragma once

#include <atomic>

constexpr int LINK_STATE_FLAGS = 6;

extern std::atomic<int> g_nLinkState[LINK_STATE_FLAGS];
// The network link is up (the fourth link-state flag).
extern std::atomic<int>& g_bNetOpen;

// All six flags := 0 (start-up).
void ClearLinkState();
// g_bNetOpen and the two flags after it := 0 (the network link closed).
void ClearNetLinkState();
