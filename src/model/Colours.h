// Colours of the response curves: 32-bit ARGB values of the imaging layer, alpha first
// (0xAARRGGBB), not the 0x00BBGGRR COLORREF of the GDI layer.
#pragma once

#include "WinTypes.h"

typedef uint32_t ARGB;

inline constexpr ARGB g_clrEffectCurve = 0xDCFF0000;               // effect block's curve
inline constexpr ARGB g_clrMicCurve[2] = {0xFFFF8033, 0xFFCC9933};  // microphone channels
inline constexpr ARGB g_clrMusicCurve[7] = {                        // music input channels
    0xFF00FFFF, 0xFFDF127B, 0xFF027BC0, 0xFFFFFF00, 0xFFFF6666, 0xFF990099, 0xFF99FF00};
inline constexpr ARGB g_clrGraphCurve = 0xFFFF0155;  // pen of the equaliser graph's curves
inline constexpr ARGB g_clrGraphGrey = 0xFF646464;   // grey pen of the equaliser graph

// Output channels 1..10.
inline constexpr ARGB g_clrOut1 = 0xFFFF0155;
inline constexpr ARGB g_clrOut2 = 0xFFA8FF01;
inline constexpr ARGB g_clrOut3 = 0xFF0125FF;
inline constexpr ARGB g_clrOut4 = 0xFF01C0FF;
inline constexpr ARGB g_clrOut5 = 0xFFE4FF01;
inline constexpr ARGB g_clrOut6 = 0xFFFF9601;
inline constexpr ARGB g_clrOut7 = 0xFF8401FF;
inline constexpr ARGB g_clrOut8 = 0xFFFF4301;
inline constexpr ARGB g_clrOut9 = 0xFFFF01C6;
inline constexpr ARGB g_clrOut10 = 0xFF00FF6C;

// Curve colour of each output 0..9 on the equaliser graph; InitAllData fills it from
// g_clrOut1..g_clrOut10 in channel order.
extern ARGB g_clrOutCurve[10];
