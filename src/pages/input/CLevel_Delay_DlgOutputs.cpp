// The output half of the level and delay page: eight output strips for outputs 1..8, and the
// car, where every output with a speaker type sits at its position with its delay field. The
// positions of a delay group can be locked by the group's link bar: a step of one member's delay
// then steps the other members by one shown unit too.
#include "CLevel_Delay_Dlg.h"

#include "CKTV_OutData.h"
#include "Convert.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "SpeakerGroups.h"
#include "SpeakerTable.h"

#include <algorithm>

namespace {

constexpr int kGainMax = 600;
constexpr int kDelayMax = 960;
constexpr UINT kActiveThumb = 282;

const int kSliderX[LD_STRIPS] = {321, 383, 446, 509, 571, 634, 696, 759};
const int kEditX[LD_STRIPS] = {322, 384, 447, 510, 572, 635, 697, 760};
const int kButtonX[LD_STRIPS] = {321, 384, 447, 510, 572, 635, 697, 760};
const int kLampX[LD_STRIPS] = {323, 385, 448, 511, 573, 636, 698, 761};

// Position fields (dialog units). The template has no rectangle for 6002, the front-left
// woofer: it sits where its right-hand twin 6005 does, mirrored to the left column.
const CPoint kPosField[LD_POSITIONS] = {
    {22, 193}, {22, 215}, {22, 236}, {230, 193}, {230, 215}, {230, 236}, {127, 150}, {127, 211},
    {22, 267}, {22, 289}, {230, 267}, {230, 289}, {98, 347}, {158, 347}, {127, 347},
};

// Per speaker type 1..24: its position field, icon place (dialog units) and first PNG image.
struct TypeRow {
    int nField;
    int x, y;
    UINT nImage;
};
const TypeRow kTypes[LD_ICONS] = {
    {0, 69, 190, 7100},  {1, 69, 211, 7103},   {2, 69, 234, 7106},   {1, 69, 211, 7103},
    {1, 69, 211, 7103},  {1, 69, 211, 7103},   {3, 212, 190, 7110},  {4, 212, 211, 7113},
    {5, 212, 234, 7116}, {4, 212, 211, 7113},  {4, 212, 211, 7113},  {4, 212, 211, 7113},
    {8, 69, 264, 7100},  {9, 69, 287, 7106},   {9, 69, 287, 7106},   {10, 212, 264, 7110},
    {11, 212, 287, 7116}, {11, 212, 287, 7116}, {6, 140, 174, 7120}, {7, 137, 192, 7123},
    {7, 137, 194, 7123}, {12, 105, 327, 585},  {13, 166, 327, 588},  {14, 136, 327, 582},
};

// Link bars 6800..6811: group, pairing kind of a front group (0: any), place, first image.
struct BarRow {
    int nGroup;
    int nKind;
    int x, y;
    UINT nImage;
};
const BarRow kBars[LD_LINK_BARS] = {
    {SPKG_FRONT_LEFT, 4, 85, 199, 7340},  {SPKG_FRONT_LEFT, 1, 85, 199, 7400},
    {SPKG_FRONT_LEFT, 2, 85, 199, 7390},  {SPKG_FRONT_LEFT, 3, 85, 221, 7410},
    {SPKG_FRONT_RIGHT, 4, 199, 199, 7350}, {SPKG_FRONT_RIGHT, 1, 199, 199, 7430},
    {SPKG_FRONT_RIGHT, 2, 199, 199, 7420}, {SPKG_FRONT_RIGHT, 3, 199, 221, 7440},
    {SPKG_REAR_LEFT, 0, 85, 273, 7360},   {SPKG_REAR_RIGHT, 0, 199, 273, 7370},
    {SPKG_CENTRE, 0, 159, 181, 7330},     {SPKG_SUBWOOFER, 0, 123, 317, 7380},
};

// Unit buttons: English 4320.., Chinese 4330..; three bitmaps each.
const CPoint kUnitPlace[3] = {{231, 323}, {231, 335}, {231, 347}};

int TypeOf(int c) { return SpeakerTypeOf(g_bySpeakerType, c); }
bool ValidType(int t) { return t >= 1 && t <= LD_ICONS; }

int PairingKind(int group)
{
    if (group == SPKG_FRONT_LEFT)
        return g_SpeakerGroups.nFrontLeftMode;
    if (group == SPKG_FRONT_RIGHT)
        return g_SpeakerGroups.nFrontRightMode;
    return 0;
}

// The bar of a group that shows now (-1: none).
int BarOfGroup(int group)
{
    const int kind = PairingKind(group);
    for (int b = 0; b < LD_LINK_BARS; ++b)
        if (kBars[b].nGroup == group && (kBars[b].nKind == 0 || kBars[b].nKind == kind))
            return b;
    return -1;
}

}  // namespace

