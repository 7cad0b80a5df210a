// The speaker-type popup menus: resource 106 in Chinese and 107 in English, the same tree.
// Each item's command id is ID_SPEAKER_TYPE_BASE plus the speaker type 0..24.
#pragma once

#include "WinTypes.h"

constexpr UINT IDR_MENU_SPEAKER_TYPE_CN = 106;
constexpr UINT IDR_MENU_SPEAKER_TYPE_EN = 107;
constexpr UINT ID_SPEAKER_TYPE_BASE = 4100;

// Registers both menu templates (again is harmless). User-interface thread.
void RegisterMenuResources();
