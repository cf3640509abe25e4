#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/string_utils.h"

namespace {

TEST(Strings, SplitTrimsSpacesAndDropsEmptyPieces) {
    const struct {
        const char* text;
        char delimiter;
        std::vector<std::string> pieces;
    } cases[] = {
        {" a , b,,c ", ',', {"a", "b", "c"}},
        {"a", ',', {"a"}},
        {"a;b", ',', {"a;b"}},
        {"  ,   , ", ',', {}},
        {"", ',', {}},
        {nullptr, ',', {}},
        {"\tx ; y\t", ';', {"\tx", "y\t"}},
        {"one two  three", ' ', {"one", "two", "three"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> pieces{"stale"};
        EXPECT_EQ(SplitString(c.text, c.delimiter, pieces), static_cast<int>(c.pieces.size()))
            << (c.text ? c.text : "null");
        EXPECT_EQ(pieces, c.pieces) << (c.text ? c.text : "null");
    }
}

TEST(Strings, TrimSpacesWorksInPlace) {
    const struct {
        const char* text;
        size_t offset;
        const char* result;
    } cases[] = {{"  x  ", 2, "x"}, {"x", 0, "x"},       {"   ", 0, ""},
                 {"", 0, ""},       {" a b ", 1, "a b"}, {"\tx\t", 0, "\tx\t"}};
    for (const auto& c : cases) {
        std::vector<char> buffer(c.text, c.text + std::strlen(c.text) + 1);
        char* trimmed = TrimSpaces(buffer.data());
        EXPECT_EQ(trimmed, buffer.data() + c.offset) << '"' << c.text << '"';
        EXPECT_STREQ(trimmed, c.result);
    }
    EXPECT_EQ(TrimSpaces(nullptr), nullptr);
}

TEST(Strings, EqualityIsBytewise) {
    EXPECT_TRUE(StringsEqual("abc", "abc"));
    EXPECT_FALSE(StringsEqual("abc", "abC"));
    EXPECT_FALSE(StringsEqual("abc", "ab"));
    EXPECT_TRUE(StringsEqual(nullptr, nullptr));
    EXPECT_FALSE(StringsEqual("", nullptr));
}

TEST(Strings, CaseConversionLeavesOtherBytesAlone) {
    EXPECT_EQ(ToLower("ABC xyz 09 \xC3\x80\xD0\x98\xFF Z"), "abc xyz 09 \xC3\x80\xD0\x98\xFF z");
    EXPECT_EQ(ToUpperWide(L"abc straße ёж äÿ ĳ σς ω 1_€"), L"ABC STRAßE ЁЖ ÄŸ Ĳ ΣΣ Ω 1_€");
    EXPECT_EQ(ToLowerWide(L"ABC ЁЖ ÄŸ Ĳ ΣΩ ×_€"), L"abc ёж äÿ ĳ σω ×_€");
}

TEST(Strings, FormatReturnsTheWholeResultAroundTheBufferSize) {
    for (size_t length : {0u, 1u, 159u, 160u, 161u, 200u, 320u, 5000u}) {
        std::string text(length, 'q');
        if (length > 0) {
            text.back() = 'z';
        }
        EXPECT_EQ(FormatString("%s", text.c_str()), text) << length;
        EXPECT_EQ(FormatString("<%s>%d", text.c_str(), 42), "<" + text + ">42") << length;
    }
    EXPECT_EQ(FormatString("%.2f|%5s|%x", 2.5, "ab", 255u), "2.50|   ab|ff");
}

TEST(Strings, Utf8RoundTripsNonAsciiText) {
    const std::wstring wide = L"Привет, мир — ñ €, 😀 日本";
    const std::string utf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80 \xE2\x80\x94 "
                             "\xC3\xB1 \xE2\x82\xAC, \xF0\x9F\x98\x80 \xE6\x97\xA5\xE6\x9C\xAC";
    EXPECT_EQ(ToUtf8(wide), utf8);
    EXPECT_EQ(FromUtf8(utf8), wide);
    EXPECT_EQ(ToMultiByte(wide), utf8);
    EXPECT_EQ(FromUtf8(ToUtf8(L"")), L"");
}

TEST(Strings, BrokenUtf8DecodesToReplacementCharacters) {
    const struct {
        std::string bytes;
        std::wstring wide;
    } cases[] = {
        {"a\xFF"
         "b",
         L"a\xFFFD"
         L"b"},
        {"\xC3", L"\xFFFD"},
        {"a\xE2\x82", L"a\xFFFD\xFFFD"},
        {"\xC0\xAF", L"\xFFFD\xFFFD"},
        {"\xE0\x80\xAF", L"\xFFFD"},
        {"\xED\xA0\x80x", L"\xFFFDx"},
        {"\xF4\x90\x80\x80", L"\xFFFD"},
        {"\xC3(", L"\xFFFD("},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromUtf8(c.bytes), c.wide) << testing::PrintToString(c.bytes);
    }
    EXPECT_EQ(ToUtf8(std::wstring{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), L'x'}),
              "\xEF\xBF\xBD\xEF\xBF\xBDx");
}

TEST(Strings, WidenBytesZeroExtendsEachByte) {
    EXPECT_EQ(WidenBytes("A\xC3\xA9\xFF"), (std::wstring{L'A', wchar_t(0xC3), wchar_t(0xA9), wchar_t(0xFF)}));
    EXPECT_EQ(WidenBytes(std::string("a\0b", 3)), (std::wstring{L'a', L'\0', L'b'}));
}

TEST(Strings, PathPieces) {
    const struct {
        const char* path;
        const char* directory;
        const char* directoryWithSeparator;
        const char* baseName;
    } cases[] = {
        {"levels/l1.xml", "levels", "levels/", "l1"},
        {"l1.xml", "", "", "l1"},
        {"a\\b", "a", "a\\", "b"},
        {"file", "", "", "file"},
        {"a/b\\c.png", "a/b", "a/b\\", "c"},
        {"dir.v2/file", "dir.v2", "dir.v2/", "file"},
        {"a/b.c.d", "a", "a/", "b.c"},
        {"/x.png", "", "/", "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetDirectory(c.path, false), c.directory) << c.path;
        EXPECT_EQ(GetDirectory(c.path, true), c.directoryWithSeparator) << c.path;
        EXPECT_EQ(GetBaseName(c.path), c.baseName) << c.path;
    }
}

TEST(Strings, CombinePathResolvesAgainstTheBase) {
    const struct {
        const char* relative;
        const char* base;
        const char* result;
    } cases[] = {
        {"../img/x.png", "fonts/", "img/x.png"},
        {"./x.png", "fonts", "fonts/x.png"},
        {"C:/x.png", "fonts/", "C:/x.png"},
        {"x.png", "", "x.png"},
        {"sub/./x.png", "f/", "f/sub/x.png"},
        {"../../x", "a/b/c/", "a/x"},
        {"../../x", "a/b/", "x"},
        {"../x", "../", "../../x"},
        {"/abs/x", "fonts/", "/abs/x"},
        {"x", "D:\\data", "D:\\data\\x"},
        {"sub/x.png", "fonts\\", "fonts\\sub\\x.png"},
        {"a\\b.png", "fonts/ui", "fonts\\ui\\a\\b.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CombinePath(c.relative, c.base), c.result) << c.relative << " against " << c.base;
    }
}

TEST(Strings, WideIntegers) {
    const struct {
        const wchar_t* text;
        bool ok;
        int value;
    } cases[] = {
        {L"0x1F", true, 31}, {L"0XfF", true, 255}, {L"-12", true, -12}, {L"007", true, 7},
        {L"1x2", false, 0},  {L"-0x10", false, 0}, {L"", false, 0},     {L"-", false, 0},
        {L"0x", false, 0},   {L"12 ", false, 0},   {L"0x1G", false, 0}, {L"+3", false, 0},
    };
    for (const auto& c : cases) {
        int value = 99;
        EXPECT_EQ(ParseWideInt(c.text, value), c.ok) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(value, c.value) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(Strings, WideFloats) {
    const std::wstring longFraction = L"0." + std::wstring(400, L'0') + L"1";
    const struct {
        std::wstring text;
        bool ok;
        float value;
    } cases[] = {
        {L"2.25", true, 2.25f}, {L"-0.5", true, -0.5f},     {L".5", true, 0.5f},     {L"3.", true, 3.0f},
        {L"10", true, 10.0f},   {longFraction, true, 0.0f}, {L"1e3", false, 0.0f},   {L"", false, 0.0f},
        {L"-", false, 0.0f},    {L".", false, 0.0f},        {L"1.2.3", false, 0.0f}, {L"1,5", false, 0.0f},
    };
    for (const auto& c : cases) {
        float value = 99.0f;
        EXPECT_EQ(ParseWideFloat(c.text, value), c.ok) << testing::PrintToString(c.text.substr(0, 12));
        EXPECT_FLOAT_EQ(value, c.value) << testing::PrintToString(c.text.substr(0, 12));
    }
}

} // namespace
