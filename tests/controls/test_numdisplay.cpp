// The display types of the numeric fields, without any window: one table of every type, code to
// text in both languages and typed text back to a code through both readers, with the clamps
// at both ends and the sound results for text that cannot be converted.
#include "NumDisplayTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Cfg {
    int type;
    int min, max;
    double scale, offset;
    const char* unit;
};

NumFieldState StateOf(const Cfg& c, bool chinese)
{
    NumFieldState st;
    st.nMin = c.min;
    st.nMax = c.max;
    st.dScale = c.scale;
    st.dOffset = c.offset;
    st.strUnit = c.unit;
    st.bChinese = chinese;
    return st;
}

constexpr int KEEP = -99999;      // the reader stores nothing: the code stays
const char* const NO_TEXT = nullptr;  // the type has no formatter: the text stays

// A field of the configuration shows `code`; the user types `typed` and leaves the field.
struct Row {
    Cfg cfg;
    int code;
    const char* en;
    const char* cn;  // null: the same as en
    int shown;       // the code after formatting (types 26, 32, 33 and 38 clamp it)
    const char* typed;
    int commit;      // code stored by the committing reader (typed text pending)
    int silent;      // code stored by the silent reader
};

// The pages' configurations, and ranges of our choosing for the types no page selects.
const Cfg D0{0, 0, 960, 0, 0, "MS"}, D0E{0, 0, 960, 0, 0, ""}, D1{1, 0, 960, 0, 0, "CM"},
    D2{2, 0, 960, 0, 0, "INCH"}, T3{3, 0, 240, 0.1, 0, ""}, T4{4, 20, 20000, 0, 0, ""}, T5{5, 0, 206, 0, 0, ""},
    T6{6, 50, 5000, 0, 0, "ms"}, T7{7, 0, 295, 0.01, 0, ""}, T8{8, 20, 20000, 0, 0, ""},
    T9{9, 20, 19000, 0, 0, ""}, T10{10, 80, 320, 0.1, 20, ""}, T11{11, 0, 295, 0, 0, ""},
    T12{12, 0, 200, 0, 0, ""}, T13{13, 0, 100, 1, 0, ""}, T14{14, 0, 100, 0, 0, "s"}, T15{15, 0, 100, 0, 0, "x"},
    T16{16, 0, 20000, 0, 0, ""}, T17{17, 0, 100000, 0, 0, ""}, T18{18, 0, 100000, 0, 0, ""},
    T19{19, 0, 960, 0, 0, ""}, T20{20, 2, 30, 1, 1, "s"}, T21{21, 0, 100, 0, 0, "s"}, T22{22, 0, 50, 0, 0, ""},
    T23U{23, 0, 100, 1, 120, "dBu"}, T23D{23, 0, 66, 1, 60, ""}, T23F{23, 0, 600, 0.1, 60, ""},
    T24{24, 0, 420, 0.1, 30, ""}, T25{25, 0, 66, 1, 60, ""}, T26{26, 0, 120, 1, 120, ""}, T27{27, 0, 20, 1, 0, ""},
    T28{28, 20, 1000, 0, 0, ""}, T29{29, 5000, 20000, 0, 0, ""}, T30{30, 0, 420, 0.1, 30, ""},
    T31{31, 0, 200, 0, 0, ""}, T32{32, 0, 420, 0.1, 30, ""}, T33{33, 0, 100, 0, 0, ""}, T34{34, 0, 100, 0, 0, ""},
    T35{35, 0, 100, 0, 0, ""}, T36{36, 0, 100, 0, 0, ""}, T37{37, 0, 100, 0, 0, ""}, T38{38, 0, 120, 1, 120, "dB"},
    T39{39, 0, 100, 0, 0, ""}, T40{40, 1, 191, 0, 0, ""}, T41{41, 0, 100, 0, 0, ""};

