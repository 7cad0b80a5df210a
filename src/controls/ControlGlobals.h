// Program-wide state that the skinned controls read but do not own.
#pragma once

// 1 while the system block's audio source equals the input source that the main view shows.
// The main view sets it when it shows the input source or the user picks an audio source; the
// audio-source selector (control 2822) paints its caption in its emphasis colour while it is 1.
// User-interface thread.
extern int g_bSourceMatch;
