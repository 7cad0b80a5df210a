// Fuzzes the firmware file loader: any bytes as an update file. A file is taken whole or
// refused whole; what is taken must hold the images the sender will cut into steps.
//
// The seeds are the files the tests build: a controller-only file, a DSP-only file, a full
// file, and files one byte too short or with a wrong tag.
#include "FuzzSeeds.h"

#include "FirmwareFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using Bytes = fuzzseeds::Bytes;

Bytes Tag(const char* t) { return Bytes(t, t + FW_TAG_SIZE); }

Bytes Pattern(size_t n, int seed)
{
    Bytes out(n);
    for (size_t k = 0; k < n; ++k)
        out[k] = static_cast<unsigned char>(k * 7 + size_t(seed));
    return out;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<Bytes> MakeSeeds()
{
    const Bytes dsp = Pattern(size_t(FW_DSP_IMAGE_SIZE) + 1, 3);
    const Bytes mcu = Pattern(4 + 100, 5);
    Bytes shortDsp = Join({Tag("WDSP"), dsp});
    shortDsp.pop_back();
    return {
        Join({Tag("WMCU"), mcu}),
        Join({Tag("WMCU"), Pattern(5, 1)}),
        Join({Tag("WMCU"), Pattern(4, 1)}),
        Join({Tag("WDSP"), dsp}),
        Join({Tag("WDSP"), dsp, Tag("WMCU"), mcu}),
        Join({Tag("WDSP"), dsp, Tag("WMCX"), mcu}),
        shortDsp,
        Join({Tag("WMCX"), mcu}),
    };
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzseeds::WriteIfAsked("fwfile", MakeSeeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFirmwareFile file;
    const CFirmwareFile::EResult result = file.Parse(std::vector<BYTE>(data, data + size));
    if (result != CFirmwareFile::EResult::Ok) {
        // Refused whole: nothing of it stays.
        Check(!file.HasDspImage() && !file.HasMcuImage());
        return 0;
    }
    Check(file.HasDspImage() || file.HasMcuImage());
    if (file.HasDspImage())
        Check(file.GetDspImage().size() == size_t(FW_DSP_IMAGE_SIZE));
    if (file.HasMcuImage()) {
        Check(file.GetMcuImage().size() > size_t(FW_MCU_START_SIZE));
        // The image is the file's tail, byte for byte.
        const size_t n = file.GetMcuImage().size();
        Check(n <= size);
        Check(std::memcmp(file.GetMcuImage().data(), data + size - n, n) == 0);
        BYTE check = FW_CHECK_SEED;
        for (size_t i = FW_MCU_START_SIZE; i < n; ++i)
            check ^= file.GetMcuImage()[i];
        Check(check == file.GetMcuCheck());
    }
    Check(file.GetProgressCount() >= 0);
    return 0;
}
