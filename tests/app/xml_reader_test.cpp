#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "app/app_config.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "harness/harness.h"

namespace {

// One inline element to read attributes from.
class XmlElement {
public:
    explicit XmlElement(const std::string& xml) {
        mDocument.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
        EXPECT_FALSE(mDocument.Error()) << xml;
    }
    TiXmlElement* Get() { return mDocument.RootElement(); }

private:
    TiXmlDocument mDocument;
};

TEST(XmlReaders, StringKeepsEmptyValues) {
    XmlElement e(R"(<a name="x" empty=""/>)");
    EXPECT_EQ(ReadXmlString(e.Get(), "name", "def"), "x");
    EXPECT_EQ(ReadXmlString(e.Get(), "empty", "def"), "");
    EXPECT_EQ(ReadXmlString(e.Get(), "missing", "def"), "def");
    EXPECT_EQ(ReadXmlString(nullptr, "name", "def"), "def");
    EXPECT_EQ(ReadXmlAttribute(e.Get(), "missing"), "");
}

TEST(XmlReaders, BoolIsTrueOnlyForOneAndTrue) {
    const struct {
        const char* xml;
        bool def;
        const char* second;
        bool expected;
    } cases[] = {
        {R"(<a v="1"/>)", false, nullptr, true},
        {R"(<a v="true"/>)", false, nullptr, true},
        {R"(<a v="True"/>)", true, nullptr, false},
        {R"(<a v="yes"/>)", true, nullptr, false},
        {R"(<a v="0"/>)", true, nullptr, false},
        {R"(<a v=" 1"/>)", true, nullptr, false},
        {R"(<a v=""/>)", true, nullptr, true},
        {R"(<a v=""/>)", false, nullptr, false},
        {R"(<a/>)", true, nullptr, true},
        {R"(<a visible="" v="1"/>)", false, "v", true},
        {R"(<a v="true"/>)", false, "v", true},
        {R"(<a visible="0" v="1"/>)", true, "v", false},
        {R"(<a/>)", true, "v", true},
    };
    for (const auto& c : cases) {
        XmlElement e(c.xml);
        const char* name = c.second != nullptr ? "visible" : "v";
        EXPECT_EQ(ReadXmlBool(e.Get(), name, c.def, c.second), c.expected) << c.xml << " default " << c.def;
    }
    EXPECT_TRUE(ReadXmlBool(nullptr, "v", true));
}

TEST(XmlReaders, IntReadsSumsAndDifferencesOfTwoNumbers) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {
        {"42", 42},
        {"-5", -5},
        {"100+20", 120},
        {"100-20", 80},
        {"3-", 3},
        {"2+-1", 1},
        {"+5", 5},
        {"1+2+3", 4},
        {"10--5", 5},
        {"-5-3", -8},
        {"abc", 0},
        {"12px", 12},
        {" 7", 7},
        {"5-abc", 5},
        {"99999999999", INT32_MAX},
        {"2147483647+1", INT32_MAX},
        {"-2147483648-1", INT32_MIN},
    };
    for (const auto& c : cases) {
        XmlElement e(std::string("<a n=\"") + c.value + "\"/>");
        EXPECT_EQ(ReadXmlInt(e.Get(), "n", -77), c.expected) << c.value;
    }
}

TEST(XmlReaders, NumbersFallBackToTheSecondNameThenTheDefault) {
    const struct {
        const char* xml;
        int expected;
    } cases[] = {
        {R"(<a x="" y="7"/>)", 7}, {R"(<a y="7"/>)", 7}, {R"(<a x="3" y="7"/>)", 3},
        {R"(<a x=""/>)", -1},      {R"(<a/>)", -1},
    };
    for (const auto& c : cases) {
        XmlElement e(c.xml);
        EXPECT_EQ(ReadXmlInt(e.Get(), "x", -1, "y"), c.expected) << c.xml;
        EXPECT_EQ(ReadXmlUInt(e.Get(), "x", 4000000000u, "y"),
                  c.expected < 0 ? 4000000000u : static_cast<unsigned int>(c.expected))
            << c.xml;
        EXPECT_FLOAT_EQ(ReadXmlFloat(e.Get(), "x", -1.0f, "y"), static_cast<float>(c.expected)) << c.xml;
    }
    EXPECT_EQ(ReadXmlInt(nullptr, "x", 9), 9);
}

