// The two language tables as shipped, and the parser that loads them into the text table.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "settings/text_table.h"
#include "settings/text_table_parser.h"

namespace {

const char* const ENGLISH[TEXT_ENTRIES] = {
    "Error",
    "Error: Couldn't create row file.",
    "Time,Distance,Pace,Watts,Cals,SPM,HR",
    "Waiting",
    "Waiting",
    "Driving",
    "Dwelling",
    "Recovery",
    "Time",
    "Distance",
    "Pace",
    "Stroke Rate",
    "Strokes",
    "Heart Rate",
    "DPS",
    "Power",
    "Cals",
    "State",
    "Couldn't save settings file",
    "&File",
    "E&xit",
    "&Workout",
    "&Distance",
    "&Time",
    "&30 Minutes",
    "&60 Minutes",
    "&Standard",
    "&Custom",
    "&Favorites",
    "&Graph",
    "&Power",
    "&Heart Rate",
    "&Strokes Per Minute",
    "P&ace",
    "&Tools",
    "&Rowing Log...",
    "&Update Online Log",
    "&Set PM3 Clock",
    "&Languages",
    "&Preferences...",
    "&Help",
    "&Help Topics",
    "&About",
    "Rowing Log",
    "Date",
    "Calories",
    "m",
    "/500m",
    "s/m",
    "bpm",
    "m",
    "watt",
    "kcal",
};

const char* const DANISH[TEXT_ENTRIES] = {
    "Fejl",
    "Fejl: Kunne ikke oprette rofil.",
    "Tid,Distance,Hastighed,Watt,Kal,TPM,Puls ",
    "Venter",
    "Venter",
    "Tr\xE6kket",
    "Afviklingen",
    "Fremstr\xE6kket",
    "Tid",
    "Distance",
    "Hastighed",
    "Tag",
    "Tag i alt",
    "Puls",
    "DPT",
    "Kraft",
    "Kalorier",
    "Status",
    "Kunne ikke gemme indstillingsfilen",
    "&Filer",
    "&Afslut",
    "&Workout",
    "&Distance",
    "&Tid",
    "&30 Minutter",
    "&60 Minutter",
    "&Standard",
    "&Brugerlavet",
    "&Favoritter",
    "&Graf",
    "&Kraft",
    "&Puls",
    "&Tag pr. minut",
    "&Hastighed",
    "&Funktioner",
    "&Ro Log...",
    "&Opdater Online log",
    "&Indstil PM3 Ur",
    "&Sprog",
    "&Indstillinger...",
    "&Hj\xE6lp",
    "&Hj\xE6lpeemner",
    "&Om",
    "Ro Log",
    "Dato",
    "Kalorier",
    "m",
    "/500m",
    "t/m",
    "spm",
    "m",
    "watt",
    "kcal",
};

// The tables live in resources/ of the source tree; find it from this file's own path.
std::string ResourcePath(const char* name)
{
    std::string self = __FILE__;
    size_t cut = self.rfind("tests/unit/");
    std::string root = cut == std::string::npos ? std::string() : self.substr(0, cut);
    return root + "resources/" + name;
}

std::vector<char> ReadResource(const char* name)
{
    std::vector<char> bytes;
    FILE* in = fopen(ResourcePath(name).c_str(), "rb");
    if (!in)
        return bytes;
    int c;
    while ((c = fgetc(in)) != EOF)
        bytes.push_back((char)c);
    fclose(in);
    return bytes;
}

// A text table on the heap, exactly 60 slots, so that any overrun trips the sanitizer.
struct Table {
    Table() : slots(new char[TEXT_SLOTS][TEXT_SLOT_SIZE]) { memset(slots, 0, TEXT_SLOTS * TEXT_SLOT_SIZE); }
    ~Table() { delete[] slots; }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;
    char (*slots)[TEXT_SLOT_SIZE];
};

// Exactly size bytes on the heap, with no terminator after them, like a locked resource.
int Parse(const std::string& text, char table[TEXT_SLOTS][TEXT_SLOT_SIZE])
{
    std::vector<char> bytes(text.begin(), text.end());
    return ParseTextTable(bytes.empty() ? nullptr : bytes.data(), bytes.size(), table);
}

void ExpectLines(const char* name, const char* const expected[TEXT_ENTRIES])
{
    std::vector<char> bytes = ReadResource(name);
    ASSERT_FALSE(bytes.empty()) << ResourcePath(name);
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < bytes.size(); i++) {
        if (bytes[i] == '\r') {
            ASSERT_LT(i + 1, bytes.size()) << name << ": CR at the very end";
            ASSERT_EQ(bytes[i + 1], '\n') << name << ": CR without LF in line " << lines.size();
            lines.push_back(line);
            line.clear();
            i++;
        } else {
            ASSERT_NE(bytes[i], '\n') << name << ": LF without CR in line " << lines.size();
            ASSERT_NE(bytes[i], '\0') << name << ": NUL in line " << lines.size();
            line += bytes[i];
        }
    }
    EXPECT_TRUE(line.empty()) << name << ": last line has no CR LF";
    ASSERT_EQ(lines.size(), (size_t)TEXT_ENTRIES) << name;
    for (int i = 0; i < TEXT_ENTRIES; i++) {
        EXPECT_EQ(lines[i], expected[i]) << name << " line " << i;
        EXPECT_FALSE(lines[i].empty()) << name << " line " << i;
        EXPECT_LE(lines[i].size(), (size_t)TEXT_SLOT_SIZE - 1) << name << " line " << i;
    }
}

