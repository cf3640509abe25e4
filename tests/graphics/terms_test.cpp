#include <gtest/gtest.h>

#include <string>

#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "font_test_support.h"
#include "graphics/terms.h"

namespace {

std::string Row(const std::string& cells) {
    return "   <Row>" + cells + "</Row>\n";
}
std::string Cell(const std::string& text) {
    return "<Cell><Data ss:Type=\"String\">" + text + "</Data></Cell>";
}

std::string Sheet(const std::string& rows) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"\n"
           "  xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\n"
           " <Worksheet ss:Name=\"Terms\">\n  <Table>\n" +
           rows + "  </Table>\n </Worksheet>\n</Workbook>\n";
}

const std::string kTerms =
    Sheet(Row(Cell("GameName") + Cell("Verdanel")) + Row(Cell("TwoLines") + Cell("First#Second") + Cell("ignored")) +
          Row(Cell("Hello") + Cell("Привет")) +
          Row(Cell("Styled") + "<Cell><ss:Data ss:Type=\"String\"><Font>Bold text</Font></ss:Data></Cell>") +
          Row(Cell("StyledEmpty") +
              "<Cell><Data></Data><ss:Data ss:Type=\"String\"><Font>Styled too</Font></ss:Data></Cell>") +
          Row(Cell("KeyOnly")) + Row(Cell("") + Cell("no key")) + Row(Cell("Blank") + "<Cell/>"));

class TermsTest : public testing::Test {
protected:
    void TearDown() override {
        TTerms::Destroy();
        ReleaseXmlRoot();
    }

    fonttest::FontAssets mAssets;
};

struct LookupCase {
    std::string key;
    std::wstring text;
};

void ExpectLookups(const std::vector<LookupCase>& cases) {
    for (const LookupCase& c : cases) {
        EXPECT_EQ(GetTerms()->GetWideText(c.key), c.text) << c.key;
        EXPECT_EQ(GetTerms()->GetText(c.key), ToUtf8(c.text)) << c.key;
    }
}

TEST_F(TermsTest, SpreadsheetRowsBecomeTerms) {
    mAssets.Write("termins.xml", kTerms);
    ASSERT_TRUE(GetTerms()->LoadXml("termins.xml"));
    ExpectLookups({
        {"GameName", L"Verdanel"},
        {"gamename", L"Verdanel"},
        {"GAMENAME", L"Verdanel"},
        {"twolines", L"First\nSecond"},
        {"Hello", L"\x41F\x440\x438\x432\x435\x442"},
        {"Styled", L"Bold text"},
        {"StyledEmpty", L"Styled too"},
        {"Blank", L""},
        // Absent keys come back as asked for.
        {"KeyOnly", L"KeyOnly"},
        {"No Such Key", L"No Such Key"},
        {"", L""},
    });
}

TEST_F(TermsTest, MissingKeyIsReportedOnce) {
    mAssets.Write("termins.xml", kTerms);
    ASSERT_TRUE(GetTerms()->LoadXml("termins.xml"));
    EXPECT_EQ(GetTerms()->GetText("Nope"), "Nope");
    EXPECT_EQ(GetTerms()->GetWideText("Nope"), L"Nope");
    EXPECT_EQ(GetTerms()->GetText("GameName"), "Verdanel");
    fonttest::ExpectReportedOnce("term", "Nope");
}

TEST_F(TermsTest, SpreadsheetAddsWhileIniReplaces) {
    mAssets.Write("termins.txt", "[Terms]\nGameName=Old\nOnlyIni=kept\n");
    mAssets.Write("termins.xml", kTerms);
    ASSERT_TRUE(GetTerms()->LoadIni("termins.txt"));
    ASSERT_TRUE(GetTerms()->LoadXml("termins.xml"));
    ExpectLookups({{"GameName", L"Verdanel"}, {"OnlyIni", L"kept"}});

    mAssets.Write("termins.txt", "[One]\r\nGameName=Other\r\n[Two]\r\nRu=Жук#два\r\n");
    ASSERT_TRUE(GetTerms()->LoadIni("termins.txt"));
    ExpectLookups({{"gamename", L"Other"},
                   {"RU", L"\x416\x443\x43A\n\x434\x432\x430"},
                   {"OnlyIni", L"OnlyIni"},
                   {"Hello", L"Hello"}});
}

TEST_F(TermsTest, FailedLoadsKeepTheTable) {
    mAssets.Write("termins.xml", kTerms);
    ASSERT_TRUE(GetTerms()->LoadXml("termins.xml"));
    struct Case {
        std::string name;
        std::string file;
        std::string bytes; // empty: the file is not written
        bool ini;
        std::string log;
    };
    const Case cases[] = {
        {"ini missing", "none.txt", "", true, "termins not found none.txt"},
        {"ini without terms", "empty.txt", "[Terms]\n; nothing here\n", true, "no termins in empty.txt, table kept"},
        {"ini without sections", "bare.txt", "just text\n", true, "termins not found bare.txt"},
        {"xml missing", "none.xml", "", false, "none.xml"},
        {"xml without table", "notable.xml", "<Workbook><Worksheet/></Workbook>", false, ""},
        {"xml without sheet", "nosheet.xml", "<Workbook><Table/></Workbook>", false, ""},
    };
    for (const Case& c : cases) {
        if (!c.bytes.empty()) {
            mAssets.Write(c.file, c.bytes);
        }
        bool loaded = c.ini ? GetTerms()->LoadIni(c.file) : GetTerms()->LoadXml(c.file);
        EXPECT_FALSE(loaded) << c.name;
        EXPECT_EQ(GetTerms()->GetText("GameName"), "Verdanel") << c.name;
        if (!c.log.empty()) {
            EXPECT_TRUE(harness::LogContains(c.log)) << c.name;
        }
    }
}

TEST_F(TermsTest, LongTextIsCut) {
    std::string text(TTerms::kMaxTextLength + 5, 'x');
    text.replace(TTerms::kMaxTextLength - 1, 2, "Ж"); // two bytes, one character
    mAssets.Write("termins.xml", Sheet(Row(Cell("Long") + Cell(text))));
    ASSERT_TRUE(GetTerms()->LoadXml("termins.xml"));
    std::wstring stored = GetTerms()->GetWideText("long");
    ASSERT_EQ(stored.size(), TTerms::kMaxTextLength);
    EXPECT_EQ(stored.back(), L'\x416');
    EXPECT_TRUE(harness::LogContains("term long cut to 9999 characters"));
}

TEST_F(TermsTest, WidenAndNarrowUseUtf8) {
    EXPECT_EQ(GetTerms()->Widen("A\xD0\x96"), L"A\x416");
    EXPECT_EQ(GetTerms()->Narrow(L"A\x416"), "A\xD0\x96");
    EXPECT_EQ(GetTerms()->Narrow(GetTerms()->Widen("Жук ёж")), "Жук ёж");
}

} // namespace