TEST(XmlReaders, UnsignedUsesTheIntegerRule) {
    XmlElement e(R"(<a n="40+2" m="-1"/>)");
    EXPECT_EQ(ReadXmlUInt(e.Get(), "n", 0), 42u);
    EXPECT_EQ(ReadXmlUInt(e.Get(), "m", 0), 4294967295u);
}

TEST(XmlReaders, FloatReadsSumsAndDifferencesOfTwoNumbers) {
    const struct {
        const char* value;
        float expected;
    } cases[] = {
        {"0.5", 0.5f},     {"0.5+0.25", 0.75f}, {"1e-5", -4.0f}, {"1.5e+3", 4.5f}, {"-2.5", -2.5f},
        {"2.5-0.5", 2.0f}, {"-1-1", -2.0f},     {"x", 0.0f},     {".5", 0.5f},
    };
    for (const auto& c : cases) {
        XmlElement e(std::string("<a f=\"") + c.value + "\"/>");
        EXPECT_FLOAT_EQ(ReadXmlFloat(e.Get(), "f", 9.0f), c.expected) << c.value;
    }
}

TEST(XmlReaders, ColoursDottedOrHexadecimal) {
    const TColor def{0.1f, 0.2f, 0.3f, 0.4f};
    const struct {
        const char* xml;
        TColor expected;
    } cases[] = {
        {R"(<a c="255.0.0.128"/>)", {1.0f, 0.0f, 0.0f, 128 / 255.0f}},
        {R"(<a c="0.51.102.255"/>)", {0.0f, 0.2f, 0.4f, 1.0f}},
        {R"(<a c="300.-5.0.999"/>)", {1.0f, 0.0f, 0.0f, 1.0f}},
        {R"(<a c="ffffff"/>)", {1.0f, 1.0f, 1.0f, 1.0f}},
        {R"(<a c="ff0000"/>)", {1.0f, 0.0f, 0.0f, 1.0f}},
        {R"(<a c="80ff0000"/>)", {1.0f, 0.0f, 0.0f, 128 / 255.0f}},
        {R"(<a c="00ff0000"/>)", {1.0f, 0.0f, 0.0f, 0.0f}},
        {R"(<a c="0x00000080"/>)", {0.0f, 0.0f, 128 / 255.0f, 0.0f}},
        {R"(<a c="000080"/>)", {0.0f, 0.0f, 128 / 255.0f, 1.0f}},
        {R"(<a c="1.2.3"/>)", {0.0f, 0.0f, 1 / 255.0f, 1.0f}},
        {R"(<a c="zz"/>)", {0.0f, 0.0f, 0.0f, 1.0f}},
        {R"(<a c=""/>)", def},
        {R"(<a/>)", def},
    };
    for (const auto& c : cases) {
        XmlElement e(c.xml);
        TColor color = ReadXmlColor(e.Get(), "c", def);
        EXPECT_FLOAT_EQ(color.r, c.expected.r) << c.xml;
        EXPECT_FLOAT_EQ(color.g, c.expected.g) << c.xml;
        EXPECT_FLOAT_EQ(color.b, c.expected.b) << c.xml;
        EXPECT_FLOAT_EQ(color.a, c.expected.a) << c.xml;
    }
}

TEST(XmlReaders, FourIntsNeedAllFour) {
    const struct {
        const char* value;
        const char* separator;
        bool read;
        std::vector<int> values;
    } cases[] = {
        {"1,2,3,4", ",", true, {1, 2, 3, 4}},         {"-1 x 20 x 3 x 40", " x ", true, {-1, 20, 3, 40}},
        {"10%20%30%40", "%", true, {10, 20, 30, 40}}, {"1,2,3", ",", false, {1, 2, 3, -9}},
        {"1.2.3.4", ",", false, {1, -9, -9, -9}},     {"", ",", false, {-9, -9, -9, -9}},
    };
    for (const auto& c : cases) {
        XmlElement e(std::string("<a r=\"") + c.value + "\"/>");
        int values[4] = {-9, -9, -9, -9};
        EXPECT_EQ(ReadXmlFourInts(e.Get(), "r", c.separator, values), c.read) << c.value;
        EXPECT_EQ(std::vector<int>(values, values + 4), c.values) << c.value;
    }
}

