#include <dirent.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/element_table.h"
#include "data/temp_folder.h"
#include "data/text_file.h"

namespace {

// ---------------------------------------------------------------------------
// Helpers

/// The text of the eight data files.
struct DataFiles {
  std::string symbol, mass, name, density, melt, boil, group, period;
};

/// Three light elements, one token per line, each file ending in a line end.
DataFiles three_elements() {
  return {"H\nHe\nLi\n",      "1.008\n4.0026\n6.94\n",   "Hydrogen\nHelium\nLithium\n",
          "0.00008988\n0.0001785\n0.534\n", "13.81\n0.95\n453.65\n", "20.28\n4.22\n1615\n",
          "1\n18\n1\n",       "1\n1\n2\n"};
}

struct Expected {
  const char* symbol;
  const char* name;
  float mass, density, melt, boil;
  int32_t group, period;
};

constexpr Expected HYDROGEN = {"H", "Hydrogen", 1.008f, 0.00008988f, 13.81f, 20.28f, 1, 1};
constexpr Expected HELIUM = {"He", "Helium", 4.0026f, 0.0001785f, 0.95f, 4.22f, 18, 1};
constexpr Expected LITHIUM = {"Li", "Lithium", 6.94f, 0.534f, 453.65f, 1615.0f, 1, 2};

// Every byte of the table starts as this, so that a record written past the
// count, or a field left as it was, shows.
constexpr unsigned char UNWRITTEN = 0xA5;

std::unique_ptr<ElementTable> load(const DataFiles& files) {
  auto table = std::make_unique<ElementTable>();
  std::memset(static_cast<void*>(table.get()), UNWRITTEN, sizeof(ElementTable));
  std::istringstream symbol(files.symbol), mass(files.mass), name(files.name),
      density(files.density), melt(files.melt), boil(files.boil), group(files.group),
      period(files.period);
  load_element_table(*table, {&symbol, &mass, &name, &density, &melt, &boil, &group, &period});
  return table;
}

bool unwritten(const ElementRecord& record) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
  for (size_t i = 0; i < sizeof record; ++i) {
    if (bytes[i] != UNWRITTEN) return false;
  }
  return true;
}

void expect_record(const ElementRecord& record, const Expected& expected) {
  EXPECT_STREQ(record.symbol, expected.symbol);
  EXPECT_STREQ(record.name, expected.name);
  EXPECT_EQ(record.mass, expected.mass);
  EXPECT_EQ(record.density, expected.density);
  EXPECT_EQ(record.melt, expected.melt);
  EXPECT_EQ(record.boil, expected.boil);
  EXPECT_EQ(record.group, expected.group);
  EXPECT_EQ(record.period, expected.period);
}

void expect_three_elements(const ElementTable& table) {
  ASSERT_EQ(table.count, 3);
  expect_record(table.records[0], HYDROGEN);
  expect_record(table.records[1], HELIUM);
  expect_record(table.records[2], LITHIUM);
  EXPECT_TRUE(unwritten(table.records[3])) << "record written past the count";
}

// ---------------------------------------------------------------------------
// One token of every file per record

TEST(Loader, RecordHoldsTheSameTokenOfEveryFile) { expect_three_elements(*load(three_elements())); }

TEST(Loader, HowTokensAreSpacedDoesNotMatter) {
  DataFiles files = three_elements();
  files.symbol = "H He Li";
  files.mass = "\n\n1.008\t\t4.0026   6.94";
  files.name = "  Hydrogen\n\n\nHelium\t Lithium \n";
  files.density = "0.00008988\v0.0001785\f0.534";
  files.group = "1\r\n18\r\n1\r\n";
  expect_three_elements(*load(files));
}

TEST(Loader, WhiteSpaceAfterTheLastMassChangesNothing) {
  // With nothing after the last number its read reaches the end of the file;
  // with white space after it the next read does. The count is 3 either way.
  const char* const endings[] = {"", "\n", " ", "\t \n\n", "\r\n"};
  for (const char* ending : endings) {
    SCOPED_TRACE(testing::Message() << "after the last mass: "
                                    << testing::PrintToString(std::string(ending)));
    DataFiles files = three_elements();
    files.mass = std::string("1.008\n4.0026\n6.94") + ending;
    expect_three_elements(*load(files));
  }
}

TEST(Loader, OtherFilesMayEndWithOrWithoutALineEnd) {
  DataFiles files = three_elements();
  for (std::string* text : {&files.symbol, &files.name, &files.density, &files.melt, &files.boil,
                            &files.group, &files.period}) {
    text->pop_back();
  }
  expect_three_elements(*load(files));
}

