// The console on a real terminal: key reads in raw mode without echo, the
// decoding of escape sequences, colours and clearing, and the terminal left as
// it was found, after a normal end and after a signal. Run in a
// pseudo-terminal, whose output turns every "\n" into "\r\n".

#include <gtest/gtest.h>
#include <signal.h>
#include <termios.h>

#include <string>
#include <vector>

#include "support/fixture.h"
#include "support/run_program.h"
#include "support/screen_texts.h"

namespace {

// ---- Texts the program writes ------------------------------------------------

// xterm control sequences.
const std::string RESET_ATTRIBUTES = "\x1b[0m";
const std::string ERASE_WINDOW = "\x1b[2J";
const std::string CURSOR_HOME = "\x1b[H";
const std::string START_UP_COLOURS = "\x1b[104;97m";  // color 9f: bright white on light blue
const std::string MENU_COLOURS = "\x1b[106;31m";      // color b4: red on light aqua

// ---- Fixture -------------------------------------------------------------------

const std::string BANNER = "  chemterm (test)\nmasses and more\n";

const std::vector<FixtureElement> ELEMENTS = {
    {"H", "Hydrogen", "1.008", "0.0899", "14.01", "20.28", "1", "1"},
    {"C", "Carbon", "12.011", "2.267", "3800", "4300", "14", "2"},
    {"O", "Oxygen", "15.999", "1.429", "54.36", "90.2", "16", "2"},
    {"Na", "Sodium", "22.99", "0.968", "370.87", "1156", "1", "3"},
};

// The terminal turns each line feed the program writes into CR LF.
std::string on_terminal(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

// Sends `keys` once the program waits in a key read: sent earlier, the
// terminal would still echo them in line mode.
void press(PtySession& session, const std::string& keys) {
  ASSERT_TRUE(session.wait_for_key_mode()) << "no key read for " << testing::PrintToString(keys);
  session.send(keys);
}

// Starts the program and answers the banner prompt: afterwards it waits at
// the menu.
void reach_menu(PtySession& session) {
  ASSERT_TRUE(session.wait_for(on_terminal(BANNER_PROMPT)));
  press(session, "k");
  ASSERT_TRUE(session.wait_for(on_terminal(MENU)));
}

// A user's own settings, other than the system's defaults: what the program
// puts back must be these, not some settings of its own.
void unusual_settings(struct termios& settings) {
  settings.c_cc[VERASE] = 8;
  settings.c_cc[VKILL] = 11;
  settings.c_lflag &= ~static_cast<tcflag_t>(ECHOCTL | ECHOK);
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON);
}

}  // namespace

// ---- The console layer, through the probe -------------------------------------------

TEST(PtyConsole, KeyReadIsNotEchoed) {
  TempDir dir;
  PtySession probe(dir.path(), PtyTarget::CONSOLE_PROBE);
  ASSERT_TRUE(probe.wait_for("ready\r\n"));
  press(probe, "x");
  ASSERT_TRUE(probe.wait_for("120\r\n"));
  // No "x" from the terminal's echo in front of the code.
  EXPECT_EQ(probe.output(), "ready\r\n120\r\n");
  press(probe, "q");
  EXPECT_EQ(probe.wait_exit(), 0);
}

// Each row is sent in one write; the probe writes one code per key read.
TEST(PtyConsole, KeysArriveAsCodes) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string codes;
  };
  const Case cases[] = {
      {"cursor right, CSI form: 0, then 77", "\x1b[C", "0\r\n77\r\n"},
      {"cursor right, SS3 form", "\x1bOC", "0\r\n77\r\n"},
      {"cursor down", "\x1b[B", "0\r\n80\r\n"},
      {"Ctrl+F8", "\x1b[19;5~", "0\r\n101\r\n"},
      {"Enter is 13, not translated to a line feed", "\r", "13\r\n"},
      {"Ctrl+C is 3, no signal", "\x03", "3\r\n"},
      {"Ctrl+Z is 26, no stop", "\x1a", "26\r\n"},
      {"Ctrl+\\ is 28, no quit", "\x1c", "28\r\n"},
      {"Ctrl+S is 19, no flow control", "\x13", "19\r\n"},
      {"Ctrl+V is 22 and quotes nothing", "\x16x", "22\r\n120\r\n"},
      {"Ctrl+D is 4, not the end of the input", "\x04", "4\r\n"},
      {"two keys in one write", "ab", "97\r\n98\r\n"},
      // Nothing follows the Escape: it is a key of its own after a short wait.
      {"lone Escape", "\x1b", "27\r\n"},
      {"a key after a lone Escape", "m", "109\r\n"},
  };
  TempDir dir;
  PtySession probe(dir.path(), PtyTarget::CONSOLE_PROBE);
  ASSERT_TRUE(probe.wait_for("ready\r\n"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const size_t before = probe.output().size();
    press(probe, c.bytes);
    ASSERT_TRUE(probe.wait_for(c.codes)) << testing::PrintToString(probe.output().substr(before));
    EXPECT_EQ(probe.output().substr(before), c.codes);
  }
  press(probe, "q");
  EXPECT_EQ(probe.wait_exit(), 0);
}