TEST(XmlReaders, StringListsAreSplitAndTrimmed) {
    XmlElement e(R"(<a list=" a , b,,c " none=""/>)");
    std::vector<std::string> pieces{"stale"};
    EXPECT_EQ(ReadXmlStringList(e.Get(), "list", ',', pieces), 3);
    EXPECT_EQ(pieces, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ReadXmlStringList(e.Get(), "none", ',', pieces), 0);
    EXPECT_TRUE(pieces.empty());
}

TEST(XmlReaders, PairsSkipMalformedPieces) {
    XmlElement e(R"(<a p="1,2; 3 , 4 ;5;7,8,9;;" f="0.5,1.5;2;-1,-0.25" none=""/>)");
    std::vector<std::pair<int, int>> ints{{-1, -1}};
    EXPECT_EQ(ReadXmlIntPairs(e.Get(), "p", ints), 3);
    EXPECT_EQ(ints, (std::vector<std::pair<int, int>>{{-1, -1}, {1, 2}, {3, 4}, {7, 8}}));
    EXPECT_TRUE(harness::LogContains("pair skipped \"5\" in p"));

    std::vector<std::pair<float, float>> floats;
    EXPECT_EQ(ReadXmlFloatPairs(e.Get(), "f", floats), 2);
    EXPECT_EQ(floats, (std::vector<std::pair<float, float>>{{0.5f, 1.5f}, {-1.0f, -0.25f}}));

    EXPECT_EQ(ReadXmlIntPairs(e.Get(), "none", ints), 0);
    EXPECT_EQ(ReadXmlFloatPairs(nullptr, "f", floats), 0);
}

TEST(XmlReaders, ChildrenAndText) {
    XmlElement e("<a><b id='1'/><c/><b id='2'>two</b><B/><!-- x --><b id='3'><i/>tail</b></a>");
    std::vector<TiXmlElement*> children;
    CollectXmlChildren(e.Get(), "b", children);
    ASSERT_EQ(children.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ReadXmlInt(children[static_cast<size_t>(i)], "id", 0), i + 1);
    }
    EXPECT_EQ(ReadXmlText(children[1]), "two");
    EXPECT_EQ(ReadXmlText(children[0]), "");
    EXPECT_EQ(ReadXmlText(children[2]), "") << "the first child is an element";
    EXPECT_EQ(ReadXmlText(nullptr), "");
    CollectXmlChildren(nullptr, "b", children);
    EXPECT_EQ(children.size(), 3u);
}

// Documents in the per-user folder; the shared document is dropped after each test.
class XmlDocumentTest : public testing::Test {
protected:
    void SetUp() override { TAppConfig::Get()->CreateFolders(); }
    void TearDown() override { ReleaseXmlRoot(); }

    static std::string UserPath(const std::string& name) {
        return harness::TestDataHome() + "/Korvath Games/Verdanel/" + name;
    }
    static void WriteUserFile(const std::string& name, const std::string& text) {
        ASSERT_TRUE(harness::WriteFile(UserPath(name), text));
    }
};

TEST_F(XmlDocumentTest, RootOfAWellFormedFile) {
    WriteUserFile("a.xml", "<?xml version=\"1.0\"?>\r\n<!-- c -->\r\n<root n=\"5\"><child/></root>\r\n");
    TiXmlElement* root = LoadXmlRoot("user:a.xml");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->Value(), "root");
    EXPECT_EQ(ReadXmlInt(root, "n", 0), 5);
}

TEST_F(XmlDocumentTest, TextIsUtf8EvenWithoutADeclaration) {
    WriteUserFile("t.xml", "<t a=\"&#x41F;\xD0\xB8\">&#1055;\r\nx</t>");
    TiXmlElement* root = LoadXmlRoot("user:t.xml");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(ReadXmlString(root, "a", ""), "\xD0\x9F\xD0\xB8");
    EXPECT_EQ(ReadXmlText(root), "\xD0\x9F x") << "white space is condensed";
}