TEST(Loader, EmptyMassFileLoadsNothing) {
  for (const char* mass : {"", " ", "\n\n\t \n"}) {
    SCOPED_TRACE(testing::Message() << "mass file: " << testing::PrintToString(std::string(mass)));
    DataFiles files = three_elements();
    files.mass = mass;
    const auto table = load(files);
    EXPECT_EQ(table->count, 0);
    EXPECT_TRUE(unwritten(table->records[0]));
  }
}

TEST(Loader, ShortFilesLeaveTheLaterFieldsEmpty) {
  DataFiles files = three_elements();
  files.symbol = "H\nHe";         // a word read that meets the end
  files.melt = "13.81\n";         // a number read that meets the end
  files.group = "1 18\n";         // an integer read that meets the end
  files.period = "";
  const auto table = load(files);
  ASSERT_EQ(table->count, 3);
  expect_record(table->records[0], {"H", "Hydrogen", 1.008f, 0.00008988f, 13.81f, 20.28f, 1, 0});
  expect_record(table->records[1], {"He", "Helium", 4.0026f, 0.0001785f, 0.0f, 4.22f, 18, 0});
  // Nothing of the record before carries over into a field that got no token.
  expect_record(table->records[2], {"", "Lithium", 6.94f, 0.534f, 0.0f, 1615.0f, 0, 0});
}

TEST(Loader, MassThatIsNotANumberEndsTheLoading) {
  struct Case {
    const char* mass;
    int32_t count;
    float last_mass;  // of the last record loaded
  };
  const Case cases[] = {
      {"x", 0, 0.0f},
      {"1.008 x 6.94", 1, 1.008f},
      {"1.008 4.0026 Li", 2, 4.0026f},
      {"1.008 1,000 6.94", 2, 1.0f},  // no digit grouping: "," ends the number
      {"1.008 4.0026 6.94abc", 3, 6.94f},
      {"1.008 - 6.94", 1, 1.008f},
      {"1.008 inf 6.94", 1, 1.008f},
      {"1.008 1e99 6.94", 1, 1.008f},  // beyond single precision
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mass file: \"" << c.mass << "\"");
    DataFiles files = three_elements();
    files.mass = c.mass;
    const auto table = load(files);
    ASSERT_EQ(table->count, c.count);
    if (c.count > 0) {
      EXPECT_EQ(table->records[c.count - 1].mass, c.last_mass);
    }
    EXPECT_TRUE(unwritten(table->records[c.count])) << "record written past the count";
  }
}

TEST(Loader, StopsWhenTheTableIsFull) {
  for (int32_t tokens : {149, 150, 151, 400}) {
    SCOPED_TRACE(testing::Message() << tokens << " tokens in each file");
    DataFiles files;
    for (int32_t i = 1; i <= tokens; ++i) {
      const std::string n = std::to_string(i);
      for (std::string* text : {&files.mass, &files.density, &files.melt, &files.boil, &files.group,
                                &files.period}) {
        *text += n + "\n";
      }
      // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on the
      // chained operator+ at -O2.
      files.symbol.append("X").append(n, 0, 2).append("\n");
      files.name += "Element" + n + "\n";
    }
    const auto table = load(files);
    const int32_t expected = std::min(tokens, ELEMENT_TABLE_CAPACITY);
    ASSERT_EQ(table->count, expected);
    const ElementRecord& last = table->records[expected - 1];
    EXPECT_EQ(last.mass, static_cast<float>(expected));
    EXPECT_EQ(last.period, expected);
    EXPECT_EQ(std::string(last.name), "Element" + std::to_string(expected));
  }
}

TEST(Loader, LongWordsAreCutAndDoNotSpillIntoTheNextRecord) {
  DataFiles files = three_elements();
  files.symbol = "Hxyz\nUuo\nLithium";
  files.name = "Abcdefghijklmnopqrstuvwxyz\nExactlyNineteenChar\nLithiumlithiumlithium";
  const auto table = load(files);
  ASSERT_EQ(table->count, 3);
  EXPECT_STREQ(table->records[0].symbol, "Hxy");
  EXPECT_STREQ(table->records[0].name, "Abcdefghijklmnopqrs");
  EXPECT_STREQ(table->records[1].symbol, "Uuo");
  EXPECT_STREQ(table->records[1].name, "ExactlyNineteenChar");
  EXPECT_STREQ(table->records[2].symbol, "Lit");
  EXPECT_STREQ(table->records[2].name, "Lithiumlithiumlithi");
  EXPECT_EQ(table->records[2].mass, 6.94f);  // the cut leaves the other fields alone
}

// ---------------------------------------------------------------------------
// Numbers