TEST(PtyConsole, CtrlCDoesNotEndTheProgram) {
  TempDir dir;
  PtySession probe(dir.path(), PtyTarget::CONSOLE_PROBE);
  ASSERT_TRUE(probe.wait_for("ready\r\n"));
  press(probe, "\x03");
  ASSERT_TRUE(probe.wait_for("3\r\n"));
  // Still there and still reading keys.
  press(probe, "x");
  ASSERT_TRUE(probe.wait_for("120\r\n"));
  press(probe, "q");
  EXPECT_EQ(probe.wait_exit(), 0);
  EXPECT_EQ(probe.output().substr(0, 15), "ready\r\n3\r\n120\r\n");
}

// Raw mode lasts one key read; at the end the terminal is as it was before
// the program started, the user's own settings included.
TEST(PtyConsole, SettingsRestoredAfterExit) {
  for (const TerminalAdjust adjust : {TerminalAdjust{nullptr}, TerminalAdjust{unusual_settings}}) {
    SCOPED_TRACE(adjust == nullptr ? "default settings" : "a user's own settings");
    TempDir dir;
    PtySession probe(dir.path(), PtyTarget::CONSOLE_PROBE, adjust);
    const std::string before = probe.initial_terminal_settings();
    ASSERT_TRUE(probe.wait_for("ready\r\n"));
    ASSERT_TRUE(probe.wait_for_key_mode());
    EXPECT_NE(probe.terminal_settings(), before);  // in raw mode while it waits
    probe.send("\x1b[Cq");
    ASSERT_TRUE(probe.wait_for("113\r\n"));
    EXPECT_EQ(probe.wait_exit(), 0);
    EXPECT_EQ(probe.terminal_settings(), before);
  }
}

// ---- The program ----------------------------------------------------------------------

// Start-up: "cls", the start-up colours, the banner and its prompt; then the
// menu on a cleared window in its own colours.
TEST(PtyProgram, StartUpAndMenuColours) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  PtySession program(dir.path());
  EXPECT_TRUE(program.wait_for(ERASE_WINDOW));
  EXPECT_TRUE(program.wait_for(CURSOR_HOME));
  EXPECT_TRUE(program.wait_for(START_UP_COLOURS));
  EXPECT_TRUE(program.wait_for(on_terminal(BANNER + BANNER_PROMPT)));
  press(program, "k");
  // "cls" after the banner, then the menu's clear (attributes reset, window
  // erased, cursor home) and its colours, in this order.
  EXPECT_TRUE(program.wait_for(ERASE_WINDOW));
  EXPECT_TRUE(program.wait_for(RESET_ATTRIBUTES));
  EXPECT_TRUE(program.wait_for(ERASE_WINDOW));
  EXPECT_TRUE(program.wait_for(CURSOR_HOME));
  EXPECT_TRUE(program.wait_for(MENU_COLOURS));
  EXPECT_TRUE(program.wait_for(on_terminal(MENU)));
  press(program, "e");
  EXPECT_EQ(program.wait_exit(), 0);
  // The shell's later output comes in its own colours.
  EXPECT_NE(program.output_after_match().find(RESET_ATTRIBUTES), std::string::npos)
      << testing::PrintToString(program.output_after_match());
}

