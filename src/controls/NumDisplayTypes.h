// Display types of the numeric fields: how a device code is shown as text and how typed text is
// read back into a code, for types 0..40. Pure value mapping without any window, so that every
// type can be checked in a table; CNumEdit owns the state and calls these.
//
// Each type has up to three pieces: the formatter (the field's text), the committing reader (run
// when the field loses the focus: it clamps, and the field reformats and tells its parent) and
// the silent reader (run by CNumEdit::GetValue: it stores or refuses, nothing else).
//
// Units: delay codes are steps of 1/48 ms (0..960 = 0..20 ms); distances use the speed of sound
// at the field's temperature; levels are value x scale - offset in dB. Texts are UTF-8; Chinese
// while NumFieldState::bChinese is set. Numbers are read and written without regard to the
// process locale ("." is always the decimal point).
//
// Sound results for bad input: a number that a type cannot convert (not a number, an infinite
// or NaN result, the logarithm of a voltage that is zero or negative, a division by a scale of
// 0) gives the type's lowest code, and a stored code always lies in the field's range.
#pragma once

#include "WinTypes.h"

// Display types the pages select and the ends they rely on.
constexpr int NUMTYPE_DELAY_MS = 0;
constexpr int NUMTYPE_DELAY_CM = 1;
constexpr int NUMTYPE_DELAY_INCH = 2;
constexpr int NUMTYPE_FREQ = 4;
constexpr int NUMTYPE_ATTACK = 5;
constexpr int NUMTYPE_FREQ_HZ = 8;
constexpr int NUMTYPE_FREQ_TOP = 9;
constexpr int NUMTYPE_LEVEL = 10;
constexpr int NUMTYPE_Q = 11;
constexpr int NUMTYPE_DELAY_LONG = 19;
constexpr int NUMTYPE_LEVEL_OFF0 = 23;
constexpr int NUMTYPE_VOLTAGE = 32;
constexpr int NUMTYPE_RATIO = 40;
constexpr int NUMTYPE_LAST = 40;

// The field's settings that the types read.
struct NumFieldState {
    int nMin = 0;
    int nMax = 0;
    double dScale = 0.0;
    double dOffset = 0.0;
    int nTemperature = 75;  // air temperature in degrees Celsius + 50 (75 = 25 degrees)
    CString strUnit;        // appended by some types, a switch for others
    bool bChinese = false;
};

// The text of code nValue. False for the types without a formatter (34..37, 39, and numbers
// outside 0..40): the field keeps its text. Types 26, 32, 33 and 38 first clamp nValue, which
// the field stores.
bool FormatNumText(int nType, int& nValue, const NumFieldState& st, CString& strText);

struct NumCommit {
    bool bStore = false;   // nValue is the field's new code
    int nValue = 0;
    bool bNotify = false;  // reformat the text and send the value notice
};
// The committing reader of the typed text; bModified: the text was typed since the last read.
NumCommit CommitNumText(int nType, const CString& strText, int nValue, bool bModified, const NumFieldState& st);

// The silent reader: true with the new code in nNew when the type stores one; false when it
// refuses the text or has no reader (the code stays).
bool ParseNumText(int nType, const CString& strText, const NumFieldState& st, int& nNew);

// The two texts of the "off" end of a level.
const char* NumOffText(bool bChinese);
