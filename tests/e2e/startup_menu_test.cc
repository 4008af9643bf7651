// The start-up sequence, the main menu and the loading of the data files,
// seen from outside: the real program in a fresh folder, its standard input
// a byte string, its standard output compared byte for byte. Through a pipe
// the console writes no control sequences, so the output is the screens'
// text alone.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/fixture.h"
#include "support/run_program.h"
#include "support/screen_texts.h"

namespace {

// ---- Texts the program writes ------------------------------------------------

// The rows of the fixture below on the first list of a run: masses with six
// significant digits and show-point.
const std::string ROW_H = "\n   1\t\tH  \t\t  Hydrogen    \t\t   1.00800";
const std::string ROW_C = "\n   2\t\tC  \t\t  Carbon      \t\t   12.0110";
const std::string ROW_O = "\n   3\t\tO  \t\t  Oxygen      \t\t   15.9990";
const std::string ROW_NA = "\n   4\t\tNa \t\t  Sodium      \t\t   22.9900";

const std::string FIXTURE_LIST = LIST_HEADER + ROW_H + ROW_C + ROW_O + ROW_NA + CLOSING;

// ---- Fixture -------------------------------------------------------------------

const std::string BANNER = "  chemterm (test)\nmasses and more\n";

const char* const DATA_FILE_NAMES[] = {"symbol", "mass", "name",  "density",
                                       "melt",   "boil", "group", "period"};

// Four elements, written with the banner above.
const std::vector<FixtureElement> ELEMENTS = {
    {"H", "Hydrogen", "1.008", "0.0899", "14.01", "20.28", "1", "1"},
    {"C", "Carbon", "12.011", "2.267", "3800", "4300", "14", "2"},
    {"O", "Oxygen", "15.999", "1.429", "54.36", "90.2", "16", "2"},
    {"Na", "Sodium", "22.99", "0.968", "370.87", "1156", "1", "3"},
};

// Everything up to the first menu, for the fixture's banner.
const std::string START = BANNER + BANNER_PROMPT;

// Runs the program and checks what every run must show: it ended by itself,
// with status 0, and wrote nothing to standard error.
ProgramResult run_ok(const TempDir& dir, const std::string& input,
                     const std::vector<std::string>& args = {}) {
  ProgramResult result = run_piped(dir.path(), input, args);
  EXPECT_FALSE(result.timed_out) << "input: " << testing::PrintToString(input);
  EXPECT_EQ(result.exit_status, 0) << "input: " << testing::PrintToString(input);
  EXPECT_EQ(result.error_output, "");
  return result;
}

}  // namespace

// ---- Start-up --------------------------------------------------------------------

TEST(StartupTranscript, BannerPromptThenMenuAndEnd) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  const ProgramResult result = run_ok(dir, "ke");
  EXPECT_EQ(result.output, START + MENU);
}

// The banner is copied as read in text mode: nothing added before or after
// it, carriage returns dropped, and a byte 26 ends it.
TEST(StartupTranscript, BannerCopiedAsText) {
  struct Case {
    const char* what;
    std::string file;
    std::string shown;
  };
  const Case cases[] = {
      {"empty banner: only the nine line breaks and the prompt", "", ""},
      {"no final line break", "one line, no end", "one line, no end"},
      // The prompt stands ten lines below the last banner line.
      {"final line break", "line one\nline two\n", "line one\nline two\n"},
      {"blank lines and tabs kept", "\n\n\tindented\n\n", "\n\n\tindented\n\n"},
      {"CR LF line ends", "first\r\nsecond\r\n", "first\nsecond\n"},
      {"byte 26 ends the file", "shown\n\x1ahidden\n", "shown\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    dir.write("head", c.file);
    const ProgramResult result = run_ok(dir, "ke");
    EXPECT_EQ(result.output, c.shown + BANNER_PROMPT + MENU);
  }
}

// Without the banner the program says so, takes one key and ends: no banner,
// no prompt, no menu, even when the data files are there.
TEST(StartupTranscript, MissingBannerEndsAfterOneKey) {
  struct Case {
    const char* what;
    bool data_files;
    std::string input;
  };
  const Case cases[] = {
      {"data present, keys after the first are not read", true, "xLe"},
      {"data present, input at its end", true, ""},
      {"no data files either", false, "m"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    if (c.data_files) write_fixture(dir, ELEMENTS, BANNER);
    dir.remove("head");
    const ProgramResult result = run_ok(dir, c.input);
    EXPECT_EQ(result.output, MISSING_FILES);
  }
}

TEST(StartupTranscript, ArgumentsIgnored) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  const std::string input = "kLx e";
  const std::string expected = START + MENU + FIXTURE_LIST + MENU + MENU;
  EXPECT_EQ(run_ok(dir, input).output, expected);
  EXPECT_EQ(run_ok(dir, input, {"--help"}).output, expected);
  EXPECT_EQ(run_ok(dir, input, {"-h", "mass", "L", "e", ""}).output, expected);
}

TEST(StartupTranscript, WritesNoFiles) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  const std::vector<std::string> before = dir.file_names();
  run_ok(dir, "kLxPH\nxMH2O\nxCNaOH\nxHAxe");
  EXPECT_EQ(dir.file_names(), before);
}