void CLevel_Delay_Dlg::InitOutputControls()
{
    for (int s = 0; s < LD_STRIPS; ++s) {
        m_editGain[s].Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, LevelPageRect(kEditX[s], 264, 40, 10), this,
                             IDC_LD_GAIN_EDIT + s);
        m_editGain[s].SetFont(&g_fontArial14);
        m_spinGain[s].Create(WS_CHILD, LevelPageRect(kEditX[s] + 40, 264, 8, 10), this, IDC_LD_GAIN_SPIN + s);
        m_spinGain[s].SetBuddy(&m_editGain[s]);
        m_editGain[s].SetScale(0.1);
        m_editGain[s].SetOffset(60.0);
        m_editGain[s].SetType(NUMTYPE_LEVEL_OFF0, "");
        m_spinGain[s].SetRange(0, kGainMax);
        m_editGain[s].LimitText(6);
        m_editGain[s].SetBuddySlider(&m_sliderGain[s]);

        m_sliderGain[s].Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP, LevelPageRect(kSliderX[s], 147, 10, 10),
                               this, IDC_LD_GAIN_SLIDER + s);
        m_sliderGain[s].SetBitmapChannel(539, 539);
        m_sliderGain[s].SetBitmapThumb(538, kActiveThumb, TRUE, SLIDER_KEY_FROM_PIXEL);
        m_sliderGain[s].SetRange(0, kGainMax);
        m_sliderGain[s].SetMargin(35, 4, 1, 4);
        m_sliderGain[s].SetBuddy(&m_editGain[s]);
        m_sliderGain[s].SetMoveNotify(TRUE);

        m_btnOn[s].Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, LevelPageRect(kButtonX[s], 279, 40, 14), this,
                          IDC_LD_ON + s);
        m_btnOn[s].SetBitmaps(529, 530, 531, 526, 527, 528);
        m_btnOn[s].SetDisabledBitmaps(4376, 4377);
        m_btnOn[s].SetMoveNotify(TRUE);
        m_btnPolarity[s].Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, LevelPageRect(kButtonX[s], 297, 40, 14), this,
                                IDC_LD_POLARITY + s);
        m_btnPolarity[s].SetMoveNotify(TRUE);
        m_btnCover[s].Create("", WS_CHILD | BS_PUSHBUTTON | WS_DISABLED, LevelPageRect(kEditX[s], 315, 40, 14), this,
                             IDC_LD_COVER + s);
        m_btnCover[s].SetDisabledBitmaps(4200, 4200);
        m_btnTypeLabel[s].Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_DISABLED,
                                 LevelPageRect(kEditX[s], 325, 40, 14), this, IDC_LD_TYPE_LABEL + s);
        m_lamp[s].Create("", WS_CHILD | WS_VISIBLE, LevelPageRect(kLampX[s], 349, 40, 8), this, IDC_LD_LAMP + s);
        m_lamp[s].CalcLayout();
    }

    for (int t = 0; t < LD_ICONS; ++t) {
        const TypeRow& r = kTypes[t];
        m_btnIcon[t].Create("", WS_CHILD | BS_PUSHBUTTON, LevelPageRect(r.x, r.y, 12, 12), this, IDC_LD_ICON + t);
        m_btnIcon[t].SetPngImages(r.nImage, r.nImage + 1, r.nImage + 2);
        m_btnIcon[t].SetCheckedPngImages(r.nImage + 2, r.nImage + 2, r.nImage + 2);
        m_btnIcon[t].SetMoveNotify(TRUE);
    }
    for (int b = 0; b < LD_LINK_BARS; ++b) {
        const BarRow& r = kBars[b];
        m_btnLinkBar[b].Create("", WS_CHILD | BS_PUSHBUTTON, LevelPageRect(r.x, r.y, 8, 8), this, IDC_LD_LINK_BAR + b);
        m_btnLinkBar[b].SetPngImages(r.nImage, r.nImage + 1, r.nImage + 2);
        m_btnLinkBar[b].SetCheckedPngImages(r.nImage + 3, r.nImage + 4, r.nImage + 5);
    }

    for (int k = 0; k < LD_POSITIONS; ++k) {
        const CPoint p = kPosField[k];
        m_editPos[k].Create(WS_CHILD | WS_TABSTOP, LevelPageRect(p.x, p.y, 44, 10), this, IDC_LD_POS_EDIT + k);
        m_editPos[k].SetFont(&g_fontArial14);
        m_editPos[k].CreateSpinButton(IDC_LD_POS_UPDOWN + k);
        m_editPos[k].GetSpinButton().SetBitmaps(800, 801, 802, 803);
        m_spinPos[k].Create(WS_CHILD, LevelPageRect(p.x + 44, p.y, 8, 10), this, IDC_LD_POS_SPIN + k);
        m_editPos[k].SetSpinTarget(k, &m_spinPos[k]);
        m_spinPos[k].SetBuddy(&m_editPos[k]);
        m_editPos[k].SetType(std::clamp(g_nDelayUnit, 1, 3) - 1, "");
        m_spinPos[k].SetRange(0, kDelayMax);
        m_spinPos[k].SetType(NUMSPIN_STEP_DELAY);
        m_editPos[k].LimitText(10);
        m_editPos[k].SetValue(0);
        m_spinPos[k].SetTag(-1);
    }

    for (int u = 0; u < 3; ++u)
        m_btnUnit[u].Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, LevelPageRect(kUnitPlace[u].x, kUnitPlace[u].y, 50, 9),
                            this, IDC_LD_UNIT_MS + u);
}