const Row kRows[] = {
    // Delay in ms: one step 1/48 ms, the top code is 20 ms; typed text beyond 20 gives the top.
    {D0, 5, "0.104MS", "0.104毫秒", 5, "0.104", 5, 5},
    {D0, 480, "10.000MS", "10.000毫秒", 480, "25", 960, KEEP},
    {D0, 960, "20.000MS", "20.000毫秒", 960, "-1", 0, KEEP},
    {D0, 0, "0.000MS", "0.000毫秒", 0, "abc", 0, 0},
    {D0E, 960, "20.000", nullptr, 960, "20MS", 960, 960},
    {D0E, 480, "10.000", nullptr, 480, "nan", 0, KEEP},
    {T19, 480, "10.000", nullptr, 480, "40", 960, 960},
    // Delay as centimetres (346 m/s) and inches (346 m/s, 346.4 m/s at the top).
    {D1, 480, "346CM", "346厘米", 480, "346", 480, 480},
    {D1, 959, "691CM", "691厘米", 959, "800", 960, KEEP},
    {D1, 960, "692CM", "692厘米", 960, "-5", 0, KEEP},
    {D2, 48, "14INCH", "14英寸", 48, "272", 957, 957},
    {D2, 959, "272INCH", "272英寸", 959, "273", 960, KEEP},
    {D2, 960, "273INCH", "273英寸", 960, "-1", 0, KEEP},
    // Centred scale.
    {T3, 120, "0.0", nullptr, 120, "5", 170, 170},
    {T3, 0, "-12.0", nullptr, 0, "-20", 0, KEEP},
    {T3, 240, "12.0", nullptr, 240, "20", 240, KEEP},
    // Plain integer and frequencies: "OFF" is no frequency.
    {T4, 1000, "1000", nullptr, 1000, "50000", 20000, KEEP},
    {T4, 1000, "1000", nullptr, 1000, "OFF", KEEP, KEEP},
    {T4, 1000, "1000", nullptr, 1000, "5", 20, KEEP},
    {T8, 20, "20Hz", nullptr, 20, "", 20, KEEP},
    {T8, 20000, "20000Hz", nullptr, 20000, "440Hz", 440, 440},
    {T9, 19000, "20000Hz", nullptr, 19000, "30000", 19000, KEEP},
    {T9, 500, "500Hz", nullptr, 500, "19000", 19000, 19000},
    {T28, 20, "20Hz", nullptr, 20, "5", 20, KEEP},
    {T28, 1000, "1000Hz", nullptr, 1000, "500", 500, 500},
    {T28, 500, "500Hz", nullptr, 500, "2000", 1000, KEEP},
    {T29, 5000, "5000Hz", nullptr, 5000, "1", 5000, KEEP},
    {T29, 20000, "20000Hz", nullptr, 20000, "8000", 8000, 8000},
    // Attack time: 0.3 .. 0.9 ms in tenths, then whole ms.
    {T5, 0, "0.3ms", nullptr, 0, "0.9", 6, 6},
    {T5, 6, "0.9ms", nullptr, 6, "12", 18, 18},
    {T5, 7, "1ms", nullptr, 7, "300", 206, KEEP},
    {T5, 206, "200ms", nullptr, 206, "0.95", KEEP, KEEP},
    {T5, 206, "200ms", nullptr, 206, "0", 0, KEEP},
    // Integers with a unit, octaves, percentages, hundredths, tenths, doubled and capped values.
    {T6, 100, "100ms", nullptr, 100, "10", 50, 50},
    {T6, 5000, "5000ms", nullptr, 5000, "9999", 5000, 5000},
    {T7, 0, "0.05", nullptr, 0, "1.05", 100, 100},
    {T7, 295, "3.00", nullptr, 295, "9", 295, KEEP},
    {T7, 100, "1.05", nullptr, 100, "0", 0, KEEP},
    {T13, 40, "40%", nullptr, 40, "150", 100, KEEP},
    {T13, 40, "40%", nullptr, 40, "-3", 0, KEEP},
    {T14, 25, "0.25s", nullptr, 25, "2", 100, KEEP},
    {T14, 25, "0.25s", nullptr, 25, "0.5", 50, 50},
    {T15, 100, "100x", nullptr, 100, "7.9", 7, 7},
    {T15, 150, "100x", nullptr, 150, "-7", 0, KEEP},
    {T20, 10, "10s", nullptr, 10, "50", 30, KEEP},
    {T20, 10, "10s", nullptr, 10, "1", 2, KEEP},
    {T21, 15, "1.5s", nullptr, 15, "20", 100, KEEP},
    {T21, 15, "1.5s", nullptr, 15, "-1", 0, KEEP},
    {T22, 10, "20", nullptr, 10, "30", 15, 15},
    {T22, 60, "100", nullptr, 60, "500", 50, KEEP},
    {T27, 5, "5dB", nullptr, 5, "-3", 0, KEEP},
    {T27, 5, "5dB", nullptr, 5, "30", 20, KEEP},
    // Level and Q.
    {T10, 200, "0.0", nullptr, 200, "-3.5", 165, 165},
    {T10, 80, "-12.0", nullptr, 80, "15", 320, 320},
    {T10, 320, "12.0", nullptr, 320, "-40", 80, 80},
    {T11, 0, "28.85", nullptr, 0, "50", 0, KEEP},
    {T11, 295, "0.404", nullptr, 295, "0.1", 295, KEEP},
    {T11, 100, "1.344", nullptr, 100, "nan", 0, KEEP},
    // Temperature, fine delays.
    {T12, 75, "25C(77F)", nullptr, 75, "30", KEEP, KEEP},
    {T12, 0, "-50C(-57F)", nullptr, 0, "", KEEP, KEEP},
    {T12, 200, "150C(302F)", nullptr, 200, "", KEEP, KEEP},
    {T16, 0, "0.0000", nullptr, 0, "10", 476, 476},
    {T16, 9615, "99.9960", nullptr, 9615, "9000", 20000, KEEP},
    {T16, 9616, "100.000", nullptr, 9616, "-1", 0, KEEP},
    {T16, 9617, "100.021", nullptr, 9617, "", 0, 0},
    {T17, 1000, "727.440", nullptr, 1000, "727.44", 1000, 1000},
    {T17, 1000, "727.440", nullptr, 1000, "-2", 0, KEEP},
    {T18, 1000, "23.866", nullptr, 1000, "23.866", 1000, 1000},
    {T18, 1000, "23.866", nullptr, 1000, "99999", 100000, KEEP},
    // Levels with an "OFF" end, whatever the language of the text typed.
    {T23U, 0, "OFF", "关闭", 0, "-50", 70, 70},
    {T23U, 100, "-20dBu", nullptr, 100, "OFF", 0, 0},
    {T23U, 100, "-20dBu", nullptr, 100, "关闭", 0, 0},
    {T23U, 50, "-70dBu", nullptr, 50, "0", 100, 100},
    {T23D, 66, "6.0dB", nullptr, 66, "-80", 0, 0},
    {T23D, 1, "-59.0dB", nullptr, 1, "-59", 1, 1},
    {T23F, 600, "0.0dB", nullptr, 600, "-3.5", 565, 565},
    {T24, 300, "0.0dBu", nullptr, 300, "OFF", 420, 420},
    {T24, 0, "-30.0dBu", nullptr, 0, "-99", 0, 0},
    {T25, 0, "OFF", "关闭", 0, "3", 63, 63},
    {T25, 66, "6dB", nullptr, 66, "OFF", 0, 0},
    {T26, 120, "0dBu", nullptr, 120, "5", 120, 120},
    {T26, 130, "0dBu", nullptr, 120, "-130", 0, 0},
    {T26, -5, "-120dBu", nullptr, 0, "OFF", 120, 120},
    {T30, 420, "OFF", "关闭", 420, "-10", 200, 200},
    {T30, 0, "-30.0dBu", nullptr, 0, "OFF", 420, 420},
    {T38, 0, "120dB", nullptr, 0, "-10", 120, 120},
    {T38, 120, "0dB", nullptr, 120, "30", 90, 90},
    {T38, 130, "0dB", nullptr, 120, "500", 0, 0},
    // Balance, voltage, 0..100, ratio.
    {T31, 90, "R_10%", nullptr, 90, "50", KEEP, KEEP},
    {T31, 100, "OFF", "OFF", 100, "", KEEP, KEEP},
    {T31, 150, "L_50%", nullptr, 150, "", KEEP, KEEP},
    {T31, 250, "", nullptr, 250, "", KEEP, KEEP},
    {T32, 300, "2.200Vpp", nullptr, 300, "2.2", 300, KEEP},
    {T32, 0, "0.070Vpp", nullptr, 0, "100", 420, KEEP},
    {T32, 420, "OFF", "关闭", 420, "0", 0, KEEP},
    {T32, 500, "OFF", "关闭", 420, "-1", 0, KEEP},
    {T32, 300, "2.200Vpp", nullptr, 300, "volts", 0, KEEP},
    {T32, 300, "2.200Vpp", nullptr, 300, "OFF", 420, KEEP},
    {T32, 300, "2.200Vpp", nullptr, 300, "关闭", 420, KEEP},
    {T32, 300, "2.200Vpp", nullptr, 300, "nan", 0, KEEP},
    {T33, 150, "100", nullptr, 100, "-5", 0, 0},
    {T33, 50, "50", nullptr, 50, "101", 100, 100},
    {T40, 1, "1:1", nullptr, 1, "3", KEEP, KEEP},
    {T40, 2, "1.1:1", nullptr, 2, "", KEEP, KEEP},
    {T40, 11, "2.0:1", nullptr, 11, "", KEEP, KEEP},
    {T40, 191, "20.0:1", nullptr, 191, "", KEEP, KEEP},
    // No formatter, no reader.
    {T34, 5, NO_TEXT, nullptr, 5, "7", KEEP, KEEP},
    {T35, 5, NO_TEXT, nullptr, 5, "7", KEEP, KEEP},
    {T36, 5, NO_TEXT, nullptr, 5, "7", KEEP, KEEP},
    {T37, 5, NO_TEXT, nullptr, 5, "7", KEEP, KEEP},
    {T39, 5, NO_TEXT, nullptr, 5, "7", KEEP, KEEP},
    {T41, 5, NO_TEXT, nullptr, 5, "7", KEEP, KEEP},
};

