// Fuzzes the output-map file loader: any bytes as a file the user opens. Seeds: the file the
// document writes from the model's start values, cut, lengthened, re-tagged and foreign ones.
#include "PresetFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    presetfuzz::WriteSeedsIfAsked("map", &presetfuzz::DefaultFiles::map);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    presetfuzz::CheckLoader<MapContent>(data, size, ParseMapFile, BuildMapFile, [](const MapContent&) {});
    return 0;
}
