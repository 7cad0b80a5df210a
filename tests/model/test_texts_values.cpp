// The value texts of the parameter listing for every channel class, in both languages.
#include "test_scene_support.h"

#include <functional>

using namespace scene_test;

namespace {

struct TextCase {
    const char* name;
    std::function<CString(CKTV_Data&)> text;  // sets the value, returns the text
    const char* english;
    const char* chinese;
};

class ValueTextsTest : public SceneTest {};

}  // namespace

TEST_F(ValueTextsTest, EveryTextInBothLanguages)
{
    const std::vector<TextCase> cases = {
        // Output channel, defaults first.
        {"gain default", [](CKTV_Data& s) { return s.GetOutData(0)->GetGainText(); }, "0.0dB", "0.0dB"},
        {"gain -24.5", [](CKTV_Data& s) { s.GetOutData(0)->SetGain(355); return s.GetOutData(0)->GetGainText(); },
         "-24.5dB", "-24.5dB"},
        {"gain muted", [](CKTV_Data& s) { s.GetOutData(0)->SetGain(0); return s.GetOutData(0)->GetGainText(); },
         "-60.0dB", "-60.0dB"},
        {"gain mute flag over a gain",
         [](CKTV_Data& s) {
             s.GetOutData(0)->SetGain(500);
             s.GetOutData(0)->SetGainMute(1);
             return s.GetOutData(0)->GetGainText();
         },
         "-60.0dB", "-60.0dB"},
        {"polarity normal", [](CKTV_Data& s) { return s.GetOutData(0)->GetPolarityText(); }, "Pol+", "正相"},
        {"polarity inverted",
         [](CKTV_Data& s) { s.GetOutData(0)->SetPolarity(1); return s.GetOutData(0)->GetPolarityText(); }, "Pol-",
         "反相"},
        {"on", [](CKTV_Data& s) { return s.GetOutData(0)->GetOnText(); }, "On", "On"},
        {"off", [](CKTV_Data& s) { s.GetOutData(0)->SetOn(0); return s.GetOutData(0)->GetOnText(); }, "OFF", "OFF"},
        {"delay default", [](CKTV_Data& s) { return s.GetOutData(0)->GetDelayText(); }, "0.0ms", "0.0ms"},
        {"delay 99", [](CKTV_Data& s) { s.GetOutData(0)->SetDelay(99); return s.GetOutData(0)->GetDelayText(); },
         "9.9ms", "9.9ms"},
        {"delay 100", [](CKTV_Data& s) { s.GetOutData(0)->SetDelay(100); return s.GetOutData(0)->GetDelayText(); },
         "10.0ms", "10.0ms"},
        {"delay 150", [](CKTV_Data& s) { s.GetOutData(0)->SetDelay(150); return s.GetOutData(0)->GetDelayText(); },
         "60.0ms", "60.0ms"},
        {"threshold default", [](CKTV_Data& s) { return s.GetOutData(0)->GetLimitThresholdText(); }, "12.0dBu",
         "12.0dBu"},
        {"threshold 0",
         [](CKTV_Data& s) { s.GetOutData(0)->SetLimitThreshold(0); return s.GetOutData(0)->GetLimitThresholdText(); },
         "-30.0dBu", "-30.0dBu"},
        {"attack default", [](CKTV_Data& s) { return s.GetOutData(0)->GetLimitAttackText(); }, "50ms", "50ms"},
        {"attack 0", [](CKTV_Data& s) { s.GetOutData(0)->SetLimitAttack(0); return s.GetOutData(0)->GetLimitAttackText(); },
         "0.3ms", "0.3ms"},
        {"attack 6", [](CKTV_Data& s) { s.GetOutData(0)->SetLimitAttack(6); return s.GetOutData(0)->GetLimitAttackText(); },
         "0.9ms", "0.9ms"},
        {"attack 7", [](CKTV_Data& s) { s.GetOutData(0)->SetLimitAttack(7); return s.GetOutData(0)->GetLimitAttackText(); },
         "1ms", "1ms"},
        // One release rule for every text: milliseconds = code + 50.
        {"release default", [](CKTV_Data& s) { return s.GetOutData(0)->GetLimitReleaseText(); }, "150ms", "150ms"},
        {"release 0",
         [](CKTV_Data& s) { s.GetOutData(0)->SetLimitRelease(0); return s.GetOutData(0)->GetLimitReleaseText(); },
         "50ms", "50ms"},
        {"release 50",
         [](CKTV_Data& s) { s.GetOutData(0)->SetLimitRelease(50); return s.GetOutData(0)->GetLimitReleaseText(); },
         "100ms", "100ms"},
        {"release 4950",
         [](CKTV_Data& s) { s.GetOutData(0)->SetLimitRelease(4950); return s.GetOutData(0)->GetLimitReleaseText(); },
         "5000ms", "5000ms"},
        {"mask bit 4 of 16", [](CKTV_Data& s) { return s.GetOutData(0)->GetMaskBit4Text(); }, "On", "On"},
        {"mask bit 0 of 16", [](CKTV_Data& s) { return s.GetOutData(0)->GetMaskBit0Text(); }, "OFF", "OFF"},
        {"mask bits of 0x0D",
         [](CKTV_Data& s) {
             CKTV_OutData* o = s.GetOutData(0);
             o->SetInMask(0x0D);
             return o->GetMaskBit0Text() + o->GetMaskBit1Text() + o->GetMaskBit2Text() + o->GetMaskBit3Text() +
                    o->GetMaskBit4Text();
         },
         "OnOFFOnOnOFF", "OnOFFOnOnOFF"},
        // Output 0 starts with its left input on at level 1, its right input muted.
        {"input left", [](CKTV_Data& s) { return s.GetOutData(0)->GetInLeftText(); }, "1%", "1%"},
        {"input right muted", [](CKTV_Data& s) { return s.GetOutData(0)->GetInRightText(); }, "0%", "0%"},
        {"input right level", [](CKTV_Data& s) { s.GetOutData(1)->SetInRight(75); return s.GetOutData(1)->GetInRightText(); },
         "75%", "75%"},
        {"input 5", [](CKTV_Data& s) { return s.GetOutData(0)->GetIn5Text(); }, "80%", "80%"},
        {"input 5 muted", [](CKTV_Data& s) { s.GetOutData(0)->SetIn5Mute(1); return s.GetOutData(0)->GetIn5Text(); },
         "0%", "0%"},
        {"input 3", [](CKTV_Data& s) { return s.GetOutData(0)->GetInput3Text(); }, "50%", "50%"},
        {"input 4", [](CKTV_Data& s) { return s.GetOutData(0)->GetInput4Text(); }, "40%", "40%"},
        {"balance default", [](CKTV_Data& s) { return s.GetOutData(0)->GetBalanceText(); }, "50%:50%", "50%:50%"},
        {"balance 30", [](CKTV_Data& s) { s.GetOutData(0)->SetInBalance(30); return s.GetOutData(0)->GetBalanceText(); },
         "30%:70%", "30%:70%"},
        {"input left on", [](CKTV_Data& s) { return s.GetOutData(0)->GetInLeftOnText(); }, "ON", "ON"},
        {"input right off",
         [](CKTV_Data& s) { s.GetOutData(0)->SetInRightMute(1); return s.GetOutData(0)->GetInRightOnText(); }, "OFF",
         "OFF"},
        {"blanks", [](CKTV_Data& s) { return s.GetOutData(0)->GetBlankText1() + s.GetOutData(0)->GetBlankText2(); },
         "", ""},

        // Microphone and music inputs.
        {"mic level off", [](CKTV_Data& s) { return s.GetMicData(0)->GetLevelText(); }, " OFF ", " 关 "},
        {"mic level 3", [](CKTV_Data& s) { s.GetMicData(0)->SetLevel(3); return s.GetMicData(0)->GetLevelText(); },
         " 3Level", " 3级"},
        {"mic volume default", [](CKTV_Data& s) { return s.GetMicData(0)->GetVolumeText(); }, "320dB", "320dB"},
        {"music volume default", [](CKTV_Data& s) { return s.GetMusicData(1)->GetVolumeText(); }, "520dB", "520dB"},
        {"music 1 volume", [](CKTV_Data& s) { return s.GetMusicData(0)->GetVolumeText(); }, "370dB", "370dB"},
        {"mic polarity", [](CKTV_Data& s) { s.GetMicData(0)->SetPolarity(1); return s.GetMicData(0)->GetPolarityText(); },
         "Pol-", "反相"},
        {"music polarity", [](CKTV_Data& s) { return s.GetMusicData(2)->GetPolarityText(); }, "Pol+", "正相"},
        {"mic off", [](CKTV_Data& s) { s.GetMicData(0)->SetOn(0); return s.GetMicData(0)->GetOnText(); }, "OFF", "OFF"},
        {"music on", [](CKTV_Data& s) { return s.GetMusicData(2)->GetOnText(); }, "On", "On"},
        {"mic delay 120", [](CKTV_Data& s) { s.GetMicData(0)->SetDelay(120); return s.GetMicData(0)->GetDelayText(); },
         "30.0ms", "30.0ms"},
        {"music delay 25", [](CKTV_Data& s) { s.GetMusicData(2)->SetDelay(25); return s.GetMusicData(2)->GetDelayText(); },
         "2.5ms", "2.5ms"},
        {"mic threshold default", [](CKTV_Data& s) { return s.GetMicData(0)->GetThresholdText(); }, "20.0", "20.0"},
        {"music threshold 123",
         [](CKTV_Data& s) { s.GetMusicData(3)->SetThreshold(123); return s.GetMusicData(3)->GetThresholdText(); },
         "-17.7", "-17.7"},
        {"mic noise gate default", [](CKTV_Data& s) { return s.GetMicData(0)->GetNoiseGateText(); }, "-80.0dBu",
         "-80.0dBu"},
        {"music noise gate off",
         [](CKTV_Data& s) { s.GetMusicData(4)->SetNoiseGate(0); return s.GetMusicData(4)->GetNoiseGateText(); }, "OFF",
         "OFF"},
        {"music noise gate 100",
         [](CKTV_Data& s) { s.GetMusicData(4)->SetNoiseGate(100); return s.GetMusicData(4)->GetNoiseGateText(); },
         "-20.0dBu", "-20.0dBu"},

        // Effect block.
        {"echo balance default", [](CKTV_Data& s) { return s.GetEffectData()->GetEchoBalanceText(); }, "R_80%", "R_80%"},
        {"echo balance 0",
         [](CKTV_Data& s) { s.GetEffectData()->SetEchoBalance(0); return s.GetEffectData()->GetEchoBalanceText(); },
         "R_100%", "R_100%"},
        {"echo balance 100",
         [](CKTV_Data& s) { s.GetEffectData()->SetEchoBalance(100); return s.GetEffectData()->GetEchoBalanceText(); },
         "OFF", "OFF"},
        {"echo balance 150",
         [](CKTV_Data& s) { s.GetEffectData()->SetEchoBalance(150); return s.GetEffectData()->GetEchoBalanceText(); },
         "L_50%", "L_50%"},
        {"echo balance 195",
         [](CKTV_Data& s) { s.GetEffectData()->SetEchoBalance(195); return s.GetEffectData()->GetEchoBalanceText(); },
         "L_95%", "L_95%"},
        {"echo balance 196",
         [](CKTV_Data& s) { s.GetEffectData()->SetEchoBalance(196); return s.GetEffectData()->GetEchoBalanceText(); },
         "", ""},
        {"echo delay default", [](CKTV_Data& s) { return s.GetEffectData()->GetEchoDelayText(); }, "168ms", "168ms"},
        {"echo params",
         [](CKTV_Data& s) {
             CEffect_Data* e = s.GetEffectData();
             return e->GetEchoParam3Text() + " " + e->GetEchoParam4Text() + " " + e->GetEchoParam5Text();
         },
         "50% 68% 0", "50% 68% 0"},
        {"reverb time default", [](CKTV_Data& s) { return s.GetEffectData()->GetReverbTimeText(); }, "1.8s", "1.8s"},
        {"reverb params",
         [](CKTV_Data& s) {
             CEffect_Data* e = s.GetEffectData();
             e->SetReverbDelay(12);
             return e->GetReverbParam2Text() + " " + e->GetReverbParam3Text() + " " + e->GetReverbParam4Text() + " " +
                    e->GetReverbParam5Text() + " " + e->GetReverbDelayText();
         },
         "50% 0 40% 50% 12ms", "50% 0 40% 50% 12ms"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (int chinese : {0, 1}) {
            TearDown();
            SetUp();
            g_bChinese = chinese;
            EXPECT_EQ(c.text(*scene), chinese ? c.chinese : c.english);
        }
    }
}