// Cursor down at the menu: the 0 draws the menu again, 80 (P) opens the
// properties screen. Both spellings of the key.
TEST(PtyProgram, CursorDownAtMenuOpensProperties) {
  for (const std::string key : {"\x1b[B", "\x1bOB"}) {
    SCOPED_TRACE(testing::PrintToString(key));
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    PtySession program(dir.path());
    ASSERT_NO_FATAL_FAILURE(reach_menu(program));
    press(program, key);
    ASSERT_TRUE(program.wait_for(on_terminal(MENU)));
    ASSERT_TRUE(program.wait_for(FORMULA_PROMPT));
    EXPECT_EQ(occurrences(program.output(), on_terminal(MENU)), 2u);
    // The symbols are typed in line mode, then a key closes the screen.
    program.send("Na\r");
    ASSERT_TRUE(program.wait_for("Sodium"));
    press(program, "e");
    EXPECT_EQ(program.wait_exit(), 0);
  }
}

// Ctrl+F8: 0 redraws the menu, its code 101 is e and ends the program.
TEST(PtyProgram, CtrlF8AtMenuEnds) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  PtySession program(dir.path());
  ASSERT_NO_FATAL_FAILURE(reach_menu(program));
  press(program, "\x1b[19;5~");
  EXPECT_EQ(program.wait_exit(), 0);
  EXPECT_EQ(occurrences(program.output(), on_terminal(MENU)), 2u);
  EXPECT_EQ(program.output().find(FORMULA_PROMPT), std::string::npos);
}

// At the banner prompt an extended key's 0 closes the banner and its code is
// the first menu key: one menu, then the properties screen.
TEST(PtyProgram, ExtendedKeyAtBannerPromptGivesFirstMenuKey) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  PtySession program(dir.path());
  ASSERT_TRUE(program.wait_for(on_terminal(BANNER_PROMPT)));
  press(program, "\x1b[B");
  ASSERT_TRUE(program.wait_for(on_terminal(MENU)));
  ASSERT_TRUE(program.wait_for(FORMULA_PROMPT));
  EXPECT_EQ(occurrences(program.output(), on_terminal(MENU)), 1u);
  program.send("H\r");
  ASSERT_TRUE(program.wait_for("Hydrogen"));
  press(program, "E");
  EXPECT_EQ(program.wait_exit(), 0);
}

TEST(PtyProgram, CtrlCAtMenuRedraws) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  PtySession program(dir.path());
  ASSERT_NO_FATAL_FAILURE(reach_menu(program));
  press(program, "\x03");
  ASSERT_TRUE(program.wait_for(on_terminal(MENU)));
  press(program, "e");
  EXPECT_EQ(program.wait_exit(), 0);
}

TEST(PtyProgram, SettingsRestoredAfterExit) {
  for (const TerminalAdjust adjust : {TerminalAdjust{nullptr}, TerminalAdjust{unusual_settings}}) {
    SCOPED_TRACE(adjust == nullptr ? "default settings" : "a user's own settings");
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    PtySession program(dir.path(), PtyTarget::CHEMTERM, adjust);
    ASSERT_NO_FATAL_FAILURE(reach_menu(program));
    press(program, "L");
    ASSERT_TRUE(program.wait_for("Sodium"));
    press(program, "x");
    ASSERT_TRUE(program.wait_for(on_terminal(MENU)));
    press(program, "e");
    EXPECT_EQ(program.wait_exit(), 0);
    EXPECT_EQ(program.terminal_settings(), program.initial_terminal_settings());
  }
}

