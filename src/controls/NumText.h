// Numbers to text and back for the numeric fields, the way the C library reads and writes them
// in the "C" locale whatever the process locale is: ReadNumber reads like atof, ReadInteger like
// atoi (clamped to the int range instead of overflowing), FormatFixed writes like "%.<n>f".
// Also the physical constants the display types share. No window code.
#pragma once

#include "WinTypes.h"

namespace NumText {

// Leading white space skipped, an optional sign, then the longest number (digits, a decimal
// point, an exponent, or inf / nan); 0 when the text does not begin with one.
double ReadNumber(const CString& strText);
// Leading white space skipped, an optional sign, then decimal digits; 0 without any.
int ReadInteger(const CString& strText);
// "%.<nDecimals>f" of the value.
CString FormatFixed(double dValue, int nDecimals);
CString FormatInt(int nValue);

// int(x): truncation toward zero; the caller has checked that x is finite.
int Trunc(double x);
// nearest(x) = int(x + 0.5), for numbers that are not negative.
int Nearest(double x);

// Speed of sound in m/s at T degrees Celsius: 331 + 0.6 T for the distances shown, and the
// 331.4 + 0.6 T that the inch end and the long-grid types use.
inline double SoundSpeed(int nTempC) { return 331.0 + 0.6 * nTempC; }
inline double SoundSpeedFine(int nTempC) { return 331.4 + 0.6 * nTempC; }

constexpr double kFeetPerMetre = 3.2808;
constexpr double kInchesPerMetre = 3.2808 * 12;  // 39.369600000000005
constexpr double kDelayMaxMs = 20.0;
constexpr double kFineGridMs = 0.021;   // the long delay grid of types 16..18
constexpr double kFineLimitMs = 8400.0;
constexpr double kFineLowMs = 0.0104;   // the lower part of type 16
constexpr int kFineLowTop = 9615;

}  // namespace NumText