// The files shipped with the program start it: their banner is shown as it
// is, and the list holds the 118 elements.
TEST(StartupTranscript, ShippedDataStartTheProgram) {
  TempDir dir;
  dir.copy_shipped_data();
  const std::string banner = read_file(dir.path() + "/head");
  ASSERT_FALSE(banner.empty());
  const ProgramResult result = run_ok(dir, "kLe");
  const std::string start = banner + BANNER_PROMPT + MENU + LIST_HEADER;
  ASSERT_EQ(result.output.substr(0, start.size()), start);
  EXPECT_EQ(occurrences(result.output, "\n   1\t\tH  \t\t  Hydrogen"), 1u);
  EXPECT_EQ(occurrences(result.output, "\n 118\t\tOg \t\t  Oganesson"), 1u);
  EXPECT_EQ(occurrences(result.output, "\n 119\t\t"), 0u);
  EXPECT_EQ(result.output.substr(result.output.size() - CLOSING.size()), CLOSING);
}

// ---- The menu --------------------------------------------------------------------

// Every key that is not a menu choice draws the menu again; e and E end.
// Through a pipe each byte is a key; an extended key is two keys, 0 and its
// code, so Ctrl+F8 (code 101, e) ends the program after one redraw.
TEST(MenuTranscript, RedrawnUntilE) {
  struct Case {
    const char* what;
    std::string keys;  // after the key that closes the banner
    int menus;
  };
  const Case cases[] = {
      {"E ends at once", "E", 1},
      {"e ends at once", "e", 1},
      {"x redraws", "xe", 2},
      {"5 redraws", "5E", 2},
      {"Enter as a line feed redraws", "\ne", 2},
      {"Enter as a carriage return redraws", "\re", 2},
      {"blank, tab and punctuation redraw", " \t#'e", 5},
      {"letters that are no choice redraw", "qzXae", 5},
      {"Ctrl+C is a key like any other", "\x03e", 2},
      {"Escape at the end of the input redraws, then the input ends", "\x1b", 2},
      {"Ctrl+F8 redraws for the 0 and ends for its code 101", "\x1b[19;5~", 2},
      {"keys after e are never read", "eLLL", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    const ProgramResult result = run_ok(dir, "k" + c.keys);
    EXPECT_EQ(result.output, START + repeated(MENU, c.menus));
  }
}

TEST(MenuTranscript, ListThenEEndsWithoutMenu) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  EXPECT_EQ(run_ok(dir, "kLE").output, START + MENU + FIXTURE_LIST);
  EXPECT_EQ(run_ok(dir, "kle").output, START + MENU + FIXTURE_LIST);
}

TEST(MenuTranscript, ListThenOtherKeyShowsMenuAgain) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  EXPECT_EQ(run_ok(dir, "kLxLe").output, START + MENU + FIXTURE_LIST + MENU + FIXTURE_LIST);
}

// A menu letter in lower case runs the same screen as in upper case.
TEST(MenuTranscript, LowerCaseChoicesRunTheSameScreens) {
  struct Case {
    const char* upper;
    const char* lower;
  };
  const Case cases[] = {
      {"kMH2O\nxe", "kmH2O\nxe"}, {"kLxe", "klxe"},     {"kCNaOH\nxe", "kcNaOH\nxe"},
      {"kPNa\nxe", "kpNa\nxe"},   {"kHAxxe", "khAxxe"},
  };
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  const std::string menu_only = START + MENU + MENU;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.upper);
    const std::string upper = run_ok(dir, c.upper).output;
    EXPECT_EQ(run_ok(dir, c.lower).output, upper);
    EXPECT_NE(upper, menu_only) << "the key ran no screen";
    EXPECT_EQ(upper.substr(0, START.size() + MENU.size()), START + MENU);
  }
}