void CLevel_Delay_Dlg::UpdateStripImages()
{
    const UINT pol = g_bChinese ? 4380 : 4370;
    for (int s = 0; s < LD_STRIPS; ++s) {
        m_btnPolarity[s].SetBitmaps(pol, pol + 1, pol + 2, pol + 3, pol + 4, pol + 5);
        m_btnPolarity[s].SetDisabledBitmaps(pol + 8, pol + 9);
        m_btnPolarity[s].Invalidate(FALSE);
        const int t = TypeOf(s);
        const UINT label = (g_bChinese ? 4230u : 4200u) + UINT(t >= 0 && t <= 24 ? t : 0);
        m_btnTypeLabel[s].SetDisabledBitmaps(label, label);
        m_btnTypeLabel[s].Invalidate(FALSE);
    }
}

void CLevel_Delay_Dlg::UpdateUnitImages()
{
    const UINT base = g_bChinese ? 4330 : 4320;
    for (int u = 0; u < 3; ++u) {
        const UINT b = base + UINT(3 * u);
        m_btnUnit[u].SetBitmaps(b, b + 1, b + 2, b + 2, b + 2, b + 2);
        m_btnUnit[u].Invalidate(FALSE);
    }
}

// ---- refresh ------------------------------------------------------------------------------

void CLevel_Delay_Dlg::RefreshOutputs()
{
    for (int s = 0; s < LD_STRIPS; ++s) {
        const CKTV_OutData* out = g_pOutChannel[s];
        const int gain = out ? std::clamp<int>(out->GetGain(), 0, kGainMax) : 0;
        m_spinGain[s].SetPos(gain);
        m_sliderGain[s].SetValue(gain);
        m_editGain[s].ShowWindow(SW_SHOW);
        m_sliderGain[s].ShowWindow(SW_SHOW);
        m_btnOn[s].ShowWindow(SW_SHOW);
        m_btnPolarity[s].ShowWindow(SW_SHOW);
        m_btnOn[s].SetCheck(out && out->GetOn());
        m_btnPolarity[s].SetCheck(out && out->GetPolarity());
    }
    UpdateStripImages();
    ApplyStripAvailability();

    for (int k = 0; k < LD_POSITIONS; ++k) {
        m_editPos[k].ShowWindow(SW_HIDE);
        m_editPos[k].SetReadOnly(FALSE);
        m_spinPos[k].SetTag(-1);
    }
    for (CBtnPng& icon : m_btnIcon) {
        icon.ShowWindow(SW_HIDE);
        icon.SetCheck(FALSE);
    }
    for (int c = 0; c < 10; ++c) {
        m_pos[c] = LevelPosition();
        ShowSpeakerPosition(TypeOf(c), c);
        if (m_pos[c].nField >= 0 && g_pOutChannel[c])
            m_spinPos[m_pos[c].nField].SetPos(std::clamp<int>(g_pOutChannel[c]->GetDelay(), 0, kDelayMax));
    }
    ShowLinkBars();
    SetDelayUnit(g_nDelayUnit);
}

