// Every input that ever made a reader fail (regressions/<reader>/) and the fuzzers' seeds (hostile
// hand-made inputs among them) through the fuzz targets' checks: a broken promise aborts the test.
#include "FuzzTargets.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

TEST(FuzzReplay, EveryKeptInputPassesItsReader) {
    namespace fs = std::filesystem;
    int replayed = 0;
    for (const nvfuzz::Target& target : nvfuzz::kTargets)
        for (const char* kind : {"regressions", "seeds"}) {
            const fs::path dir = fs::path(NV_FUZZ_DIR) / kind / std::string(target.name);
            if (!fs::is_directory(dir)) continue;
            for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
                std::ifstream in(e.path(), std::ios::binary);
                const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
                SCOPED_TRACE(e.path().string());
                target.run(bytes.data(), bytes.size());
                ++replayed;
            }
        }
    EXPECT_GT(replayed, 0) << "no seeds found under " << NV_FUZZ_DIR;
}
