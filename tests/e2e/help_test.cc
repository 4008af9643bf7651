// Transcripts of the help screens: the real binary driven through a pipe, its
// whole output compared byte for byte; and About in a pseudo-terminal after
// the banner file has gone.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/fixture.h"
#include "support/run_program.h"
#include "support/screen_texts.h"

namespace {

// ---- The texts the program writes ------------------------------------------

const std::string BANNER = "chemterm test banner\n";

// The eight feature texts, one directly after the other.
const std::string FEATURES =
    std::string("\t\t\t::FEATURES::\n*Molecular mass calculator\n*Composition calculator- Get "
                "percentage of elements present in a compound") +
    "\n*List of elements-Show list of all elements with IUPAC names and symbols in \n  "
    "increasing order of Atomic Numbers" +
    "\n*Properties of elements- Get Density, Group, Period,Atomic no, Molecular mass, \n  "
    "Melting point, Boiling point for elements" +
    "\n\n\n\t\t\t::HOW TO ENTER::\n*Compound names need to be entered with symbols of elements "
    "followed by the \n  subscript\n   eg:\tNa2O\n\tC3H6" +
    "\n*Co and CO do not mean the same Co is Cobalt and CO is compound with one Carbon\n  and "
    "one Oxygen atom" +
    "\n*Refer to list of elements for symbols" +
    "\n*CH3COOH and NOOH are automatically read as C2H4O2 and NO2 respectively" +
    "\n*Support for  parenthesis(only 1 pair)\n   eg:  Al2(SO4)3";

// The contact text, with the project's address and site.
const std::string CONTACT =
    "\n\nYou can contact the programmer for any bugs or suggestions at \n\n\t\t"
    "support@chemterm.example"
    "\n\n\tWebsite :: "
    "https://chemterm.example"
    " ";

const std::string START = BANNER + BANNER_PROMPT + MENU;
const std::string BANNER_KEY = "x";

// ---- Data sets ---------------------------------------------------------------

// The help screens read no element data: one element is enough.
const std::vector<FixtureElement> ELEMENTS = {
    {"H", "Hydrogen", "1.008", "0.00008988", "13.81", "20.28", "1", "1"},
};

// ---- Topics -------------------------------------------------------------------

TEST(HelpTranscript, TopicsInEitherCase) {
  struct Case {
    const char* key;
    std::string topic;  // what replaces the help menu before the closing prompt
  };
  const Case cases[] = {
      {"a", BANNER}, {"A", BANNER}, {"f", FEATURES}, {"F", FEATURES},
      {"o", CONTACT}, {"O", CONTACT},
      // Any other key: the closing prompt right under the help menu. E does
      // not end the program here.
      {"E", ""}, {"e", ""}, {"x", ""}, {"\n", ""}, {"5", ""},
  };
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("key ") + c.key);
    expect_transcript(dir, BANNER_KEY + "h" + c.key + "e", START + HELP_MENU + c.topic + CLOSING);
  }
}

// The key at the closing prompt is lower-cased: E and e end the program, any
// other key shows the menu again.
TEST(HelpTranscript, ClosingKeys) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  expect_transcript(dir, BANNER_KEY + "h" + "f" + "E", START + HELP_MENU + FEATURES + CLOSING);
  expect_transcript(dir, BANNER_KEY + "h" + "E" + "E", START + HELP_MENU + CLOSING);
  expect_transcript(dir, BANNER_KEY + "h" + "o" + "X" + "e",
                    START + HELP_MENU + CONTACT + CLOSING + MENU);
  expect_transcript(dir, BANNER_KEY + "h" + "E" + "x" + "h" + "a" + "e",
                    START + HELP_MENU + CLOSING + MENU + HELP_MENU + BANNER + CLOSING);
}

// A key without a character arrives as 0, which chooses no topic, and its
// second code, which answers the closing prompt at once.
TEST(HelpTranscript, ExtendedKeyAtTheHelpMenuReturnsAtOnce) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  // Cursor right: 0, then 77 (M), which is no e: the menu comes back.
  expect_transcript(dir, BANNER_KEY + "h" + "\x1b[C" + "e", START + HELP_MENU + CLOSING + MENU);
  // Ctrl+F8: 0, then 101 (e), which ends the program; the x is never read.
  expect_transcript(dir, BANNER_KEY + "h" + "\x1b[19;5~" + "x" + "e",
                    START + HELP_MENU + CLOSING);
}

// About copies the banner file as text: character for character, carriage
// returns dropped, nothing after a character 26, nothing added.
TEST(HelpTranscript, AboutShowsTheBannerFileExactly) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, "  line one\r\n\tline two  \r\nno line end\x1a after the end");
  const std::string shown = "  line one\n\tline two  \nno line end";
  expect_transcript(dir, BANNER_KEY + "h" + "a" + "e",
                    shown + BANNER_PROMPT + MENU + HELP_MENU + shown + CLOSING);
}

TEST(HelpTranscript, AboutShowsTheShippedBanner) {
  std::ifstream file(std::string(CHEMTERM_SOURCE_DIR) + "/data/head", std::ios::binary);
  std::string banner;
  for (char c; file.get(c) && c != 26;) {
    if (c != '\r') banner += c;
  }
  ASSERT_FALSE(banner.empty());
  TempDir dir;
  dir.copy_shipped_data();
  expect_transcript(dir, BANNER_KEY + "h" + "a" + "e",
                    banner + BANNER_PROMPT + MENU + HELP_MENU + banner + CLOSING);
}

// The banner was there at start-up and is gone when About is chosen: the topic
// shows nothing and the closing prompt follows.
TEST(HelpTranscript, AboutAfterTheBannerFileWasRemoved) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  PtySession session(dir.path());
  ASSERT_TRUE(session.wait_for("Press any key to continue"));
  ASSERT_TRUE(session.wait_for_key_mode());
  session.send("x");
  ASSERT_TRUE(session.wait_for("'E'xit"));
  ASSERT_TRUE(session.wait_for_key_mode());
  session.send("h");
  ASSERT_TRUE(session.wait_for("'O'nline support"));
  ASSERT_TRUE(session.wait_for_key_mode());
  dir.remove("head");
  const size_t before_topic = session.output().size();
  session.send("a");
  ASSERT_TRUE(session.wait_for("Press 'E' to exit or any other key to continue "));
  const std::string topic = session.output().substr(before_topic);
  EXPECT_EQ(topic.find("chemterm test banner"), std::string::npos) << topic;
  const std::string prompt_on_terminal =
      "\r\n\r\n\r\n\r\nPress 'E' to exit or any other key to continue ";
  ASSERT_GE(topic.size(), prompt_on_terminal.size());
  EXPECT_EQ(topic.substr(topic.size() - prompt_on_terminal.size()), prompt_on_terminal);
  ASSERT_TRUE(session.wait_for_key_mode());
  session.send("e");
  EXPECT_EQ(session.wait_exit(), 0);
}

}  // namespace
