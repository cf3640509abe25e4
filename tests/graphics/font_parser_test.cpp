#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/string_utils.h"
#include "font_test_support.h"
#include "graphics/font_parser.h"

namespace {

// Records every statement as text. "Def name value" stores a Define (lists resolved); "Fail" fails.
class RecordingParser : public DescParserW {
public:
    RecordingParser() : DescParserW(kSemicolonEndsStatement) {}

    bool HandleCommand(const ListDataElement& statement) override {
        mStatements.push_back(ToUtf8(ElementToString(statement)));
        std::wstring word = ToUpperWide(static_cast<const SingleDataElementW&>(statement.At(0)).GetText());
        if (word == L"FAIL") {
            return Error(L"Failed here");
        }
        if (word == L"DEF" && statement.Size() == 3) {
            const std::wstring& name = static_cast<const SingleDataElementW&>(statement.At(1)).GetText();
            if (!statement.At(2).IsList()) {
                SetDefine(name, statement.At(2).Clone());
                return true;
            }
            auto list = std::make_unique<ListDataElement>();
            if (!Resolve(static_cast<const ListDataElement&>(statement.At(2)), *list)) {
                return false;
            }
            SetDefine(name, std::move(list));
        }
        return true;
    }

    std::string Joined() const {
        std::string text;
        for (const std::string& statement : mStatements) {
            text += (text.empty() ? "" : " | ") + statement;
        }
        return text;
    }