void LoadResource(const char* name, char table[TEXT_SLOTS][TEXT_SLOT_SIZE])
{
    std::vector<char> bytes = ReadResource(name);
    ASSERT_FALSE(bytes.empty()) << ResourcePath(name);
    EXPECT_EQ(ParseTextTable(bytes.data(), bytes.size(), table), TEXT_ENTRIES);
}

void ExpectTable(char table[TEXT_SLOTS][TEXT_SLOT_SIZE], const char* const expected[TEXT_ENTRIES])
{
    for (int i = 0; i < TEXT_ENTRIES; i++)
        EXPECT_STREQ(table[i], expected[i]) << "slot " << i;
    for (int i = TEXT_ENTRIES; i < TEXT_SLOTS; i++)
        EXPECT_STREQ(table[i], "") << "slot " << i;
}

TEST(TextTableFiles, EnglishHoldsTheFiftyThreeTexts)
{
    ExpectLines("english.txt", ENGLISH);
}

TEST(TextTableFiles, DanishHoldsTheFiftyThreeTexts)
{
    ExpectLines("danish.txt", DANISH);
}

TEST(TextTableFiles, DanishHeaderEndsInABlank)
{
    std::string header = DANISH[TEXT_ROW_FILE_HEADER];
    ASSERT_FALSE(header.empty());
    EXPECT_EQ(header.back(), ' ');
}

TEST(TextTableParser, EnglishFillsSlotsZeroToFiftyTwo)
{
    Table table;
    LoadResource("english.txt", table.slots);
    ExpectTable(table.slots, ENGLISH);
    EXPECT_STREQ(table.slots[52], "kcal");
    EXPECT_STREQ(table.slots[53], "");
}

TEST(TextTableParser, DanishFillsSlotsZeroToFiftyTwo)
{
    Table table;
    LoadResource("danish.txt", table.slots);
    ExpectTable(table.slots, DANISH);
    EXPECT_STREQ(table.slots[52], "kcal");
    EXPECT_STREQ(table.slots[53], "");
}

TEST(TextTableParser, EnglishDanishEnglishLeavesExactlyEnglish)
{
    Table table;
    LoadResource("english.txt", table.slots);
    LoadResource("danish.txt", table.slots);
    ExpectTable(table.slots, DANISH);
    LoadResource("english.txt", table.slots);
    ExpectTable(table.slots, ENGLISH);
}

TEST(TextTableParser, ProgramTableCanBeFilled)
{
    std::vector<char> bytes = ReadResource("danish.txt");
    ASSERT_FALSE(bytes.empty());
    char saved[TEXT_SLOTS][TEXT_SLOT_SIZE];
    memcpy(saved, textTable, sizeof(saved));
    EXPECT_EQ(ParseTextTable(bytes.data(), bytes.size(), textTable), TEXT_ENTRIES);
    EXPECT_STREQ(textTable[TEXT_SETTINGS_SAVE_FAILED], "Kunne ikke gemme indstillingsfilen");
    EXPECT_STREQ(textTable[53], "");
    memcpy(textTable, saved, sizeof(saved));
}

