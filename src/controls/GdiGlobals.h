// The drawing objects the whole program shares: seven fonts, the dialog background brush and
// the speaker-type popup menu. Constructed empty before start-up; CreateSharedGdiObjects gives
// them their objects once the QApplication exists (after InitAllData). Windows select them but
// never delete them; each releases its object when the program ends.
//
// Created and changed on the user-interface thread; the fonts and the brush may be read from
// any thread once made.
#pragma once

#include "CMenu.h"
#include "GdiObjects.h"

extern CFont g_fontArial16;        // Arial, cell 16 px: mixer page, input noise dialog, scene presets
extern CFont g_fontArial108;       // Arial, cell 108 px: made, not selected by any window
extern CFont g_fontArial14;        // Arial, cell 14 px: output page and its routing strips
extern CFont g_fontArial12;        // Arial, cell 12 px: output page
extern CFont g_fontListSimSun16;   // 宋体, cell 16 px: list header, link dialog, lists (Chinese)
extern CFont g_fontListArial16;    // Arial, cell 16 px: the same users in English
extern CFont g_fontArialHeavy16;   // Arial, cell 16 px, weight 1200: input page, factory reset box

// Background of the skinned dialogs, red 227, green 228, blue 238.
constexpr COLORREF CLR_DLG_BACK = 0xEEE4E3;
extern CBrush g_brushDlgBack;

// The speaker-type popup: menu 106 (Chinese) at start, 106 or 107 after each language change.
extern CMenu g_menuSpeakerType;

// Makes the seven fonts in their order, then the brush, then loads menu 106. The start-up sets
// the language from the locale between the fonts and the brush; nothing here depends on it.
void CreateSharedGdiObjects();
// Destroys the speaker-type menu and loads it again in the language of g_bChinese, so exactly
// one copy exists after any number of changes.
void ReloadSpeakerTypeMenu();
