// What the preset-file fuzz programs share: the seeds (the four files as the document writes
// them from the model's start values, then cut, lengthened, re-tagged and foreign variants of
// them) and the loaders' promise, checked on every input:
//   - a file that fails any check leaves every byte of the output as it was;
//   - a file that passes is exactly the file its content builds again. Every field is stored
//     raw at a fixed place, so a loader that takes a file can neither lose nor alter a byte.
#pragma once

#include "FuzzSeeds.h"

#include "CKTV_Data.h"
#include "PresetFile.h"
#include "SceneImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace presetfuzz {

using Bytes = std::vector<BYTE>;

inline void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// The four files the document writes from the model's start values.
struct DefaultFiles {
    Bytes scene, all, map, mode;
};

inline DefaultFiles MakeDefaultFiles()
{
    InitAllData();
    CKTV_Data model;
    model.PackAll();

    DefaultFiles f;
    f.scene = BuildSceneFile(g_Scene);

    auto all = std::make_unique<AllScenesContent>();
    for (int s = 0; s < STORED_SCENES; ++s)
        std::memcpy(all->stored[s], g_StoredScenes[s], SCENE_IMAGE_SIZE);
    std::memcpy(all->live, g_Scene, SCENE_IMAGE_SIZE);
    all->sys = TakePresetSystemFields();
    f.all = BuildAllScenesFile(*all);

    MapContent map;
    std::memcpy(map.bySpeakerType, g_bySysSpeakerType, sizeof map.bySpeakerType);
    model.CollectMapData();
    for (int i = 0; i < MAP_OUTPUTS; ++i)
        map.entry[i] = MapEntryFromRecord(g_MapData[i]);
    f.map = BuildMapFile(map);

    ModeContent mode;
    mode.byModeIndex = g_byModeIndex < MODE_ROWS ? g_byModeIndex : 0;
    for (int i = 0; i < MODE_ROW_VALUES; ++i)
        mode.wRow[i] = g_wModeTable[mode.byModeIndex * MODE_ROW_VALUES + i];
    f.mode = BuildModeFile(mode);
    return f;
}

// The file itself, then the variants every loader must refuse: one byte short, one byte
// long, the tag's length byte off by one, the tag's first letter in the other case, its last
// letter changed, nothing at all; then the other kinds of file whole, and the own file's tag
// on another file's body.
inline std::vector<Bytes> Variants(const Bytes& own, const DefaultFiles& all)
{
    std::vector<Bytes> out{own};
    Bytes cut(own.begin(), own.end() - 1);
    out.push_back(cut);
    Bytes longer = own;
    longer.push_back(0);
    out.push_back(longer);
    Bytes length = own;
    length[0] = BYTE(length[0] + 1);
    out.push_back(length);
    Bytes upper = own;
    upper[1] = BYTE(upper[1] ^ 0x20);
    out.push_back(upper);
    Bytes last = own;
    last[own[0]] = BYTE(last[own[0]] + 1);
    out.push_back(last);
    out.push_back(Bytes{});
    for (const Bytes* foreign : {&all.scene, &all.all, &all.map, &all.mode}) {
        if (*foreign == own)
            continue;
        out.push_back(*foreign);
        Bytes retagged(own.begin(), own.begin() + 1 + own[0]);
        retagged.insert(retagged.end(), foreign->begin() + 1 + (*foreign)[0], foreign->end());
        out.push_back(retagged);
    }
    return out;
}

// With ORVANE_FUZZ_WRITE_SEEDS set: the variants of one of the default files, then the
// program's own extra seeds, are written as the seeds and the program ends.
inline void WriteSeedsIfAsked(const char* prefix, Bytes DefaultFiles::*own, std::vector<Bytes> extra = {})
{
    fuzzseeds::WriteIfAsked(prefix, [&] {
        const DefaultFiles files = MakeDefaultFiles();
        std::vector<Bytes> seeds = Variants(files.*own, files);
        seeds.insert(seeds.end(), extra.begin(), extra.end());
        return seeds;
    });
}

inline void Fill(void* p, size_t n)
{
    BYTE* b = static_cast<BYTE*>(p);
    for (size_t i = 0; i < n; ++i)
        b[i] = BYTE(0xA5 ^ (i * 13));
}

inline bool Untouched(const void* p, size_t n)
{
    const BYTE* b = static_cast<const BYTE*>(p);
    for (size_t i = 0; i < n; ++i)
        if (b[i] != BYTE(0xA5 ^ (i * 13)))
            return false;
    return true;
}

// One input through one loader. The output lives on the heap at its exact size, filled with a
// known pattern, so a write past it is caught by the address checker and a write into it by
// the comparison. `taken` checks what a taken file must also hold beyond the rebuild.
template <typename Out, typename Parse, typename Build, typename Taken>
void CheckLoader(const uint8_t* data, size_t size, Parse parse, Build build, Taken taken)
{
    static_assert(std::is_trivially_copyable<Out>::value, "the output is compared byte for byte");
    const Bytes file(data, data + size);
    auto out = std::make_unique<Out>();
    Fill(out.get(), sizeof(Out));
    if (!parse(file, *out)) {
        Check(Untouched(out.get(), sizeof(Out)));
        return;
    }
    Check(build(*out) == file);
    taken(*out);
}

}  // namespace presetfuzz
