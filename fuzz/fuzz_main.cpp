// The libFuzzer entry points of one target; the build names the target.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "fuzz_targets.h"

namespace {
const TFuzzTarget* gTarget = nullptr;
std::unique_ptr<TFuzzEnvironment> gEnvironment;

// Registered after every static object of the engine was made, so it runs before they are destroyed.
void EndEnvironment() {
    gEnvironment.reset();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    gTarget = FindFuzzTarget(VERDANEL_FUZZ_TARGET);
    gEnvironment = std::make_unique<TFuzzEnvironment>();
    std::atexit(EndEnvironment);
    if (gTarget == nullptr || !gEnvironment->IsReady()) {
        std::fprintf(stderr, "fuzz: target %s cannot start\n", VERDANEL_FUZZ_TARGET);
        std::exit(1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RunFuzzTarget(*gTarget, data, size);
    return 0;
}