// A signal while the program waits in a key read, with the terminal in raw
// mode: the program ends and the terminal is as it was before it started.
TEST(PtyProgram, SettingsRestoredAfterSignal) {
  struct Case {
    const char* what;
    int signal_number;
    bool at_menu;  // else at the banner prompt
  };
  const Case cases[] = {
      {"SIGTERM at the banner prompt", SIGTERM, false},
      {"SIGTERM at the menu", SIGTERM, true},
      {"SIGINT at the menu", SIGINT, true},
      {"SIGHUP at the menu", SIGHUP, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    PtySession program(dir.path(), PtyTarget::CHEMTERM, unusual_settings);
    if (c.at_menu) {
      ASSERT_NO_FATAL_FAILURE(reach_menu(program));
    } else {
      ASSERT_TRUE(program.wait_for(on_terminal(BANNER_PROMPT)));
    }
    ASSERT_TRUE(program.wait_for_key_mode());
    ASSERT_NE(program.terminal_settings(), program.initial_terminal_settings());
    program.kill_with(c.signal_number);
    EXPECT_NE(program.wait_exit(), -1);
    EXPECT_EQ(program.terminal_settings(), program.initial_terminal_settings());
  }
}

// ---- Screens on a terminal ------------------------------------------------------------

// The formula is typed in the terminal's line mode: echoed as typed, and a
// mistake can be taken back with the erase key before Enter.
TEST(PtyProgram, FormulaIsEchoedAndCanBeCorrected) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  PtySession program(dir.path());
  ASSERT_NO_FATAL_FAILURE(reach_menu(program));
  press(program, "m");
  ASSERT_TRUE(program.wait_for(FORMULA_PROMPT));
  program.send("H2X");
  EXPECT_TRUE(program.wait_for("H2X")) << "the typed text is echoed";
  program.send("\x7f");  // the terminal's erase key
  EXPECT_TRUE(program.wait_for("\b \b")) << "the X is rubbed out on the screen";
  program.send("O\r");
  EXPECT_TRUE(program.wait_for(on_terminal("\n\n\nMass is 18.015 gm/mol")));
  press(program, "e");
  EXPECT_EQ(program.wait_exit(), 0);
}

// Every screen clears the window and sets its own colour pair.
TEST(PtyProgram, EachScreenSetsItsColours) {
  const struct {
    const char* screen;
    const char* key;
    const char* typed;  // the line typed on the screen, if it reads one
    const char* colours;
    bool after_typing;  // the screen comes after the typed line
  } cases[] = {
      {"molecular mass, e2", "m", "H2O\r", "\x1b[103;32m", false},
      {"composition, 3f", "c", "H2O\r", "\x1b[46;97m", false},
      {"element list, f2", "l", "", "\x1b[107;32m", false},
      {"properties, f1", "p", "Na\r", "\x1b[107;34m", false},
      {"help, a4", "h", "", "\x1b[102;31m", false},
      {"error screen, 8e", "m", "h2o\r", "\x1b[100;93m", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.screen);
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    PtySession program(dir.path());
    ASSERT_NO_FATAL_FAILURE(reach_menu(program));
    press(program, c.key);
    const std::string cleared_and_coloured =
        RESET_ATTRIBUTES + ERASE_WINDOW + CURSOR_HOME + c.colours + ERASE_WINDOW + CURSOR_HOME;
    if (!c.after_typing) {
      EXPECT_TRUE(program.wait_for(cleared_and_coloured)) << "cleared, then recoloured as a whole";
    }
    if (*c.typed != '\0') {
      ASSERT_TRUE(program.wait_for(FORMULA_PROMPT));
      program.send(c.typed);
    }
    if (c.after_typing) {
      EXPECT_TRUE(program.wait_for(cleared_and_coloured)) << "cleared, then recoloured as a whole";
    }
    // The help menu takes one key for its topic before its closing prompt.
    if (std::string(c.key) == "h") press(program, "x");
    press(program, "e");
    EXPECT_EQ(program.wait_exit(), 0);
  }
}

// The 118 rows of the shipped list scroll past in the list's colours: no
// other colour or reset comes between the list's colour command and its
// closing prompt.
TEST(PtyProgram, ElementListScrollsInItsColours) {
  TempDir dir;
  dir.copy_shipped_data();
  PtySession program(dir.path());
  ASSERT_TRUE(program.wait_for(on_terminal(BANNER_PROMPT)));
  press(program, "k");
  ASSERT_TRUE(program.wait_for(on_terminal(MENU)));
  press(program, "l");
  ASSERT_TRUE(program.wait_for("\x1b[107;32m"));
  ASSERT_TRUE(program.wait_for(on_terminal(CLOSING)));
  const std::string& list = program.output();
  const size_t colours = list.rfind("\x1b[107;32m");
  const std::string after = list.substr(colours + std::string("\x1b[107;32m").size());
  EXPECT_EQ(after.find("\x1b[", std::string(ERASE_WINDOW + CURSOR_HOME).size()), std::string::npos);
  EXPECT_NE(after.find(on_terminal("\n   1\t\tH  \t\t  Hydrogen    \t\t")), std::string::npos);
  EXPECT_NE(after.find(on_terminal("\n 118\t\tOg \t\t  Oganesson   \t\t")), std::string::npos);
  press(program, "e");
  EXPECT_EQ(program.wait_exit(), 0);
}
