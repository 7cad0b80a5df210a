// Fixed-length byte fields of the device images (scene and channel names) to and from strings,
// and the checks of preset names.
//
// The fields hold the device's GBK bytes: every limit here is a byte limit, and the bytes are
// copied unchanged (conversion to UTF-8 happens where a name is shown or typed).
#pragma once

#include "WinTypes.h"

// The name an edited scene gets ("Custom"), and the scene-name work string (starts empty).
// User-interface thread; the change scanner reads them under g_csComm.
extern CString g_strCustomName;
extern CString g_strSceneNameBuf;

// The first n - 1 bytes, cut at the first 0 byte, trimmed of white space (scene names, n 16).
CString FieldToString(const BYTE* pField, int n);
// The first n bytes, cut at the first 0 byte, trimmed (channel names, n 8).
CString BytesToTrimmedString(const BYTE* pField, int n);
// Writes a text of fewer than n bytes and zero-fills the rest of the n bytes (the last byte is
// always 0). A longer text is refused with the "Char len error!" box and the field keeps its
// bytes. Returns TRUE when written.
BOOL StrToFixedField(BYTE* pField, int n, const CString& strText);
BOOL StrToZeroPaddedField(BYTE* pField, const CString& strText, int n);
// TRUE when the name, in its zero-padded 16-byte field form, matches the first nLen bytes of
// the name field of a stored scene other than element nSkip (0..5). bStored 0 checks nothing.
BOOL IsNameInUse(int nSkip, const CString& strName, BOOL bStored, int nLen);
// TRUE when the text is empty after trimming.
BOOL IsBlankString(const CString& strText);
// The text without white space (blank, tab, line breaks) at both ends.
CString TrimBlanks(const CString& strText);