TEST_F(XmlDocumentTest, MissingAndMalformedFilesLogTwoLines) {
    WriteUserFile("bad.xml", "<root>\n  <a>\n</root>\n");
    WriteUserFile("bad-crlf.xml", "<root>\r\n\r\n<a></b></root>");
    WriteUserFile("empty.xml", "");
    // A folder opens for reading on Linux; the parser must not be handed it.
    WriteUserFile("folder.xml/inside", "<a/>");
    WriteUserFile("huge.xml", "<a/>");
    ASSERT_EQ(truncate(UserPath("huge.xml").c_str(), 65L * 1024 * 1024), 0);
    const struct {
        const char* name;
        std::vector<std::string> lines;
    } cases[] = {
        {"user:none.xml", {"File not found user:none.xml error=Failed to open file line = 0"}},
        {"user:bad.xml", {"File not found user:bad.xml error=Error reading end tag. line = 3"}},
        {"user:bad-crlf.xml", {"File not found user:bad-crlf.xml error=Error reading end tag. line = 3"}},
        {"user:empty.xml", {"File not found user:empty.xml error=Error document empty. line = 0"}},
        {"user:folder.xml",
         {"not a regular file " + UserPath("folder.xml") + ", not opened",
          "File not found user:folder.xml error=Failed to open file line = 0"}},
        {"user:huge.xml",
         {"file too large " + UserPath("huge.xml"), "File not found user:huge.xml error=Failed to read file line = 0"}},
    };
    for (const auto& c : cases) {
        TLogFile::Release();
        EXPECT_EQ(LoadXmlRoot(c.name), nullptr) << c.name;
        std::vector<std::string> expected = c.lines;
        expected.push_back(std::string("File not found ") + c.name + " ");
        EXPECT_EQ(harness::LogLines(), expected);
    }
}

