#pragma once
// A temporary data root for the game's readers: the test writes the files it needs under its "assets/".

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
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

    // assets/<name>: a PNG, or a JPG when the name ends in ".jpg", whose pixels are ARGB values.
    void WriteImage(const std::string& name, int w, int h, const std::function<uint32_t(int, int)>& argb) {
        ASSERT_TRUE(harness::WriteImageFile(mFolder + "/assets/" + name, w, h, argb)) << SDL_GetError();
    }

    void WriteSolidImage(const std::string& name, int w, int h, uint32_t argb) {
        WriteImage(name, w, h, [argb](int, int) { return argb; });
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
