// Seed writing shared by the fuzz programs: with ORVANE_FUZZ_WRITE_SEEDS=<folder> set, a fuzz
// program writes its seed inputs there and ends before fuzzing.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzzseeds {

using Bytes = std::vector<unsigned char>;

// Writes every seed as <folder>/<prefix>-<n>; exits the program when the variable is set.
template <typename MakeSeeds>
void WriteIfAsked(const char* prefix, MakeSeeds make)
{
    const char* folder = std::getenv("ORVANE_FUZZ_WRITE_SEEDS");
    if (!folder || !*folder)
        return;
    const std::vector<Bytes> seeds = make();
    int n = 0;
    for (const Bytes& seed : seeds) {
        const std::string path = std::string(folder) + "/" + prefix + "-" + std::to_string(n++);
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(seed.data(), 1, seed.size(), f);
            std::fclose(f);
        } else {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
    }
    std::printf("%d seeds written to %s\n", n, folder);
    std::exit(0);
}

}  // namespace fuzzseeds