std::string Where(const Row& r, const char* what)
{
    return "type " + std::to_string(r.cfg.type) + " code " + std::to_string(r.code) + " typed \"" + r.typed +
           "\": " + what;
}

}  // namespace

TEST(NumDisplayTypes, EveryTypeFormatsAndReadsBackInBothLanguages)
{
    bool seen[NUMTYPE_LAST + 2] = {};
    for (const Row& r : kRows) {
        seen[r.cfg.type] = true;
        for (int lang = 0; lang < 2; ++lang) {
            const NumFieldState st = StateOf(r.cfg, lang == 1);
            int v = r.code;
            CString text = "unchanged";
            const bool formats = FormatNumText(r.cfg.type, v, st, text);
            if (!r.en) {
                EXPECT_FALSE(formats) << Where(r, "has no formatter");
            } else {
                EXPECT_TRUE(formats) << Where(r, "formats");
                EXPECT_EQ(text, lang && r.cn ? r.cn : r.en) << Where(r, lang ? "Chinese text" : "English text");
            }
            EXPECT_EQ(v, r.shown) << Where(r, "code after formatting");

            const NumCommit c = CommitNumText(r.cfg.type, r.typed, r.shown, true, st);
            EXPECT_EQ(c.bStore, r.commit != KEEP) << Where(r, "committing reader stores");
            if (r.commit != KEEP) {
                EXPECT_EQ(c.nValue, r.commit) << Where(r, "committed code");
            }
            int silent = r.shown;
            const bool stored = ParseNumText(r.cfg.type, r.typed, st, silent);
            EXPECT_EQ(stored, r.silent != KEEP) << Where(r, "silent reader stores");
            if (r.silent != KEEP) {
                EXPECT_EQ(silent, r.silent) << Where(r, "silent code");
            }
        }
    }
    for (int t = 0; t <= NUMTYPE_LAST + 1; ++t)
        EXPECT_TRUE(seen[t]) << "type " << t << " has no row";
}

