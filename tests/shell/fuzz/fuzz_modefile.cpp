// Fuzzes the mode file loader: any bytes as a file the user opens. Seeds: the file the
// document writes from the model's start values, the same with the last row and with rows
// the table lacks, and cut, lengthened, re-tagged and foreign ones.
#include "PresetFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::vector<presetfuzz::Bytes> rows;
    ModeContent mode;
    for (int i = 0; i < MODE_ROW_VALUES; ++i)
        mode.wRow[i] = WORD(1000 * i + 7);
    for (BYTE index : {BYTE(MODE_ROWS - 1), BYTE(MODE_ROWS), BYTE(0xFF)}) {
        mode.byModeIndex = index;
        rows.push_back(BuildModeFile(mode));
    }
    presetfuzz::WriteSeedsIfAsked("mode", &presetfuzz::DefaultFiles::mode, rows);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    presetfuzz::CheckLoader<ModeContent>(data, size, ParseModeFile, BuildModeFile, [](const ModeContent& m) {
        // The document writes the row into the table at this index.
        presetfuzz::Check(m.byModeIndex < MODE_ROWS);
    });
    return 0;
}
