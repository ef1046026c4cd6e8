// The two language tables as shipped, and the parser that loads them into the text table.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "settings/text_table.h"
#include "settings/text_table_parser.h"

namespace {

// The tables as shipped, read from resources/ beside this file's tests/unit/.
std::vector<char> ReadResource(const char* name) {
    std::string self = __FILE__;
    FILE* in = fopen((self.substr(0, self.rfind("tests/unit/")) + "resources/" + name).c_str(), "rb");
    std::vector<char> bytes;
    for (int c; in && (c = fgetc(in)) != EOF;) bytes.push_back((char)c);
    if (in) fclose(in);
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

TEST(TextTableParser, EnglishThenDanishFillEveryEntry) {
    Table table;
    for (const char* name : {"english.txt", "danish.txt"}) {
        std::vector<char> bytes = ReadResource(name);
        EXPECT_EQ(ParseTextTable(bytes.data(), bytes.size(), table.slots), TEXT_ENTRIES) << name;
        EXPECT_STREQ(table.slots[TEXT_ENTRIES], "") << name;
    }
    // Row files written in Danish start with this header, trailing blank included.
    EXPECT_STREQ(table.slots[TEXT_ROW_FILE_HEADER], "Tid,Distance,Hastighed,Watt,Kal,TPM,Puls ");
    EXPECT_STREQ(table.slots[40], "&Hj\xE6lp");  // code page 1252, not UTF-8
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

}  // namespace