// Each row puts a token in front of "7 8" in one file, so that the three
// records show what the read made of the token, what it left for the next
// read, and whether the file failed for good (then the 8 is never read).
struct NumberCase {
  const char* token;
  float first, second, third;
};

constexpr float ONE_AND_AN_ULP = 1.00000011920928955078125f;  // 1 + 2^-23

const NumberCase NUMBER_CASES[] = {
    {"1.5", 1.5f, 7, 8},
    {"+1.5", 1.5f, 7, 8},
    {"-1.5", -1.5f, 7, 8},
    {"15", 15, 7, 8},
    {"5.", 5, 7, 8},
    {".5", 0.5f, 7, 8},
    {"-.5", -0.5f, 7, 8},
    {"1e3", 1000, 7, 8},
    {"1E+3", 1000, 7, 8},
    {"2.5e-1", 0.25f, 7, 8},
    {"0.1", 0.1f, 7, 8},
    {"13.81", 13.81f, 7, 8},
    // Rounded once, straight to single precision: by way of double precision
    // this would come out as 1.
    {"1.0000000596046447753906251", ONE_AND_AN_ULP, 7, 8},
    // The first character that cannot continue the number starts the next token.
    {"2-3", 2, -3, 7},
    {"1.5e2.5", 150, 0.5f, 7},
    {"1.5abc", 1.5f, 0, 0},
    {"1,000", 1, 0, 0},  // no digit grouping
    // No number: nothing is stored and the file fails for good.
    {"abc", 0, 0, 0},
    {"+", 0, 0, 0},
    {".", 0, 0, 0},
    {"-e5", 0, 0, 0},
    {"e5", 0, 0, 0},
    {"1e", 0, 0, 0},
    {"1e+", 0, 0, 0},
    {"inf", 0, 0, 0},
    {"nan", 0, 0, 0},
    {"1e99", 0, 0, 0},   // too large for single precision
    {"1e-60", 0, 0, 0},  // too small for single precision
};

TEST(Loader, NumberGrammar) {
  for (const NumberCase& c : NUMBER_CASES) {
    SCOPED_TRACE(testing::Message() << "token \"" << c.token << "\"");
    DataFiles files = three_elements();
    files.density = std::string(c.token) + " 7 8";
    files.boil = std::string(c.token) + "\n7\n8\n";
    const auto table = load(files);
    ASSERT_EQ(table->count, 3);
    const float expected[] = {c.first, c.second, c.third};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(table->records[i].density, expected[i]) << "record " << i;
      EXPECT_EQ(table->records[i].boil, expected[i]) << "record " << i;
    }
    // The other files do not notice.
    EXPECT_EQ(table->records[2].melt, 453.65f);
  }
}

struct IntegerCase {
  const char* token;
  int32_t first, second, third;
};

const IntegerCase INTEGER_CASES[] = {
    {"18", 18, 7, 8},
    {"+3", 3, 7, 8},
    {"-2", -2, 7, 8},
    {"007", 7, 7, 8},
    {"2147483647", INT32_MAX, 7, 8},
    {"-2147483648", INT32_MIN, 7, 8},
    // The first character that cannot continue the integer starts the next token.
    {"4-5", 4, -5, 7},
    {"3.5", 3, 0, 0},
    {"1e2", 1, 0, 0},
    // No integer: 0 is stored and the file fails for good.
    {"2147483648", 0, 0, 0},
    {"-2147483649", 0, 0, 0},
    {"99999999999999999999", 0, 0, 0},
    {"x", 0, 0, 0},
    {"-", 0, 0, 0},
    {"+-1", 0, 0, 0},
    {".5", 0, 0, 0},
};

TEST(Loader, IntegerGrammar) {
  for (const IntegerCase& c : INTEGER_CASES) {
    SCOPED_TRACE(testing::Message() << "token \"" << c.token << "\"");
    DataFiles files = three_elements();
    files.group = std::string(c.token) + " 7 8";
    files.period = std::string(c.token) + "\n7\n8";
    const auto table = load(files);
    ASSERT_EQ(table->count, 3);
    const int32_t expected[] = {c.first, c.second, c.third};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(table->records[i].group, expected[i]) << "record " << i;
      EXPECT_EQ(table->records[i].period, expected[i]) << "record " << i;
    }
    EXPECT_EQ(table->records[2].boil, 1615.0f);
  }
}

// ---------------------------------------------------------------------------
// Loading from the files in the working directory

const char* const FILE_NAMES[] = {"symbol", "mass", "name",  "density",
                                  "melt",   "boil", "group", "period"};

