#pragma once
// A temporary data root for the game's readers: the test writes the files it needs under its "assets/".

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_config.h"
#include "harness/harness.h"

class GameDataTest : public testing::Test {
protected:
    void SetUp() override { SetWorkingFolderToExe(); }

    void WriteData(const std::string& name, const std::string& text) {
        ASSERT_TRUE(harness::WriteFile(mFolder + "/assets/" + name, text));
    }

    // Log lines that contain the text.
    static int CountLogLines(const std::string& text) {
        int count = 0;
        for (const std::string& line : harness::LogLines()) {
            count += line.find(text) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    std::string mFolder = harness::MakeTempFolder();
    harness::ScopedDataRoot mRoot{mFolder};
};