TEST(TextTableParser, SlotsPastTheLastLineKeepTheirText)
{
    Table table;
    strcpy(table.slots[2], "kept");
    EXPECT_EQ(Parse("one\r\ntwo\r\n", table.slots), 2);
    EXPECT_STREQ(table.slots[0], "one");
    EXPECT_STREQ(table.slots[1], "two");
    EXPECT_STREQ(table.slots[2], "kept");
}

TEST(TextTableParser, LoadOverwritesLongerOldTexts)
{
    Table table;
    strcpy(table.slots[0], "a much longer old text");
    EXPECT_EQ(Parse("ab\r\n", table.slots), 1);
    EXPECT_STREQ(table.slots[0], "ab");
}

TEST(TextTableParser, LastLineWithoutLineEndStillLoads)
{
    Table table;
    EXPECT_EQ(Parse("one\r\ntwo", table.slots), 2);
    EXPECT_STREQ(table.slots[1], "two");
    EXPECT_STREQ(table.slots[2], "");
}

TEST(TextTableParser, EmptyLineGivesAnEmptySlotAndKeepsTheRestInPlace)
{
    Table table;
    strcpy(table.slots[1], "old");
    EXPECT_EQ(Parse("one\r\n\r\nthree\r\n", table.slots), 3);
    EXPECT_STREQ(table.slots[0], "one");
    EXPECT_STREQ(table.slots[1], "");
    EXPECT_STREQ(table.slots[2], "three");
}

TEST(TextTableParser, OnlyLineEndsFillEmptySlotsAndStop)
{
    Table table;
    std::string text;
    for (int i = 0; i < 100; i++)
        text += "\r\n";
    EXPECT_EQ(Parse(text, table.slots), TEXT_SLOTS);
    for (int i = 0; i < TEXT_SLOTS; i++)
        EXPECT_STREQ(table.slots[i], "");
}

TEST(TextTableParser, OverlongLineIsCutAndTheNextLineKeepsItsSlot)
{
    Table table;
    std::string longLine(300, 'x');
    EXPECT_EQ(Parse(longLine + "\r\nnext\r\n", table.slots), 2);
    EXPECT_EQ(strlen(table.slots[0]), (size_t)TEXT_SLOT_SIZE - 1);
    EXPECT_EQ(std::string(table.slots[0]), std::string(TEXT_SLOT_SIZE - 1, 'x'));
    EXPECT_STREQ(table.slots[1], "next");
}

TEST(TextTableParser, LineOfExactlyNinetyFiveCharactersFits)
{
    Table table;
    std::string line(TEXT_SLOT_SIZE - 1, 'y');
    EXPECT_EQ(Parse(line + "\r\nz\r\n", table.slots), 2);
    EXPECT_EQ(std::string(table.slots[0]), line);
    EXPECT_STREQ(table.slots[1], "z");
}

TEST(TextTableParser, MoreLinesThanSlotsFillAllSixtyAndNoMore)
{
    Table table;
    std::string text;
    for (int i = 0; i < 80; i++)
        text += "line " + std::to_string(i) + "\r\n";
    EXPECT_EQ(Parse(text, table.slots), TEXT_SLOTS);
    EXPECT_STREQ(table.slots[0], "line 0");
    EXPECT_STREQ(table.slots[TEXT_SLOTS - 1], "line 59");
}

TEST(TextTableParser, BareLineFeedsAlsoEndLines)
{
    Table table;
    EXPECT_EQ(Parse("one\ntwo\rthree\r\n", table.slots), 3);
    EXPECT_STREQ(table.slots[0], "one");
    EXPECT_STREQ(table.slots[1], "two");
    EXPECT_STREQ(table.slots[2], "three");
}

TEST(TextTableParser, NothingToReadChangesNothing)
{
    Table table;
    strcpy(table.slots[0], "kept");
    EXPECT_EQ(ParseTextTable(nullptr, 0, table.slots), 0);
    EXPECT_EQ(ParseTextTable(nullptr, 10, table.slots), 0);
    char one = 'q';
    EXPECT_EQ(ParseTextTable(&one, 0, table.slots), 0);
    EXPECT_STREQ(table.slots[0], "kept");
}

TEST(TextTableParser, SingleCharacterWithoutLineEnd)
{
    Table table;
    char* one = new char[1];
    one[0] = 'q';
    EXPECT_EQ(ParseTextTable(one, 1, table.slots), 1);
    delete[] one;
    EXPECT_STREQ(table.slots[0], "q");
}

}  // namespace
