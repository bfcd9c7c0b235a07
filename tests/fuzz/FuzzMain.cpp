// A libFuzzer program for one reader (NV_FUZZ_TARGET names its function in FuzzTargets.h).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    nvfuzz::NV_FUZZ_TARGET(data, size);
    return 0;
}