// The bytes in memory read as the same file does: the same root, or the same two log lines.
TEST_F(XmlDocumentTest, DocumentInMemoryReadsAsItsFile) {
    const struct {
        const char* name;
        const char* text;
        const char* root;
    } cases[] = {
        {"good.xml", "<?xml version=\"1.0\"?>\r\n<root n=\"5\"><child/></root>\r\n", "root"},
        {"bad.xml", "<root>\n  <a>\n</root>\n", nullptr},
        {"empty.xml", "", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteUserFile(c.name, c.text);
        const std::string name = std::string("user:") + c.name;
        TLogFile::Release();
        TiXmlElement* fromFile = LoadXmlRoot(name);
        const std::string fileRoot = fromFile != nullptr ? fromFile->Value() : "";
        const std::vector<std::string> fileLines = harness::LogLines();
        TLogFile::Release();
        TiXmlElement* fromBytes = ParseXmlRoot(TXmlSource{name, c.text, nullptr});
        EXPECT_EQ(fromBytes != nullptr ? fromBytes->Value() : "", fileRoot);
        EXPECT_EQ(fromBytes != nullptr ? ReadXmlInt(fromBytes, "n", 0) : 0, c.root != nullptr ? 5 : 0);
        EXPECT_EQ(fileRoot, c.root != nullptr ? c.root : "");
        EXPECT_EQ(harness::LogLines(), fileLines);
    }
    // A read error carried by the source is logged as the file's would be.
    TLogFile::Release();
    EXPECT_EQ(ParseXmlRoot(TXmlSource{"user:gone.xml", "<a/>", "Failed to open file"}), nullptr);
    EXPECT_EQ(harness::LogLines(),
              (std::vector<std::string>{"File not found user:gone.xml error=Failed to open file line = 0",
                                        "File not found user:gone.xml "}));
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// The parser recurses once per level: deep files are refused before it sees them, and nothing that
// hides an end tag from the parser (a comment, a quoted value, CDATA) makes the count smaller.
TEST_F(XmlDocumentTest, NestingDeeperThanTheLimitIsRefused) {
    const std::string closes = Repeat("</a>", 100);
    const struct {
        const char* name;
        std::string text;
        bool refused;
    } cases[] = {
        {"at the limit", Repeat("<a>", 256) + Repeat("</a>", 256), false},
        {"siblings", "<r>" + Repeat("<a/><a></a>", 1000) + "</r>", false},
        {"one beyond", Repeat("<a>", 257) + Repeat("</a>", 257), true},
        {"never closed", Repeat("<a>", 100000), true},
        {"end tags in a comment", Repeat("<a>", 200) + "<!--" + closes + "-->" + Repeat("<a>", 57), true},
        {"end tags in CDATA", Repeat("<a>", 200) + "<![CDATA[" + closes + "]]>" + Repeat("<a>", 57), true},
        {"end tags in a value", Repeat("<a>", 200) + "<a v = '" + closes + "'>" + Repeat("<a>", 56), true},
        {"end tags in a declaration", Repeat("<a>", 200) + "<?xml v=\"" + closes + "\"?>" + Repeat("<a>", 57), true},
    };
    for (const auto& c : cases) {
        TLogFile::Release();
        WriteUserFile("deep.xml", c.text);
        const TiXmlElement* root = LoadXmlRoot("user:deep.xml");
        EXPECT_EQ(harness::LogContains("xml nested deeper than 256 elements " + UserPath("deep.xml")), c.refused)
            << c.name;
        EXPECT_EQ(root == nullptr, c.refused) << c.name;
    }
}

TEST_F(XmlDocumentTest, FileWithoutElementsGivesNoRootAndNoLog) {
    WriteUserFile("comment.xml", "<?xml version=\"1.0\"?><!-- nothing -->");
    TiXmlDocument* slot = nullptr;
    EXPECT_EQ(LoadXmlDocument("user:comment.xml", slot), nullptr);
    EXPECT_NE(slot, nullptr) << "the document stays in the slot";
    EXPECT_FALSE(harness::LogContains("File not found"));
    delete slot;
}

TEST_F(XmlDocumentTest, OwnSlotOutlivesTheSharedOne) {
    WriteUserFile("a.xml", "<a id=\"1\"/>");
    WriteUserFile("b.xml", "<b id=\"2\"/>");
    TiXmlDocument* slot = nullptr;
    TiXmlElement* own = LoadXmlDocument("user:a.xml", slot);
    ASSERT_NE(own, nullptr);
    ASSERT_NE(LoadXmlRoot("user:b.xml"), nullptr);
    ASSERT_NE(LoadXmlRoot("user:a.xml"), nullptr);
    EXPECT_EQ(ReadXmlInt(own, "id", 0), 1);
    // Loading again into the same slot replaces the document it held.
    TiXmlElement* again = LoadXmlDocument("user:b.xml", slot);
    ASSERT_NE(again, nullptr);
    EXPECT_STREQ(again->Value(), "b");
    EXPECT_EQ(LoadXmlDocument("user:none.xml", slot), nullptr);
    EXPECT_EQ(slot, nullptr);
}

TEST_F(XmlDocumentTest, DataNamesGoThroughThePathRules) {
    const std::string folder = harness::MakeTempFolder();
    ASSERT_TRUE(harness::WriteFile(folder + "/assets/ui/w.xml", "<w/>"));
    harness::ScopedDataRoot root(folder);
    ASSERT_TRUE(SetWorkingFolderToExe());
    TiXmlElement* element = LoadXmlRoot("ui/w.xml");
    ASSERT_NE(element, nullptr);
    EXPECT_STREQ(element->Value(), "w");
}

TEST_F(XmlDocumentTest, LoadingWhileWalkingTheSharedRootIsCaught) {
    WriteUserFile("a.xml", "<a/>");
    ASSERT_NE(LoadXmlRoot("user:a.xml"), nullptr);
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_DEBUG_DEATH(
        {
            TXmlRootWalk walk;
            LoadXmlRoot("user:a.xml");
        },
        "still walked");
    // Once the walk is over, loading is allowed again.
    { TXmlRootWalk walk; }
    EXPECT_NE(LoadXmlRoot("user:a.xml"), nullptr);
}

} // namespace
