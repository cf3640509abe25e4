#include <gtest/gtest.h>

#include <string>

#include "app/app_config.h"
#include "app/ini_file.h"
#include "harness/harness.h"

namespace {

std::string WithLineEnds(const std::string& text, const std::string& end) {
    std::string result;
    for (char c : text) {
        result += c == '\n' ? end : std::string(1, c);
    }
    return result;
}

IniFile_t Parsed(const std::string& text, bool clearFirst = true) {
    IniFile_t ini;
    ini.Parse(text.data(), text.size(), clearFirst);
    return ini;
}

const char* const kParticle = "; emitter settings\n"
                              "[Default]\n"
                              "nEmission=12\n"
                              "fLifetime = 1.5\t\n"
                              ";note\n"
                              ";second note\n"
                              "nCount=5\n"
                              "ImageFile =\t particles/spark.png \n"
                              "nCount=6\n"
                              "  Flag  \n"
                              "\n"
                              "Color=ff00\n"
                              "[Main] trailing text\n"
                              "Sprite = a.png\n"
                              "Empty=\n"
                              "Expr=a=b";

TEST(IniFile, SectionsKeysAndCommentsWithEitherLineEnd) {
    for (const char* end : {"\n", "\r\n"}) {
        SCOPED_TRACE(end[0] == '\r' ? "CR LF" : "LF");
        IniFile_t ini = Parsed(WithLineEnds(kParticle, end));
        ASSERT_EQ(ini.GetSections().size(), 2u);
        const IniSection_t* def = ini.FindSection("Default");
        const IniSection_t* main = ini.FindSection("Main");
        ASSERT_NE(def, nullptr);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(def->GetComment(), "; emitter settings\r\n");
        EXPECT_EQ(main->GetComment(), "");

        EXPECT_EQ(def->GetInt("nEmission", -1), 12);
        EXPECT_FLOAT_EQ(def->GetFloat("fLifetime", -1.0f), 1.5f);
        EXPECT_EQ(def->GetString("ImageFile", ""), "particles/spark.png");
        EXPECT_EQ(def->GetInt("nCount", -1), 6) << "a later line replaces the value";
        EXPECT_EQ(def->GetKeys().at("nCount").comment, ";note\r\n;second note\r\n");
        EXPECT_FALSE(def->HasKey(";note"));
        EXPECT_TRUE(def->HasKey("Flag"));
        EXPECT_EQ(def->GetString("Flag", "def"), "");
        EXPECT_EQ(def->GetHex("Color", 0), 65280u);
        EXPECT_EQ(def->GetKeys().size(), 6u);

        EXPECT_EQ(main->GetString("Sprite", ""), "a.png");
        EXPECT_EQ(main->GetString("Empty", "def"), "");
        EXPECT_EQ(main->GetString("Expr", ""), "a=b");
        EXPECT_EQ(IniValueText(main->Find("Sprite")), "a.png");
        EXPECT_TRUE(main->Find("sprite") == main->End());
        EXPECT_EQ(ini.FindSection("main"), nullptr) << "section names keep their case";
    }
}

TEST(IniFile, MissingKeysGiveTheDefault) {
    IniFile_t ini = Parsed("[S]\nx=abc\n");
    const IniSection_t& s = ini.GetSection("S");
    EXPECT_EQ(s.GetInt("missing", 7), 7);
    EXPECT_FLOAT_EQ(s.GetFloat("missing", 2.5f), 2.5f);
    EXPECT_EQ(s.GetHex("missing", 0xABu), 0xABu);
    std::string out = "stale";
    s.GetString("missing", "def", out);
    EXPECT_EQ(out, "def");
    // Present but not a number: what the C conversions make of it.
    EXPECT_EQ(s.GetInt("x", 7), 0);
    EXPECT_EQ(s.GetHex("x", 0), 0xABCu);
}

TEST(IniFile, LinesBeforeTheFirstSectionAreIgnored) {
    IniFile_t ini = Parsed("orphan=1\n;about S\nstray line\n[S]\nk=v\n");
    ASSERT_EQ(ini.GetSections().size(), 1u);
    EXPECT_EQ(ini.GetSection("S").GetKeys().size(), 1u);
    EXPECT_EQ(ini.GetSection("S").GetComment(), ";about S\r\n");
}

TEST(IniFile, LastLineNeedsNoLineEnd) {
    for (const char* text : {"[S]\nk=v", "[S]\nk=v\n", "[S]\r\nk=v\r\n", "[S]\r\nk=v"}) {
        IniFile_t ini = Parsed(text);
        EXPECT_EQ(ini.GetSection("S").GetString("k", ""), "v") << text;
    }
}

TEST(IniFile, BareCarriageReturnDoesNotEndALine) {
    IniFile_t ini = Parsed("[S]\nk=v\rj=w\n");
    EXPECT_EQ(ini.GetSection("S").GetString("k", ""), "v\rj=w");
    EXPECT_FALSE(ini.GetSection("S").HasKey("j"));
}

TEST(IniFile, ClearFirstDecidesWhetherOldSectionsStay) {
    IniFile_t ini = Parsed("[A]\na=1\n[B]\nb=1\n");
    ini.Parse("[A]\nc=2\n", 8, false);
    EXPECT_NE(ini.FindSection("B"), nullptr);
    EXPECT_EQ(ini.GetSection("A").GetInt("a", 0), 1);
    EXPECT_EQ(ini.GetSection("A").GetInt("c", 0), 2);
    ini.Parse("[C]\n", 4, true);
    EXPECT_EQ(ini.GetSections().size(), 1u);
    EXPECT_NE(ini.FindSection("C"), nullptr);
    // No bytes: nothing happens at all, not even the clearing.
    ini.Parse("", 0, true);
    EXPECT_NE(ini.FindSection("C"), nullptr);
}

TEST(IniFile, LoadReadsThroughThePathRules) {
    TAppConfig::Get()->CreateFolders();
    ASSERT_TRUE(harness::WriteFile(harness::TestDataHome() + "/Korvath Games/Verdanel/p.ini", "[Main]\r\nX=3\r\n"));
    IniFile_t ini;
    ini.Load("user:p.ini", true);
    EXPECT_EQ(ini.GetSection("Main").GetInt("X", 0), 3);
    ini.Load("user:missing.ini", true);
    EXPECT_NE(ini.FindSection("Main"), nullptr) << "a missing file leaves the object unchanged";
}

} // namespace