// Whatever is typed, a stored code lies in the field's range (type 33: 0..100) and never comes
// from an undefined conversion of NaN or infinity.
TEST(NumDisplayTypes, StoredCodesStayInTheRangeForAnyText)
{
    const char* const texts[] = {"", "abc", "nan", "-nan", "inf", "-inf", "1e308", "-1e308", "0", "-0.0001",
                                 "99999999999999999999", "OFF", "关闭", "  12.5dB", "0x10", "1e-400"};
    const Cfg cfgs[] = {D0, D1, D2, T3, T4, T5, T6, T7, T8, T9, T10, T11, T13, T14, T15, T16, T17, T18, T19,
                        T20, T21, T22, T23U, T23F, T24, T25, T26, T27, T28, T29, T30, T32, T33, T38};
    for (const Cfg& cfg : cfgs) {
        const NumFieldState st = StateOf(cfg, false);
        const int lo = cfg.type == 33 ? 0 : cfg.min;
        const int hi = cfg.type == 33 ? 100 : cfg.max;
        for (const char* t : texts) {
            const NumCommit c = CommitNumText(cfg.type, t, cfg.min, true, st);
            if (c.bStore) {
                EXPECT_GE(c.nValue, lo) << "type " << cfg.type << " \"" << t << "\"";
                EXPECT_LE(c.nValue, hi) << "type " << cfg.type << " \"" << t << "\"";
            }
            int v = cfg.min;
            if (ParseNumText(cfg.type, t, st, v)) {
                EXPECT_GE(v, lo) << "type " << cfg.type << " \"" << t << "\"";
                EXPECT_LE(v, hi) << "type " << cfg.type << " \"" << t << "\"";
            }
        }
    }
}