// An extended key is two keys: the 0 draws the menu again, and the code after
// it is the next menu key. Cursor down (80, P) and cursor right (77, M) open
// the screens that ask for a compound; cursor up (72, H) opens help.
TEST(MenuTranscript, ExtendedKeySecondCodeIsNextMenuKey) {
  struct Case {
    const char* what;
    std::string keys;
    std::string same_as;  // the plain keys that must give the same output
  };
  const Case cases[] = {
      {"cursor down opens the properties screen", "\x1b[BNa\nxe", "xPNa\nxe"},
      {"cursor down, ESC O form", "\x1bOBNa\nxe", "xPNa\nxe"},
      {"cursor right opens the molecular mass screen", "\x1b[CH2O\nxe", "xMH2O\nxe"},
      {"cursor up opens help", "\x1b[Axe", "xHxe"},
  };
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ProgramResult result = run_ok(dir, "k" + c.keys);
    EXPECT_EQ(result.output, run_ok(dir, "k" + c.same_as).output);
  }
  const ProgramResult down = run_ok(dir, "k\x1b[BNa\ne");
  EXPECT_EQ(down.output.substr(0, START.size() + 2 * MENU.size() + FORMULA_PROMPT.size()),
            START + MENU + MENU + FORMULA_PROMPT);
}

// The same at the banner prompt: the 0 closes the banner and the code after
// it is the first menu key, so the menu is drawn once before the screen.
TEST(MenuTranscript, ExtendedKeyAtBannerPromptGivesFirstMenuKey) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  EXPECT_EQ(run_ok(dir, "\x1b[Be").output.substr(0, START.size() + MENU.size() + FORMULA_PROMPT.size()),
            START + MENU + FORMULA_PROMPT);
  EXPECT_EQ(run_ok(dir, "\x1b[BNa\nxe").output, run_ok(dir, "kPNa\nxe").output);
  EXPECT_EQ(run_ok(dir, "\x1b[19;5~").output, START + MENU);  // Ctrl+F8: 101 is e
}

// At the end of the input every key read gives E: whichever prompt the
// input ends at, the program leaves through its normal path, without
// drawing the menu again, and never waits.
TEST(MenuTranscript, EndOfInputAtEveryPromptEnds) {
  struct Case {
    const char* what;
    std::string input;
    int menus;
  };
  const Case cases[] = {
      {"banner prompt", "", 1},
      {"menu", "k", 1},
      {"element list closing prompt", "kL", 1},
      {"molecular mass compound prompt", "kM", 1},
      {"molecular mass compound prompt, half a line", "kMH2", 1},
      {"molecular mass closing prompt", "kMH2O\n", 1},
      {"composition compound prompt", "kC", 1},
      {"composition closing prompt", "kCNaOH\n", 1},
      {"properties symbol prompt", "kP", 1},
      {"properties closing prompt", "kPNa\n", 1},
      {"error screen", "kM2H\n", 1},
      {"help menu", "kH", 1},
      {"help topic", "kHA", 1},
      {"after a screen and a redraw", "kLx", 2},
  };
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ProgramResult result = run_ok(dir, c.input);
    EXPECT_EQ(occurrences(result.output, MENU), static_cast<size_t>(c.menus));
  }
  EXPECT_EQ(run_ok(dir, "").output, START + MENU);
  EXPECT_EQ(run_ok(dir, "k").output, START + MENU);
  EXPECT_EQ(run_ok(dir, "kL").output, START + MENU + FIXTURE_LIST);
}

// ---- The data files ----------------------------------------------------------------

// With the banner there and one data file missing, the banner comes first;
// the message follows the key that answers its prompt, on the cleared start-up
// screen, and one more key ends the program.
TEST(DataFilesTranscript, EachMissingFileEndsAfterBanner) {
  for (const char* name : DATA_FILE_NAMES) {
    SCOPED_TRACE(name);
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    dir.remove(name);
    EXPECT_EQ(run_ok(dir, "kxLe").output, START + MISSING_FILES);
    EXPECT_EQ(run_ok(dir, "k").output, START + MISSING_FILES);
  }
}

TEST(DataFilesTranscript, SeveralMissingFilesGiveTheSameMessage) {
  const std::vector<std::vector<const char*>> cases = {
      {"symbol", "mass", "name", "density", "melt", "boil", "group", "period"},
      {"mass", "period"},
      {"symbol", "name"},
  };
  for (const std::vector<const char*>& missing : cases) {
    SCOPED_TRACE(testing::PrintToString(missing));
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    for (const char* name : missing) dir.remove(name);
    EXPECT_EQ(run_ok(dir, "kxe").output, START + MISSING_FILES);
  }
}

