// Small pieces shared by the channel classes' packers and unpackers: 16-bit fields of the
// 8-byte records, the crossover record that every channel block carries in the same layout,
// and the fixed-length name fields.
//
// Nothing here shows a message: packers run on the comm worker while it holds g_csComm.
#pragma once

#include "CFilter.h"
#include "WinTypes.h"

// Device name fields of the channel blocks are 8 bytes: up to 7 bytes of text and a zero.
constexpr int CHANNEL_NAME_SIZE = 8;

// Signed 16-bit little-endian field; the low 16 bits of v are written.
inline short GetRecordWord(const BYTE* p) { return short(WORD(p[0] | (p[1] << 8))); }
inline void PutRecordWord(BYTE* p, int v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(WORD(v) >> 8);
}

// Crossover record: high-pass reference Hz (16 bits), class, slope, then the low-pass the
// same way. A missing filter leaves its four bytes alone.
void PutCrossoverRecord(BYTE* p, const CFilter* pHighPass, const CFilter* pLowPass);
// Loads both filters from a crossover record: frequency and reference take the record's
// value, class and slope are stored, and the stamps end clear.
void LoadCrossoverRecord(const BYTE* p, CFilter* pHighPass, CFilter* pLowPass);

// The name's bytes, at most nField of them, then zeros to the end of the field. Setters keep
// new names shorter than the field, so only a name that came from a device block in full
// (8 bytes without a zero) fills it, and it packs back as it came.
void PutNameField(BYTE* pField, int nField, const CString& strName);
// The bytes of the field up to the first zero, untrimmed.
CString GetNameField(const BYTE* pField, int nField);

// User-interface thread: TRUE when the name leaves room for the field's zero byte (fewer than
// nField bytes; names are GBK bytes on the device, so the limit is a byte limit). Otherwise
// the program's "Char len error!" box is shown and the result is FALSE; the caller keeps its
// old name, so the model never holds a name the device cannot take.
BOOL CheckNameLength(const CString& strName, int nField);
