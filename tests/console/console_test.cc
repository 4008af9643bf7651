#include "console/console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string next_word(Console& console) {
  char buffer[32] = "untouched";
  const WordRead result = read_word(console, buffer, sizeof buffer);
  if (result == WordRead::ENDED) return "<ended:" + std::string(buffer) + ">";
  if (result == WordRead::TOO_LONG) return "<too long:" + std::string(buffer) + ">";
  return buffer;
}

// Every case is run with the device handing out one byte per read too, so
// that nothing depends on how the input arrives.
std::vector<size_t> chunk_sizes() { return {4096, 1}; }

TEST(WordRead, TwoWordsOnOneLineAndBlankLinesSkipped) {
  for (size_t chunk : chunk_sizes()) {
    SCOPED_TRACE(chunk);
    MemoryDevice device("  H2O   NaCl\n\n   \t\nCO2\n");
    device.set_chunk(chunk);
    Console console(device);
    EXPECT_EQ(next_word(console), "H2O");
    EXPECT_EQ(next_word(console), "NaCl");
    EXPECT_EQ(next_word(console), "CO2");
    EXPECT_EQ(next_word(console), "<ended:untouched>");
  }
}

TEST(WordRead, LastLineWithoutLineEndStillGivesItsWord) {
  MemoryDevice device("H2O");
  Console console(device);
  EXPECT_EQ(next_word(console), "H2O");
  EXPECT_EQ(next_word(console), "<ended:untouched>");
}

TEST(WordRead, EndOfInputIsStickyAndStoresNothing) {
  MemoryDevice device("");
  Console console(device);
  EXPECT_EQ(next_word(console), "<ended:untouched>");
  EXPECT_EQ(next_word(console), "<ended:untouched>");
  EXPECT_EQ(read_key(console), 'E');
}

TEST(WordRead, KeyReadsDoNotSeeTheRestOfTheLine) {
  for (size_t chunk : chunk_sizes()) {
    SCOPED_TRACE(chunk);
    MemoryDevice device("H2O NaCl\nxy");
    device.set_chunk(chunk);
    Console console(device);
    EXPECT_EQ(next_word(console), "H2O");
    EXPECT_EQ(read_key(console), 'x');
    EXPECT_EQ(next_word(console), "NaCl") << "the rest of the line stays for word reads";
    EXPECT_EQ(read_key(console), 'y');
    EXPECT_EQ(read_key(console), 'E');
  }
}

TEST(WordRead, KeyReadTakesTheBytesAfterTheLastLine) {
  MemoryDevice device("m\nH2O\nq");
  Console console(device);
  EXPECT_EQ(read_key(console), 'm');
  EXPECT_EQ(read_key(console), '\n');
  EXPECT_EQ(next_word(console), "H2O");
  EXPECT_EQ(read_key(console), 'q');
}

TEST(WordRead, WordLongerThanTheBufferIsConsumedWholeAndRefused) {
  MemoryDevice device(std::string(40, 'A') + " H2O\n");
  Console console(device);
  EXPECT_EQ(next_word(console), "<too long:>");
  EXPECT_EQ(next_word(console), "H2O");
}

TEST(WordRead, WordThatExactlyFillsTheBuffer) {
  MemoryDevice device(std::string(31, 'B') + "\n");
  Console console(device);
  EXPECT_EQ(next_word(console), std::string(31, 'B'));
}

TEST(KeyRead, ExtendedKeyArrivesAsZeroThenItsCode) {
  for (size_t chunk : chunk_sizes()) {
    SCOPED_TRACE(chunk);
    MemoryDevice device("\x1b[Ca\x1b");
    device.set_chunk(chunk);
    Console console(device);
    EXPECT_EQ(read_key(console), 0);
    EXPECT_EQ(read_key(console), 77);
    EXPECT_EQ(read_key(console), 'a');
    EXPECT_EQ(read_key(console), 27) << "an Escape at the end of the input";
    EXPECT_EQ(read_key(console), 'E');
    EXPECT_EQ(read_key(console), 'E');
  }
}

TEST(KeyRead, UnknownSequenceIsSkippedWhole) {
  MemoryDevice device("\x1b[99~z");
  Console console(device);
  EXPECT_EQ(read_key(console), 'z');
}

TEST(ConsoleOutput, ItemsFollowTheFormatStateThroughAPipe) {
  MemoryDevice device;
  {
    Console console(device);
    clear_screen(console);
    run_command(console, "color e2");
    run_command(console, "cls");
    set_width(console.format, 4);
    write_int(console, 12);
    write_int(console, 3);
    set_adjustment(console.format, Adjustment::LEFT);
    set_width(console.format, 5);
    write_text(console, "Na");
    write_char(console, '|');
    write_float(console, 18.015f);
  }
  EXPECT_EQ(device.output(), "  123Na   |18.015") << "no control output through a pipe";
}

TEST(ConsoleOutput, OutputIsDeliveredBeforeAKeyIsAwaited) {
  MemoryDevice device("x");
  Console console(device);
  write_text(console, "prompt ");
  EXPECT_EQ(device.output(), "");
  EXPECT_EQ(read_key(console), 'x');
  EXPECT_EQ(device.output(), "prompt ");
}

TEST(ConsoleOutput, ColourRecoloursTheWholeWindowOnATerminal) {
  MemoryDevice device;
  device.set_terminal(true);
  {
    Console console(device);
    clear_screen(console);
    write_text(console, "menu");
    run_command(console, "color 9f");
    run_command(console, "cls");
    run_command(console, "color 8e");
    run_command(console, "colour 12");  // not one of our commands: ignored
  }
  EXPECT_EQ(device.output(),
            "\x1b[0m\x1b[2J\x1b[H"             // clear: default colours
            "menu"                             //
            "\x1b[104;97m\x1b[2J\x1b[Hmenu"    // 9f: light blue, bright white; text repainted
            "\x1b[2J\x1b[H"                    // cls keeps the colours
            "\x1b[100;93m\x1b[2J\x1b[H"        // 8e: grey, light yellow; nothing to repaint
            "\x1b[0m\n");                      // colours reset at the end
}

TEST(ConsoleOutput, PaletteMapsToTerminalColours) {
  struct Case {
    const char* command;
    const char* sequence;
  } cases[] = {
      {"color b4", "\x1b[106;31m"}, {"color e2", "\x1b[103;32m"}, {"color 3f", "\x1b[46;97m"},
      {"color f2", "\x1b[107;32m"}, {"color f1", "\x1b[107;34m"}, {"color a4", "\x1b[102;31m"},
      {"color 05", "\x1b[40;35m"},  {"color 76", "\x1b[47;33m"},  {"color CD", "\x1b[101;95m"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    MemoryDevice device;
    device.set_terminal(true);
    {
      Console console(device);
      run_command(console, c.command);
    }
    EXPECT_EQ(device.output(), std::string(c.sequence) + "\x1b[2J\x1b[H\x1b[0m\n");
  }
}

TEST(InputError, ShowsTheMessageAndLowerCasesTheKey) {
  const struct {
    const char* input;
    char expected;
  } cases[] = {{"E", 'e'}, {"e", 'e'}, {"X", 'x'}, {"5", '5'}, {"", 'e'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    MemoryDevice device(c.input);
    char key;
    {
      Console console(device);
      console.format.precision = 8;
      key = show_input_error(console);
      EXPECT_EQ(console.format.precision, 8);
    }
    EXPECT_EQ(key, c.expected);
    EXPECT_EQ(device.output(),
              "Wrong method of entering or wrong element.\nPress 'E' to exit or any other key to "
              "continue ");
  }
}

}  // namespace