void CLevel_Delay_Dlg::ApplyStripAvailability()
{
    for (int s = 0; s < LD_STRIPS; ++s) {
        const BOOL none = TypeOf(s) == 0;
        const int cmd = none ? SW_HIDE : SW_SHOW;
        m_editGain[s].ShowWindow(cmd);
        m_sliderGain[s].ShowWindow(cmd);
        m_btnOn[s].ShowWindow(cmd);
        m_btnPolarity[s].ShowWindow(cmd);
        m_lamp[s].ShowWindow(cmd);
        m_btnCover[s].ShowWindow(none ? SW_SHOW : SW_HIDE);
    }
}

void CLevel_Delay_Dlg::ShowSpeakerPosition(int nType, int c)
{
    if (!ValidType(nType) || c < 0 || c >= 10)
        return;
    const TypeRow& r = kTypes[nType - 1];
    m_spinPos[r.nField].SetTag(c);
    m_editPos[r.nField].ShowWindow(SW_SHOW);
    m_btnIcon[nType - 1].ShowWindow(SW_SHOW);
    m_pos[c].nField = r.nField;
    m_pos[c].nIcon = nType - 1;
}

void CLevel_Delay_Dlg::ShowLinkBars()
{
    for (int g = 0; g < SPEAKER_GROUP_COUNT; ++g) {
        const int flag = *GetSpeakerGroupLink(g_SpeakerGroups, g);
        const int shown = flag >= 0 ? BarOfGroup(g) : -1;
        for (int b = 0; b < LD_LINK_BARS; ++b) {
            if (kBars[b].nGroup != g)
                continue;
            m_btnLinkBar[b].ShowWindow(b == shown ? SW_SHOW : SW_HIDE);
            if (b == shown)
                m_btnLinkBar[b].SetCheck(flag == 1);
        }
        if (flag == 1)
            SetGroupDelayLock(GetSpeakerGroupMembers(g_SpeakerGroups, g), 1);
    }
}

void CLevel_Delay_Dlg::SetGroupDelayLock(const int* pMembers, int bLocked)
{
    for (int i = 0; i < SPEAKER_CHANNELS; ++i) {
        const int c = pMembers[i];
        if (c < 0 || c >= 10 || m_pos[c].nField < 0)
            continue;
        m_editPos[m_pos[c].nField].SetReadOnly(bLocked ? TRUE : FALSE);
    }
}

void CLevel_Delay_Dlg::OnLinkBar(int nBar)
{
    const int g = kBars[nBar].nGroup;
    int* flag = GetSpeakerGroupLink(g_SpeakerGroups, g);
    if (*flag < 0)
        return;  // a hidden bar of a group with fewer than two members
    *flag = *flag == 1 ? 0 : 1;
    SetGroupDelayLock(GetSpeakerGroupMembers(g_SpeakerGroups, g), *flag);
    const int shown = BarOfGroup(g);
    if (shown >= 0)
        m_btnLinkBar[shown].SetCheck(*flag == 1);
    RefreshSelection(-1);
}