void write_files(const TempFolder& folder, const DataFiles& files) {
  const std::string* texts[] = {&files.symbol,  &files.mass, &files.name,  &files.density,
                                &files.melt,    &files.boil, &files.group, &files.period};
  for (size_t i = 0; i < std::size(FILE_NAMES); ++i) folder.write(FILE_NAMES[i], *texts[i]);
}

int open_descriptors() {
  int count = 0;
  if (DIR* folder = opendir("/proc/self/fd")) {
    while (readdir(folder) != nullptr) ++count;
    closedir(folder);
  }
  return count;
}

TEST(LoaderFiles, LoadsTheEightFilesInTextMode) {
  TempFolder folder;
  DataFiles files = three_elements();
  // Lines ending in CR LF, and byte 26 ending a file early.
  files.symbol = "H\r\nHe\r\nLi\r\n";
  files.name = "Hydrogen\r\nHelium\r\nLithium\r\n";
  files.mass = "1.008\r\n4.0026\r\n6.94\r\n\x1a" "9.0122\r\n";
  files.period = "1\r1\r2";  // lone carriage returns go too: "112"
  write_files(folder, files);

  ElementTable table;
  const int before = open_descriptors();
  {
    WorkingDirectory inside(folder.path());
    ASSERT_EQ(open_and_load_element_table(table), LoadResult::LOADED);
  }
  EXPECT_EQ(open_descriptors(), before) << "a data file was left open";
  ASSERT_EQ(table.count, 3);
  EXPECT_STREQ(table.records[0].symbol, "H");
  EXPECT_STREQ(table.records[1].name, "Helium");
  EXPECT_EQ(table.records[2].mass, 6.94f);
  EXPECT_EQ(table.records[0].period, 112);
  EXPECT_EQ(table.records[1].period, 0);
}

TEST(LoaderFiles, AnyMissingFileLoadsNothing) {
  for (const char* missing : FILE_NAMES) {
    SCOPED_TRACE(testing::Message() << "\"" << missing << "\" is missing");
    TempFolder folder;
    write_files(folder, three_elements());
    std::filesystem::remove(folder.path() / missing);

    ElementTable table;
    table.count = 99;
    const int before = open_descriptors();
    {
      WorkingDirectory inside(folder.path());
      EXPECT_EQ(open_and_load_element_table(table), LoadResult::MISSING_FILE);
    }
    EXPECT_EQ(table.count, 0);
    EXPECT_EQ(open_descriptors(), before) << "a data file was left open";
  }
}

// A folder in place of a data file is there but holds no tokens: its field
// stays empty, and a "mass" folder gives an empty table.
TEST(LoaderFiles, FolderInPlaceOfAFileReadsAsEmpty) {
  for (const char* name : FILE_NAMES) {
    SCOPED_TRACE(testing::Message() << "\"" << name << "\" is a folder");
    TempFolder folder;
    write_files(folder, three_elements());
    std::filesystem::remove(folder.path() / name);
    std::filesystem::create_directory(folder.path() / name);

    ElementTable table;
    {
      WorkingDirectory inside(folder.path());
      EXPECT_EQ(open_and_load_element_table(table), LoadResult::LOADED);
    }
    const std::string field = name;
    EXPECT_EQ(table.count, field == "mass" ? 0 : 3);
    if (table.count == 0) continue;
    if (field == "symbol") {
      EXPECT_STREQ(table.records[1].symbol, "");
    } else {
      EXPECT_STREQ(table.records[1].symbol, "He");
    }
    if (field == "name") {
      EXPECT_STREQ(table.records[1].name, "");
    }
  }
}

// ---------------------------------------------------------------------------
// Text-mode files

std::string read_all(TextFile& file) {
  std::string text;
  for (int c = 0; file.read_char(c);) {
    EXPECT_GE(c, 0);
    EXPECT_LE(c, 255);
    text.push_back(static_cast<char>(c));
  }
  return text;
}

TEST(TextFile, DropsCarriageReturnsAndEndsAtByte26) {
  struct Case {
    std::string bytes, text;
  };
  const Case cases[] = {
      {"", ""},
      {"H\r\nHe\r\n", "H\nHe\n"},
      {"H\nHe", "H\nHe"},
      {"a\rb\r", "ab"},
      {"\r\r\n\r", "\n"},
      {"12\x1a" "34\n", "12"},
      {"\x1a" "abc", ""},
      {"x\r\x1a\r\ny", "x"},
      {"\x80\xfe\xff\x01\t", "\x80\xfe\xff\x01\t"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "file " << testing::PrintToString(c.bytes));
    folder.write("text", c.bytes);
    TextFile file;
    ASSERT_TRUE(file.open((folder.path() / "text").c_str()));
    EXPECT_EQ(read_all(file), c.text);
    int c_after_end = -7;
    EXPECT_FALSE(file.read_char(c_after_end));
    EXPECT_EQ(c_after_end, -7) << "a read at the end changed its character";

    // The stream serves the same text.
    ASSERT_TRUE(file.open((folder.path() / "text").c_str()));
    const std::string streamed{std::istreambuf_iterator<char>(file.stream()), {}};
    EXPECT_EQ(streamed, c.text);
  }
}

