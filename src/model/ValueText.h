// Display texts shared by the channel classes' value formatters (the textual parameter
// listing). Each returns a new string; the language ones read g_bChinese when called.
#pragma once

#include "WinTypes.h"

// printf into a new string.
CString FormatText(const char* pFormat, ...) __attribute__((format(printf, 1, 2)));

// "Pol+" / "Pol-" (English), "正相" / "反相" (Chinese): 0 normal, nonzero inverted.
CString PolarityText(int nPolarity);
// "On" for nonzero, else "OFF".
CString OnOffText(int nOn);
// Delay step as the listing shows it: steps 0..99 are 0.0..9.9 ms, from 100 up whole ms from
// 10.0 ms ("%0.1fms"). A scale of its own, not the output page's 1/48 ms step.
CString DelayStepText(int nStep);
