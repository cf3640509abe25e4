// The committed regression inputs of the fuzz targets, replayed through the same targets under this
// tree's compiler and sanitizers. The tests tree builds only *_test.cpp files, so the targets are
// compiled into this test.
#include "../../fuzz/fuzz_targets.cpp"

#include <gtest/gtest.h>

#include "harness/harness.h"

namespace {

std::vector<std::string> TargetNames() {
    std::vector<std::string> names;
    for (const TFuzzTarget& target : GetFuzzTargets()) {
        names.push_back(target.name);
    }
    return names;
}

std::vector<std::filesystem::path> RegressionInputs(const std::string& target) {
    const std::filesystem::path folder =
        std::filesystem::path(VERDANEL_TEST_DATA_DIR) / ".." / ".." / "fuzz" / "regressions" / target;
    std::vector<std::filesystem::path> inputs;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        if (entry.is_regular_file()) {
            inputs.push_back(entry.path());
        }
    }
    return inputs;
}

class FuzzRegressions : public testing::TestWithParam<std::string> {};

// A crash, a sanitizer report or a failed property of the target ends the test process.
TEST_P(FuzzRegressions, EveryInputRunsCleanly) {
    const TFuzzTarget* target = FindFuzzTarget(GetParam());
    ASSERT_NE(target, nullptr);
    // Read before the environment makes its temporary data root the working folder.
    std::vector<std::string> inputs;
    for (const std::filesystem::path& path : RegressionInputs(GetParam())) {
        inputs.push_back(harness::ReadFile(path.string()));
    }
    TFuzzEnvironment environment;
    ASSERT_TRUE(environment.IsReady());
    for (const std::string& input : inputs) {
        RunFuzzTarget(*target, reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressions, testing::ValuesIn(TargetNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(FuzzRegressionInputs, AreFoundWhereTheFuzzTargetsLeaveThem) {
    size_t inputs = 0;
    for (const std::string& name : TargetNames()) {
        inputs += RegressionInputs(name).size();
    }
    EXPECT_GT(inputs, 0u);
}

} // namespace