    // The parameter element of a statement "Probe <param>".
    const DataElement& Param(const std::wstring& source) {
        mProbe.Clear();
        size_t position = 0;
        EXPECT_TRUE(Tokenize(L"Probe " + source, mProbe, false, position)) << ToUtf8(source);
        return mProbe.At(1);
    }

private:
    std::vector<std::string> mStatements;
    ListDataElement mProbe;
};

std::string Nested(int depth) {
    return std::string(depth, '(') + "1" + std::string(depth, ')');
}

struct SourceCase {
    std::string name;
    std::string source;
    bool ok;
    std::string statements;
    std::string error;
};

TEST(FontParser, FilesBecomeStatementsOrErrors) {
    const SourceCase cases[] = {
        {"list parameters", "Cmd 1, (2 3);", true, "(Cmd, 1, (2, 3))", ""},
        {"nested lists", "Cmd (1 (2 (3)))", true, "(Cmd, (1, (2, (3))))", ""},
        {"empty statement", "A;;B", true, "(A) | (B)", ""},
        {"comment lines only", "# one\n   # two; Fail\n", true, "", ""},
        {"quoted blank", "Cmd 'A B' x", true, "(Cmd, 'A B', x)", ""},
        {"hash inside a line", "Cmd a#b;\n  # note; Fail\nNext", true, "(Cmd, a#b) | (Next)", ""},
        {"hash after semicolon", "A; # note\nB", true, "(A) | (B)", ""},
        {"line feed separates", "A\r\n   1\n2;", true, "(A, 1, 2)", ""},
        {"semicolon in quotes", "Cmd 'a;b' \"c;d\"", true, "(Cmd, 'a;b', \"c;d\")", ""},
        {"escaped quote", "Cmd 'it\\'s' x", true, "(Cmd, 'it's', x)", ""},
        {"other quote inside", "Cmd \"it's\" 'say \"hi\"'", true, "(Cmd, \"it's\", 'say \"hi\"')", ""},
        {"64 levels", "Cmd " + Nested(64), true, "(Cmd, " + Nested(64) + ")", ""},
        {"token before list", "Cmd x(1)", false, "", "Unexpected List Start"},
        {"list never closed", "Cmd (1 (2)", false, "", "Unterminated List"},
        {"list end alone", "Cmd 1)", false, "", "Unexpected List End"},
        {"single quote open", "Cmd 'abc", false, "", "Unterminated Single Quotes"},
        {"double quote open", "Cmd \"abc", false, "", "Unterminated Double Quotes"},
        {"list first", "(1) Cmd", false, "", "Missing Command"},
        {"65 levels", "Cmd " + Nested(65), false, "", "List Nesting Too Deep"},
        {"failure stops the file", "A; Fail 1; B", false, "(A) | (Fail, 1)", "Failed here"},
    };
    fonttest::FontAssets assets;
    for (const SourceCase& c : cases) {
        assets.Write("desc.txt", c.source);
        RecordingParser parser;
        EXPECT_EQ(parser.ReadFile("desc.txt"), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(parser.Joined(), c.statements) << c.name;
        } else {
            EXPECT_EQ(ToUtf8(parser.GetLastError()), c.error) << c.name;
            if (!c.statements.empty()) {
                EXPECT_EQ(parser.Joined(), c.statements) << c.name;
            }
        }
    }
}

TEST(FontParser, EncodingsFollowTheByteOrderMark) {
    const std::wstring text = L"Cmd '\x416\xE9' x";
    struct Case {
        std::string name;
        std::string bytes;
        std::wstring expected;
    };
    const Case cases[] = {
        {"little-endian", fonttest::EncodeUtf16(text, true), L"(Cmd, '\x416\xE9', x)"},
        {"big-endian", fonttest::EncodeUtf16(text, false), L"(Cmd, '\x416\xE9', x)"},
        // No mark: every byte is one character, UTF-8 sequences included.
        {"8-bit", "Cmd '\xE9\xD0\x96' x", L"(Cmd, '\xE9\xD0\x96', x)"},
        {"end mark ends a statement",
         fonttest::EncodeUtf16(L"A 1\xFFFF"
                               L"B 2",
                               true),
         L"(A, 1) | (B, 2)"},
        {"odd trailing byte", fonttest::EncodeUtf16(L"A 1", true) + "\x42", L"(A, 1)"},
    };
    fonttest::FontAssets assets;
    for (const Case& c : cases) {
        assets.Write("desc.txt", c.bytes);
        RecordingParser parser;
        EXPECT_TRUE(parser.ReadFile("desc.txt")) << c.name;
        EXPECT_EQ(parser.Joined(), ToUtf8(c.expected)) << c.name;
    }
}

TEST(FontParser, MissingFileIsLoggedNotReported) {
    fonttest::FontAssets assets;
    RecordingParser parser;
    EXPECT_FALSE(parser.ReadFile("fonts/none.txt"));
    EXPECT_TRUE(parser.GetLastError().empty());
    EXPECT_TRUE(harness::LogContains("error load font file fonts/none.txt"));
}

TEST(FontParser, DefinesResolveByNameIgnoringCase) {
    RecordingParser parser;
    ASSERT_TRUE(parser.RunStatement(L"Def Num 5"));
    ASSERT_TRUE(parser.RunStatement(L"Def List (1 'two' (3 Num))"));
    ASSERT_TRUE(parser.RunStatement(L"Def Quoted 'x''y'"));
    ASSERT_TRUE(parser.RunStatement(L"Def Later (list NUM)"));
    ASSERT_TRUE(parser.RunStatement(L"Def Num 6"));

    // Values are resolved when defined: Later keeps the 5 Num had then.
    fonttest::ExpectDefines(parser, {{L"later", L"((1, two, (3, 5)), 5)"}, {L"NUM", L"6"}, {L"quoted", L"'x''y'"}});
    EXPECT_EQ(parser.GetDefine(L"absent"), nullptr);
    EXPECT_FALSE(parser.RunStatement(L"Def Bad (1 Missing)"));
    EXPECT_EQ(parser.GetLastError(), L"Unable to Dereference \"Missing\"");
}

TEST(FontParser, DefinesCannotNestBeyondTheLimit) {
    RecordingParser parser;
    std::wstring deep = FromUtf8("Def Deep " + std::string(63, '(') + "1" + std::string(63, ')'));
    ASSERT_TRUE(parser.RunStatement(deep));
    EXPECT_TRUE(parser.RunStatement(L"Def Ok (Deep)"));
    EXPECT_FALSE(parser.RunStatement(L"Def TooDeep ((Deep))"));
    EXPECT_EQ(parser.GetLastError(), L"List Nesting Too Deep");
}

TEST(FontParser, ParameterAccessors) {
    RecordingParser parser;
    ASSERT_TRUE(parser.RunStatement(L"Def List (1 'a b' (3))"));
    ASSERT_TRUE(parser.RunStatement(L"Def Flat (7 -8)"));
    ASSERT_TRUE(parser.RunStatement(L"Def Num 5"));
    ASSERT_TRUE(parser.RunStatement(L"Def Quoted 'x''y'"));

    struct StringCase {
        std::wstring param;
        bool ok;
        std::wstring value;
    };
    const StringCase strings[] = {
        {L"abc", true, L"abc"}, {L"'a''b'", true, L"a'b"}, {L"quoted", true, L"x'y"},
        {L"Num", true, L"5"},   {L"List", false, L""},     {L"(1)", false, L""},
    };
    for (const StringCase& c : strings) {
        std::wstring value = L"stale";
        EXPECT_EQ(parser.GetStringParam(parser.Param(c.param), value), c.ok) << ToUtf8(c.param);
        EXPECT_EQ(value, c.value) << ToUtf8(c.param);
    }

    struct ListCase {
        std::wstring param;
        bool ok;
        std::vector<std::wstring> values;
        std::wstring error;
    };
    const ListCase lists[] = {
        {L"(1 'a b' Num)", true, {L"1", L"a b", L"5"}, L""},
        {L"flat", true, {L"7", L"-8"}, L""},
        {L"()", true, {}, L""},
        {L"List", false, {}, L""},
        {L"(1 (2))", false, {}, L""},
        {L"Num", false, {}, L""},
        {L"Nothing", false, {}, L"Unable to Dereference \"Nothing\""},
        {L"(1 Nothing)", false, {}, L"Unable to Dereference \"Nothing\""},
    };
    for (const ListCase& c : lists) {
        std::vector<std::wstring> values{L"stale"};
        parser.Error(L"");
        EXPECT_EQ(parser.GetStringListParam(parser.Param(c.param), values), c.ok) << ToUtf8(c.param);
        EXPECT_EQ(values, c.values) << ToUtf8(c.param);
        EXPECT_EQ(parser.GetLastError(), c.error) << ToUtf8(c.param);
    }
}

TEST(FontParser, NumberListsAndListParameters) {
    RecordingParser parser;
    ASSERT_TRUE(parser.RunStatement(L"Def List (1 (2 3))"));
    ASSERT_TRUE(parser.RunStatement(L"Def Num 5"));

    struct IntCase {
        std::wstring param;
        bool ok;
        std::vector<int> values;
    };
    const IntCase ints[] = {
        {L"(1 -2 0x10 Num)", true, {1, -2, 16, 5}},
        {L"()", true, {}},
        {L"(1 '2a')", false, {}},
        {L"(1.5)", false, {}},
    };
    for (const IntCase& c : ints) {
        std::vector<int> values;
        bool ok = parser.GetIntListParam(parser.Param(c.param), values);
        EXPECT_EQ(ok, c.ok) << ToUtf8(c.param);
        if (c.ok) {
            EXPECT_EQ(values, c.values) << ToUtf8(c.param);
        }
    }
    std::vector<float> floats;
    ASSERT_TRUE(parser.GetFloatListParam(parser.Param(L"(0.25 -1 3)"), floats));
    EXPECT_EQ(floats, (std::vector<float>{0.25f, -1.0f, 3.0f}));
    EXPECT_FALSE(parser.GetFloatListParam(parser.Param(L"(1 x)"), floats));

    struct ListCase {
        std::wstring param;
        bool ok;
        std::wstring value;
    };
    const ListCase lists[] = {
        {L"list", true, L"(1, (2, 3))"},
        {L"(Num (Num 'q'))", true, L"(5, (5, q))"},
        {L"Num", false, L""},
        {L"Other", false, L""},
    };
    for (const ListCase& c : lists) {
        ListDataElement out;
        EXPECT_EQ(parser.GetListParam(parser.Param(c.param), out), c.ok) << ToUtf8(c.param);
        if (c.ok) {
            EXPECT_EQ(DescParserW::ElementToString(out), c.value) << ToUtf8(c.param);
        }
    }
}

TEST(FontParser, TextOperations) {
    struct Case {
        std::wstring text;
        bool immediate;
        std::wstring unquoted;
    };
    const Case cases[] = {
        {L"'it''s'", true, L"it's"}, {L"''''", true, L"'"}, {L"\"say \"\"hi\"\"\"", true, L"say \"hi\""},
        {L"'a\"b'", true, L"a\"b"},  {L"''", true, L""},    {L"12", true, L"12"},
        {L"-x", true, L"-x"},        {L"+", true, L"+"},    {L"name", false, L"name"},
        {L"", false, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescParserW::IsImmediate(c.text), c.immediate) << ToUtf8(c.text);
        EXPECT_EQ(DescParserW::Unquote(c.text), c.unquoted) << ToUtf8(c.text);
    }
}

} // namespace
