#include "keymap/KeymapFile.h"
#include "keymap/KeymapTableText.h"
#include "platform/TextMode.h"
#include "tests/fakes/ShippedKeymaps.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace keymap;

namespace {

const char* const Shipped[] = {"main", "kolb", "ziba2"};

std::string SourceTable(const std::string& name)
{
    std::string text;
    EXPECT_TRUE(platform::ReadTextFile(std::string(KELMORA_KEYMAP_TABLES_DIR) + "/" + name + ".tsv", text).ok);
    return text;
}

/// The rows of a table text as whitespace-separated words, comments and blank lines left out.
std::vector<std::vector<std::string>> Rows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::vector<std::string> row;
        for (std::string w; words >> w;)
            row.push_back(w);
        if (!row.empty())
            rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(KeymapTableTextTest, ShippedTablesReadBackByteForByteAndInTheSourceForm)
{
    for (const char* name : Shipped) {
        SCOPED_TRACE(name);
        const KeyMap map = fakes::ShippedKeymap(std::string(name) + ".kbd");
        const std::string text = FormatKeymapTableText(map.Records(), name);
        KeyTable back{};
        back[7].final = 99; // whatever was there before is replaced
        ASSERT_FALSE(ParseKeymapTableText(text, back));
        EXPECT_EQ(TableBytesOf(back), TableBytesOf(map.Records()));
        // The exported rows are the rows the project writes its tables in, word for word.
        EXPECT_EQ(Rows(text), Rows(SourceTable(name)));
    }
}

TEST(KeymapTableTextTest, AnyFieldValueSurvivesTheTrip)
{
    KeyTable table{};
    table[0] = KeyRecord{-5, -1, 255, 256, 269, 0x7FFFFFFF, INT32_MIN, 10, 13};
    table[51].keyCode = 0x0A0A;
    KeyTable back{};
    ASSERT_FALSE(ParseKeymapTableText(FormatKeymapTableText(table, "edge\nvalues"), back));
    EXPECT_EQ(back, table);
}

TEST(KeymapTableTextTest, ARowThatCannotBeReadIsReportedByLineAndChangesNothing)
{
    const std::string good = "# heading\n0 0xC0 x 1 2 3 4 - - - -\n\n";
    const struct {
        const char* what;
        std::string text;
        int line;
        const char* message;
    } cases[] = {
        {"a field missing", good + "1 0x31 x 1 2 3 4 - - -\n", 4, "expected: record keyCode letter and eight glyph fields"},
        {"a word too many", good + "1 0x31 x 1 2 3 4 - - - - 9\n", 4, "expected: record keyCode letter and eight glyph fields"},
        {"record beyond the table", good + "52 0x31 x 1 2 3 4 - - - -\n", 4, "expected: record keyCode letter and eight glyph fields"},
        {"record given twice", good + "0 0x31 x 1 2 3 4 - - - -\n", 4, "record 0 given twice"},
        {"not a number", good + "1 0x31 x 1 2 three 4 - - - -\n", 4, "bad value 'three'"},
        {"beyond 32 bits", good + "1 0x31 x 1 2 0x100000000 4 - - - -\n", 4, "bad value '0x100000000'"},
        {"binary bytes", std::string("\x01\x02\xff\xfe\n", 5), 1, "expected: record keyCode letter and eight glyph fields"},
        {"CR LF lines, error on the second", "0 0xC0 x 1 2 3 4 - - - -\r\n2 z\r\n", 2, "expected: record keyCode letter and eight glyph fields"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        KeyTable table{};
        table[3].medial = 77;
        const KeyTable before = table;
        const std::optional<TableTextError> error = ParseKeymapTableText(c.text, table);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->line, c.line);
        EXPECT_EQ(error->message, c.message);
        EXPECT_EQ(table, before);
    }
}

TEST(KeymapTableTextTest, ByteOrderMarkAndMissingRowsAreAccepted)
{
    KeyTable table{};
    table[9].isolated = 5;
    ASSERT_FALSE(ParseKeymapTableText("\xEF\xBB\xBF" "27 0x41 ش 0xBC 0xBD 0xBE 0xBF - - - -\n", table));
    EXPECT_EQ(table[27], (KeyRecord{0x41, 0xBC, 0xBD, 0xBE, 0xBF, 0, 0, 0, 0}));
    EXPECT_EQ(table[9], KeyRecord{}) << "a record no row gives is zero";
}