// ---- gain, on/off, polarity ---------------------------------------------------------------

void CLevel_Delay_Dlg::OnOutputGain(int s, int v, BOOL bFromSlider)
{
    CKTV_OutData* out = g_pOutChannel[s];
    if (out && v != out->GetGain()) {
        out->SetGain(short(v));
        if (bFromSlider)
            m_spinGain[s].SetPos(v);
        else
            m_sliderGain[s].SetValue(v);
        if (!out->GetOn()) {
            out->SetOn(1);
            m_btnOn[s].SetCheck(TRUE);
        }
    }
    RefreshGainGroup(s);
    SelectChannel(s);
}

void CLevel_Delay_Dlg::OnOutputGainEdit(int s) { OnOutputGain(s, m_spinGain[s].GetPos(), FALSE); }

void CLevel_Delay_Dlg::OnOutputSlider(int s) { OnOutputGain(s, m_sliderGain[s].GetValue(), TRUE); }

void CLevel_Delay_Dlg::RefreshGainGroup(int c)
{
    for (int i = 0; i < 10; ++i) {
        if (!IsLinkedOutput(c, i) || !g_pOutChannel[i])
            continue;
        if (i < LD_STRIPS) {
            const int gain = std::clamp<int>(g_pOutChannel[i]->GetGain(), 0, kGainMax);
            m_spinGain[i].SetPos(gain);
            m_sliderGain[i].SetValue(gain);
        }
        MarkChannel(i, TRUE);
    }
}

void CLevel_Delay_Dlg::OnOutputOnButton(int s)
{
    const BOOL on = !m_btnOn[s].GetCheck();
    if (CKTV_OutData* out = g_pOutChannel[s])
        out->SetOn(on ? 1 : 0);
    m_btnOn[s].SetCheck(on);
    RefreshSelection(s);
}

void CLevel_Delay_Dlg::CopyOnToGroup(int c, BOOL bNoMark)
{
    if (c < 0 || c >= 10 || !g_pOutChannel[c])
        return;
    // The partners take output c's own state, not whatever the page last set elsewhere.
    const int on = g_pOutChannel[c]->GetOn();
    for (int i = 0; i < 10; ++i) {
        if (!IsLinkedOutput(c, i) || !g_pOutChannel[i])
            continue;
        g_pOutChannel[i]->SetOn(on);
        if (i < LD_STRIPS)
            m_btnOn[i].SetCheck(on != 0);
        if (!bNoMark)
            MarkChannel(i, TRUE);
    }
}

void CLevel_Delay_Dlg::OnPolarityButton(int s)
{
    const BOOL inverted = !m_btnPolarity[s].GetCheck();
    if (CKTV_OutData* out = g_pOutChannel[s])
        out->SetPolarity(inverted ? 1 : 0);
    m_btnPolarity[s].SetCheck(inverted);
    RefreshSelection(s);
}

// ---- delays -------------------------------------------------------------------------------

void CLevel_Delay_Dlg::OnPositionDelayEdit(int k)
{
    const int c = m_spinPos[k].GetTag();
    if (c < 0 || c >= 10 || !g_pOutChannel[c])
        return;
    const int v = m_spinPos[k].GetPos();
    if (v != g_pOutChannel[c]->GetDelay())
        g_pOutChannel[c]->SetDelay(short(v));
    RefreshSelection(c);
}

void CLevel_Delay_Dlg::OnDelaySpinStep(UINT nSpinID, int nStep)
{
    if (nSpinID < IDC_LD_POS_SPIN || nSpinID >= IDC_LD_POS_SPIN + LD_POSITIONS)
        return;
    const int c = m_spinPos[nSpinID - IDC_LD_POS_SPIN].GetTag();
    if (c < 0 || c >= 10)
        return;
    const int g = GetSpeakerGroupOfType(TypeOf(c));
    if (g < 0 || *GetSpeakerGroupLink(g_SpeakerGroups, g) != 1)
        return;
    const int* members = GetSpeakerGroupMembers(g_SpeakerGroups, g);
    for (int i = 0; i < SPEAKER_CHANNELS; ++i) {
        const int d = members[i];
        if (d >= 0 && d < 10 && d != c)
            StepPositionDelay(d, nStep);
    }
}

