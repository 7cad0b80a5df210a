// Program-wide state of the output page that the main view reads and resets as well.
// User-interface thread.
#pragma once

// [i] (i even): outputs i and i + 1 form a stereo pair; on/off, polarity and delay edits of i
// reach i + 1 too. Written only by the page's pair toggles, so 0 unless a pair is made.
extern int g_bStereoPair[10];
// Set to 1 by the output page's change handlers; cleared when the output leaves its link group.
extern int g_nLinkMark[10];

// [i][k]: bit k of byte 287 (the flag byte, the last byte of the limiter record) of live output
// block i; the strips' flag toggles set them, the view rebuilds them after every scene load.
constexpr int OUTPUT_SOURCE_BITS = 8;
extern int g_bOutputSourceBit[10][OUTPUT_SOURCE_BITS];