// Text that cannot be converted stores the lowest code: a voltage that is not positive, text
// that is no number, NaN; a scale of 0 (a field configured before its scale) converts nothing
// to a division by zero.
TEST(NumDisplayTypes, UnconvertibleTextStoresTheLowestCode)
{
    const struct {
        Cfg cfg;
        const char* typed;
    } cases[] = {
        // Ranges that do not start at 0, so that a NaN converted to 0 would not pass for the lowest.
        {Cfg{32, 10, 420, 0.1, 30, ""}, "0"}, {Cfg{32, 10, 420, 0.1, 30, ""}, "-2.2"},
        {Cfg{32, 10, 420, 0.1, 30, ""}, "no"}, {Cfg{32, 10, 420, 0.1, 30, ""}, "nan"}, {T10, "nan"},
        {Cfg{23, 5, 100, 1, 120, "dBu"}, "-nan"}, {Cfg{1, 10, 960, 0, 0, ""}, "nan"},
        {Cfg{2, 10, 960, 0, 0, ""}, "nan"}, {Cfg{0, 10, 960, 0, 0, ""}, "nan"}, {Cfg{16, 10, 9000, 0, 0, ""}, "nan"},
        {Cfg{17, 10, 9000, 0, 0, ""}, "nan"}, {Cfg{11, 10, 295, 0, 0, ""}, "nan"}, {Cfg{5, 10, 206, 0, 0, ""}, "nan"},
        {Cfg{3, 10, 240, 0, 0, ""}, "5"}, {Cfg{13, 10, 100, 0, 0, ""}, "5"}, {Cfg{20, 10, 30, 0, 0, ""}, "5"},
        {Cfg{7, 10, 295, 0, 0, ""}, "1"}, {Cfg{10, 10, 320, 0, 20, ""}, "1"}, {Cfg{38, 10, 120, 0, 120, ""}, "1"},
    };
    for (const auto& c : cases) {
        const NumFieldState st = StateOf(c.cfg, false);
        const NumCommit r = CommitNumText(c.cfg.type, c.typed, c.cfg.max, true, st);
        EXPECT_TRUE(r.bStore) << "type " << c.cfg.type << " \"" << c.typed << "\"";
        EXPECT_EQ(r.nValue, c.cfg.min) << "type " << c.cfg.type << " \"" << c.typed << "\"";
    }
}

// Without typed text most types store nothing; frequencies (4, 8, 9) and bands (28, 29) still
// bring the number into the range but neither reformat nor notify.
TEST(NumDisplayTypes, CommitWithoutTypingStoresOnlyForFrequenciesAndBands)
{
    const Cfg stores[] = {T4, T8, T9, T28, T29};
    for (const Cfg& cfg : stores) {
        const NumCommit c = CommitNumText(cfg.type, "7", cfg.max, false, StateOf(cfg, false));
        EXPECT_TRUE(c.bStore) << cfg.type;
        EXPECT_EQ(c.nValue, cfg.min) << cfg.type;
        EXPECT_FALSE(c.bNotify) << cfg.type;
        EXPECT_TRUE(CommitNumText(cfg.type, "7", cfg.max, true, StateOf(cfg, false)).bNotify) << cfg.type;
    }
    const Cfg quiet[] = {D0, D1, D2, T3, T5, T6, T7, T10, T11, T13, T14, T16, T17, T18, T19, T22, T23U, T24, T30,
                         T32, T33, T38};
    for (const Cfg& cfg : quiet) {
        const NumCommit c = CommitNumText(cfg.type, "7", cfg.min, false, StateOf(cfg, false));
        EXPECT_FALSE(c.bStore) << cfg.type;
        EXPECT_FALSE(c.bNotify) << cfg.type;
    }
    // Type 5 between 0.9 and 1 ms keeps the code but still reformats and notifies.
    const NumCommit between = CommitNumText(5, "0.95", 9, true, StateOf(T5, false));
    EXPECT_FALSE(between.bStore);
    EXPECT_TRUE(between.bNotify);
}