void CLevel_Delay_Dlg::StepPositionDelay(int d, int nStep)
{
    const int k = m_pos[d].nField;
    CKTV_OutData* out = g_pOutChannel[d];
    if (k < 0 || !out)
        return;
    int v = m_spinPos[k].GetPos();
    switch (m_editPos[k].GetType()) {
    case NUMTYPE_DELAY_MS: v += nStep; break;
    case NUMTYPE_DELAY_CM: v = StepDelayByCm(v, nStep); break;
    case NUMTYPE_DELAY_INCH: v = StepDelayByInch(v, nStep); break;
    default: return;
    }
    v = std::clamp(v, 0, kDelayMax);
    if (v != out->GetDelay()) {
        out->SetDelay(short(v));
        m_spinPos[k].SetPos(v);
    }
}

void CLevel_Delay_Dlg::SetDelayUnit(int nUnit)
{
    if (nUnit < 1 || nUnit > 3)
        return;
    if (g_nDelayUnit >= 1 && g_nDelayUnit <= 3)
        m_btnUnit[g_nDelayUnit - 1].SetCheck(FALSE);
    g_nDelayUnit = nUnit;
    m_btnUnit[nUnit - 1].SetCheck(TRUE);
    for (CNumEdit& e : m_editPos) {
        e.SetType(nUnit - 1, "");
        e.UpdateText();
    }
}

void CLevel_Delay_Dlg::OnDelayUnitButton(int nUnit)
{
    if (nUnit == g_nDelayUnit)
        return;
    SetDelayUnit(nUnit);
    RefreshSelection(-1);
}

// ---- selection marks ----------------------------------------------------------------------

void CLevel_Delay_Dlg::MarkChannel(int c, BOOL bMark)
{
    if (c < 0 || c >= 10)
        return;
    const int t = TypeOf(c);
    if (ValidType(t))
        m_btnIcon[t - 1].SetCheck(bMark);
}

void CLevel_Delay_Dlg::RefreshSelection(int c)
{
    if (m_nSelected >= 0) {
        MarkChannel(m_nSelected, FALSE);
        for (int i = 0; i < 10; ++i)
            if (IsLinkedOutput(m_nSelected, i))
                MarkChannel(i, FALSE);
    }
    if (c >= 0 && c < 10) {
        m_nSelected = c;
        MarkChannel(c, TRUE);
    }
}

void CLevel_Delay_Dlg::SelectChannel(int c)
{
    if (c != m_nSelected)
        RefreshSelection(c);
}

void CLevel_Delay_Dlg::OnSpeakerIcon(int nIcon)
{
    for (int c = 0; c < 10; ++c) {
        if (m_pos[c].nIcon != nIcon || m_pos[c].nField < 0)
            continue;
        const int k = m_pos[c].nField;
        RefreshSelection(m_spinPos[k].GetTag());
        m_editPos[k].SetFocus();
    }
}

void CLevel_Delay_Dlg::OnCtrlMouseMove(UINT nID)
{
    if (nID >= IDC_LD_ON && nID < IDC_LD_ON + LD_STRIPS) {
        RefreshSelection(int(nID - IDC_LD_ON));
        m_btnOn[nID - IDC_LD_ON].SetFocus();
    } else if (nID >= IDC_LD_POLARITY && nID < IDC_LD_POLARITY + LD_STRIPS) {
        RefreshSelection(int(nID - IDC_LD_POLARITY));
        m_btnPolarity[nID - IDC_LD_POLARITY].SetFocus();
    }
}

void CLevel_Delay_Dlg::UpdateMeters()
{
    for (int s = 0; s < LD_STRIPS; ++s)
        m_lamp[s].SetLevel(BYTE(g_nMeterLevel[s]));
}

void CLevel_Delay_Dlg::ClearMeters()
{
    for (CSLamp& lamp : m_lamp)
        lamp.Clear();
}