// A folder where "mass" should be opens but holds nothing: no elements, and
// the program runs on.
TEST(DataFilesTranscript, FolderInPlaceOfMassLoadsNoElements) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  dir.remove("mass");
  std::filesystem::create_directory(dir.path() + "/mass");
  EXPECT_EQ(run_ok(dir, "kLe").output, START + MENU + LIST_HEADER + CLOSING);
}

// The "mass" file sets the count: white space after its last number changes
// nothing, and so does the way the tokens are spread over lines.
TEST(DataFilesTranscript, MassFileEndingsGiveSameTable) {
  struct Case {
    const char* what;
    std::string mass;
  };
  const Case cases[] = {
      {"line end after the last mass", "1.008\n12.011\n15.999\n22.99\n"},
      {"no line end after the last mass", "1.008\n12.011\n15.999\n22.99"},
      {"blank lines and blanks after the last mass", "1.008\n12.011\n15.999\n22.99\n\n  \t\n"},
      {"CR LF line ends", "1.008\r\n12.011\r\n15.999\r\n22.99\r\n"},
      {"all on one line", "1.008 12.011\t15.999  22.99"},
      {"byte 26 ends the file", "1.008\n12.011\n15.999\n22.99\n\x1a" "99.9\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    dir.write("mass", c.mass);
    EXPECT_EQ(run_ok(dir, "kLe").output, START + MENU + FIXTURE_LIST);
  }
}

// Fewer symbols than masses: the records past the last symbol have none, the
// other fields load as usual.
TEST(DataFilesTranscript, ShortSymbolFileLeavesLaterSymbolsEmpty) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  dir.write("symbol", "H\nC\n");
  const std::string rows = ROW_H + ROW_C + "\n   3\t\t   \t\t  Oxygen      \t\t   15.9990" +
                           "\n   4\t\t   \t\t  Sodium      \t\t   22.9900";
  EXPECT_EQ(run_ok(dir, "kLe").output, START + MENU + LIST_HEADER + rows + CLOSING);
}

// A token in "mass" that is not a number ends the loading there; the records
// before it stay.
TEST(DataFilesTranscript, NonNumericMassEndsLoading) {
  struct Case {
    const char* what;
    std::string mass;
    std::string rows;
  };
  const Case cases[] = {
      {"a word in third place", "1.008\n12.011\nabc\n22.99\n", ROW_H + ROW_C},
      {"a sign alone in third place", "1.008\n12.011\n-\n22.99\n", ROW_H + ROW_C},
      {"a word first", "mass\n1.008\n12.011\n15.999\n", ""},
      {"a comma for a point", "1.008\n12,011\n15.999\n22.99\n", ROW_H + "\n   2\t\tC  \t\t  Carbon      \t\t   12.0000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    dir.write("mass", c.mass);
    EXPECT_EQ(run_ok(dir, "kLe").output, START + MENU + LIST_HEADER + c.rows + CLOSING);
  }
}

TEST(DataFilesTranscript, EmptyMassFileLoadsNoElements) {
  for (const std::string mass : {"", "\n\n", "  \t "}) {
    SCOPED_TRACE(testing::PrintToString(mass));
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    dir.write("mass", mass);
    EXPECT_EQ(run_ok(dir, "kLe").output, START + MENU + LIST_HEADER + CLOSING);
  }
}

// The table holds 150 elements: with 200 records in the files the list shows
// the first 150 and nothing of the rest.
TEST(DataFilesTranscript, MoreThan150RecordsLoadsFirst150) {
  constexpr int RECORDS = 200;
  std::string symbols, masses, names, numbers, integers;
  for (int i = 1; i <= RECORDS; ++i) {
    symbols += "Xq\n";
    masses += "2\n";
    names += "E" + std::to_string(i) + "\n";
    numbers += "1.5\n";
    integers += "1\n";
  }
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  dir.write("symbol", symbols);
  dir.write("mass", masses);
  dir.write("name", names);
  for (const char* name : {"density", "melt", "boil"}) dir.write(name, numbers);
  for (const char* name : {"group", "period"}) dir.write(name, integers);

  // Atomic number right-aligned in 4, name left-aligned in 12, mass 2 with
  // six significant digits right-aligned in 10.
  std::string rows;
  for (int i = 1; i <= 150; ++i) {
    const std::string number = std::to_string(i);
    const std::string name = "E" + number;
    rows += "\n" + std::string(4 - number.size(), ' ') + number + "\t\tXq \t\t  " + name +
            std::string(12 - name.size(), ' ') + "\t\t   2.00000";
  }
  const ProgramResult result = run_ok(dir, "kLe");
  EXPECT_EQ(result.output, START + MENU + LIST_HEADER + rows + CLOSING);
  EXPECT_EQ(occurrences(result.output, "E151"), 0u);
}