TEST(TextFile, LongFileIsFilteredThroughout) {
  // Longer than any buffer, with CR LF pairs straddling every boundary.
  std::string bytes, text;
  for (int i = 0; i < 3000; ++i) {
    bytes += "line " + std::to_string(i) + "\r\n";
    text += "line " + std::to_string(i) + "\n";
  }
  bytes += "\x1a" "after the end\r\n";
  TempFolder folder;
  folder.write("long", bytes);
  TextFile file;
  ASSERT_TRUE(file.open((folder.path() / "long").c_str()));
  EXPECT_EQ(read_all(file), text);
}

TEST(TextFile, OpensByNameInTheWorkingDirectory) {
  TempFolder folder;
  folder.write("head", "banner\r\n");
  folder.write("other", "second\x1a");
  std::filesystem::create_directory(folder.path() / "folder");
  WorkingDirectory inside(folder.path());

  TextFile file;
  EXPECT_FALSE(file.is_open());
  int c = 0;
  EXPECT_FALSE(file.read_char(c)) << "a file never opened reads nothing";

  EXPECT_FALSE(file.open("missing"));
  EXPECT_FALSE(file.is_open());
  EXPECT_TRUE(file.open("folder")) << "a folder is there";
  EXPECT_EQ(read_all(file), "") << "but holds no text";
  EXPECT_FALSE(file.read_char(c));

  ASSERT_TRUE(file.open("other"));
  EXPECT_EQ(read_all(file), "second");
  // Opening again starts the new file from its beginning, although the last
  // one had ended at byte 26.
  ASSERT_TRUE(file.open("head"));
  EXPECT_TRUE(file.is_open());
  EXPECT_EQ(read_all(file), "banner\n");

  file.close();
  EXPECT_FALSE(file.is_open());
  EXPECT_FALSE(file.read_char(c));
  EXPECT_FALSE(file.stream().good());
}

// ---------------------------------------------------------------------------
// Lookup by symbol

/// A table of `symbols`, each stored with junk behind its NUL.
std::unique_ptr<ElementTable> table_of(std::initializer_list<const char*> symbols) {
  auto table = std::make_unique<ElementTable>();
  std::memset(static_cast<void*>(table.get()), 0, sizeof(ElementTable));
  for (const char* symbol : symbols) {
    ElementRecord& record = table->records[table->count++];
    std::memset(record.symbol, 'z', sizeof record.symbol);
    std::memcpy(record.symbol, symbol, std::strlen(symbol) + 1);
  }
  return table;
}

std::vector<int32_t> matches(const char* token, const ElementTable& table) {
  // The token as the scanner hands it over: in a 4-character buffer, with
  // whatever behind its NUL.
  char buffer[ELEMENT_SYMBOL_SIZE];
  std::memset(buffer, 'x', sizeof buffer);
  std::memcpy(buffer, token, std::strlen(token) + 1);
  std::vector<int32_t> found;
  find_element(buffer, table, [&](int32_t position) { found.push_back(position); });
  return found;
}

TEST(FindElement, YieldsEveryMatchInTableOrderWithCase) {
  const auto table = table_of({"C", "Co", "CO", "O", "Co", "Uuo"});
  struct Case {
    const char* token;
    std::vector<int32_t> positions;
  };
  const Case cases[] = {
      {"Co", {1, 4}},  // found twice, in table order
      {"C", {0}},
      {"CO", {2}},
      {"O", {3}},
      {"Uuo", {5}},
      {"co", {}},
      {"cO", {}},
      {"Uu", {}},
      {"Cox", {}},
      {"X", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "token " << c.token);
    EXPECT_EQ(matches(c.token, *table), c.positions);
  }
}

TEST(FindElement, LooksAtLoadedRecordsOnly) {
  auto table = table_of({"H", "He", "Li"});
  table->count = 2;  // "Li" lies beyond the loaded records
  EXPECT_EQ(matches("Li", *table), std::vector<int32_t>{});
  EXPECT_EQ(matches("He", *table), std::vector<int32_t>{1});
  table->count = 0;
  EXPECT_EQ(matches("H", *table), std::vector<int32_t>{});
}

}  // namespace
