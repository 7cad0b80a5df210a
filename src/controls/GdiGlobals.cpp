#include "GdiGlobals.h"

#include "Globals.h"
#include "SpeakerTypeMenus.h"

CFont g_fontArial16;
CFont g_fontArial108;
CFont g_fontArial14;
CFont g_fontArial12;
CFont g_fontListSimSun16;
CFont g_fontListArial16;
CFont g_fontArialHeavy16;
CBrush g_brushDlgBack;
CMenu g_menuSpeakerType;

namespace {

void MakeSharedFont(CFont& font, int nHeight, int nWeight, const char* face)
{
    font.CreateFont(nHeight, 0, 0, 0, nWeight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face);
}

}  // namespace

void CreateSharedGdiObjects()
{
    RegisterMenuResources();
    MakeSharedFont(g_fontArial16, 16, FW_NORMAL, "Arial");
    MakeSharedFont(g_fontArial108, 108, FW_NORMAL, "Arial");
    MakeSharedFont(g_fontArial14, 14, FW_NORMAL, "Arial");
    MakeSharedFont(g_fontArial12, 12, FW_NORMAL, "Arial");
    MakeSharedFont(g_fontListSimSun16, 16, FW_NORMAL, "宋体");
    MakeSharedFont(g_fontListArial16, 16, FW_NORMAL, "Arial");
    MakeSharedFont(g_fontArialHeavy16, 16, 1200, "Arial");
    g_brushDlgBack.CreateSolidBrush(CLR_DLG_BACK);
    g_menuSpeakerType.DestroyMenu();
    g_menuSpeakerType.LoadMenu(IDR_MENU_SPEAKER_TYPE_CN);
}

void ReloadSpeakerTypeMenu()
{
    RegisterMenuResources();
    g_menuSpeakerType.DestroyMenu();
    g_menuSpeakerType.LoadMenu(g_bChinese ? IDR_MENU_SPEAKER_TYPE_CN : IDR_MENU_SPEAKER_TYPE_EN);
}
