// Fuzzes the one-scene file loader: any bytes as a file the user opens. Seeds: the file the
// document writes from the model's start values, cut, lengthened, re-tagged and foreign ones.
#include "PresetFuzz.h"

namespace {

// The live image alone, so the address checker sees the end of what the loader may write.
struct LiveImage {
    SceneImage bytes;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    presetfuzz::WriteSeedsIfAsked("scene", &presetfuzz::DefaultFiles::scene);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    presetfuzz::CheckLoader<LiveImage>(
        data, size, [](const presetfuzz::Bytes& f, LiveImage& o) { return ParseSceneFile(f, o.bytes); },
        [](const LiveImage& o) { return BuildSceneFile(o.bytes); }, [](const LiveImage&) {});
    return 0;
}
