// The two language tables as shipped, and the parser that loads them into the text table.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "settings/text_table.h"
#include "settings/text_table_parser.h"

namespace {

// The tables live in resources/ of the source tree; find it from this file's own path.
std::string ResourcePath(const char* name) {
    std::string self = __FILE__;
    size_t cut = self.rfind("tests/unit/");
    std::string root = cut == std::string::npos ? std::string() : self.substr(0, cut);
    return root + "resources/" + name;
}

std::vector<char> ReadResource(const char* name) {
    std::vector<char> bytes;
    FILE* in = fopen(ResourcePath(name).c_str(), "rb");
    if (!in) return bytes;
    int c;
    while ((c = fgetc(in)) != EOF) bytes.push_back((char)c);
    fclose(in);
    return bytes;
}

// A text table on the heap, exactly 60 slots, so that any overrun trips the sanitizer.
struct Table {
    Table() : slots(new char[TEXT_SLOTS][TEXT_SLOT_SIZE]) {
        memset(slots, 0, TEXT_SLOTS * TEXT_SLOT_SIZE);
    }
    ~Table() { delete[] slots; }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;
    char (*slots)[TEXT_SLOT_SIZE];
};

// Exactly size bytes on the heap, with no terminator after them, like a locked resource.
int Parse(const std::string& text, char table[TEXT_SLOTS][TEXT_SLOT_SIZE]) {
    std::vector<char> bytes(text.begin(), text.end());
    return ParseTextTable(bytes.empty() ? nullptr : bytes.data(), bytes.size(), table);
}

// The file's lines, checked for what the loader needs: every line ended by CR LF, no NUL,
// none empty or longer than a slot holds.
std::vector<std::string> FileLines(const char* name) {
    std::vector<char> bytes = ReadResource(name);
    EXPECT_FALSE(bytes.empty()) << ResourcePath(name);
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < bytes.size(); i++) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            EXPECT_FALSE(line.empty()) << name << " line " << lines.size();
            EXPECT_LT(line.size(), (size_t)TEXT_SLOT_SIZE) << name << " line " << lines.size();
            lines.push_back(line);
            line.clear();
            i++;
        } else {
            EXPECT_TRUE(bytes[i] != '\r' && bytes[i] != '\n' && bytes[i] != '\0')
                << name << ": stray byte in line " << lines.size();
            line += bytes[i];
        }
    }
    EXPECT_TRUE(line.empty()) << name << ": last line has no CR LF";
    EXPECT_EQ(lines.size(), (size_t)TEXT_ENTRIES) << name;
    return lines;
}

void LoadResource(const char* name, char table[TEXT_SLOTS][TEXT_SLOT_SIZE]) {
    std::vector<char> bytes = ReadResource(name);
    ASSERT_FALSE(bytes.empty()) << ResourcePath(name);
    EXPECT_EQ(ParseTextTable(bytes.data(), bytes.size(), table), TEXT_ENTRIES);
}

void ExpectTable(char table[TEXT_SLOTS][TEXT_SLOT_SIZE], const std::vector<std::string>& expected) {
    for (size_t i = 0; i < expected.size(); i++) EXPECT_EQ(table[i], expected[i]) << "slot " << i;
    for (int i = TEXT_ENTRIES; i < TEXT_SLOTS; i++) EXPECT_STREQ(table[i], "") << "slot " << i;
}

TEST(TextTableParser, EnglishDanishEnglishLeavesExactlyEnglish) {
    const std::vector<std::string> english = FileLines("english.txt");
    const std::vector<std::string> danish = FileLines("danish.txt");
    Table table;
    LoadResource("english.txt", table.slots);
    ExpectTable(table.slots, english);
    EXPECT_STREQ(table.slots[TEXT_ROW_FILE_HEADER], "Time,Distance,Pace,Watts,Cals,SPM,HR");
    LoadResource("danish.txt", table.slots);
    ExpectTable(table.slots, danish);
    // Row files written in Danish start with this header, trailing blank included.
    EXPECT_STREQ(table.slots[TEXT_ROW_FILE_HEADER], "Tid,Distance,Hastighed,Watt,Kal,TPM,Puls ");
    EXPECT_STREQ(table.slots[40], "&Hj\xE6lp");  // code page 1252, not UTF-8
    EXPECT_STREQ(table.slots[52], "kcal");
    LoadResource("english.txt", table.slots);
    ExpectTable(table.slots, english);
}

TEST(TextTableParser, LinesFillSlotsWithoutOverrun) {
    std::string endsOnly, manyLines;
    for (int i = 0; i < 100; i++) endsOnly += "\r\n";
    for (int i = 0; i < 80; i++) manyLines += "line " + std::to_string(i) + "\r\n";
    const std::string x95(TEXT_SLOT_SIZE - 1, 'x');
    struct Case {
        std::string text;
        int count;
        std::vector<std::string> slots;  // the leading slots afterwards; "kept" is in slot 2 before
    };
    const Case cases[] = {
        {"one\r\ntwo\r\n", 2, {"one", "two", "kept"}},
        {"one\r\ntwo", 2, {"one", "two", "kept"}},
        {"ab\r\n\r\nthree\r\n", 3, {"ab", "", "three"}},
        {"one\ntwo\rthree\r\n", 3, {"one", "two", "three"}},
        {std::string(300, 'x') + "\r\nnext\r\n", 2, {x95, "next", "kept"}},
        {x95 + "\r\nz\r\n", 2, {x95, "z", "kept"}},
        {"q", 1, {"q", "old", "kept"}},
        {endsOnly, TEXT_SLOTS, {"", "", ""}},
        {manyLines, TEXT_SLOTS, {"line 0", "line 1", "line 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        Table table;
        strcpy(table.slots[0], "a much longer old text");
        strcpy(table.slots[1], "old");
        strcpy(table.slots[2], "kept");
        EXPECT_EQ(Parse(c.text, table.slots), c.count);
        for (size_t i = 0; i < c.slots.size(); i++)
            EXPECT_EQ(std::string(table.slots[i]), c.slots[i]) << "slot " << i;
        if (c.count == TEXT_SLOTS) {
            EXPECT_STREQ(table.slots[TEXT_SLOTS - 1], c.text == manyLines ? "line 59" : "");
        }
    }
}

TEST(TextTableParser, NothingToReadChangesNothing) {
    Table table;
    strcpy(table.slots[0], "kept");
    EXPECT_EQ(ParseTextTable(nullptr, 10, table.slots), 0);
    char one = 'q';
    EXPECT_EQ(ParseTextTable(&one, 0, table.slots), 0);
    EXPECT_STREQ(table.slots[0], "kept");
}

}  // namespace
