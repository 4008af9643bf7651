// The console layer over a device that is a console window of its own (as the
// Windows console is): clearing and the shell commands go to the device after
// the pending output, keys come as events, and no control bytes are written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "console/windows_keys.h"

namespace {

// Records, in one list, what reached the window and which operations ran.
class WindowDevice : public MemoryDevice {
 public:
  struct Key {
    int code;
    bool extended;
  };
  explicit WindowDevice(std::vector<Key> keys, std::string bytes = {})
      : MemoryDevice(std::move(bytes)), keys_(std::move(keys)) {}

  void write(std::string_view bytes) override { log.push_back("text:" + std::string(bytes)); }
  bool has_window_operations() const override { return true; }
  void clear_window() override { log.push_back("clear"); }
  void run_shell_command(std::string_view command) override {
    log.push_back("shell:" + std::string(command));
  }
  bool has_key_events() const override { return true; }
  bool read_key_event(int& code, bool& extended) override {
    log.push_back("key");
    if (next_ == keys_.size()) return false;
    code = keys_[next_].code;
    extended = keys_[next_].extended;
    ++next_;
    return true;
  }

  std::vector<std::string> log;

 private:
  std::vector<Key> keys_;
  size_t next_ = 0;
};

TEST(WindowConsole, OperationsGoToTheDeviceAfterThePendingText) {
  WindowDevice device({{'m', false}});
  {
    Console console(device);
    write_text(console, "before");
    clear_screen(console);
    run_command(console, "color 9f");
    write_text(console, "prompt ");
    EXPECT_EQ(read_key(console), 'm');
    run_command(console, "cls");
    write_text(console, "last");
  }
  const std::vector<std::string> expected = {"text:before",  "clear", "shell:color 9f",
                                             "text:prompt ", "key",   "shell:cls",
                                             "text:last"};
  EXPECT_EQ(device.log, expected);
}

TEST(WindowConsole, ExtendedKeyIsZeroThenItsCodeAndEndOfInputIsE) {
  WindowDevice device({{77, true}, {3, false}});
  Console console(device);
  EXPECT_EQ(read_key(console), 0);
  EXPECT_EQ(read_key(console), 77);
  EXPECT_EQ(read_key(console), 3);
  EXPECT_EQ(read_key(console), 'E');
  EXPECT_EQ(read_key(console), 'E');
}

TEST(WindowConsole, WordsStillComeAsLinesOfBytes) {
  WindowDevice device({{'x', false}}, "H2O NaCl\r\n");
  Console console(device);
  char word[20];
  ASSERT_EQ(read_word(console, word, sizeof word), WordRead::STORED);
  EXPECT_STREQ(word, "H2O");
  EXPECT_EQ(read_key(console), 'x');  // not the rest of the line
  ASSERT_EQ(read_word(console, word, sizeof word), WordRead::STORED);
  EXPECT_STREQ(word, "NaCl");
}

// ---- Key events of the Windows console -----------------------------------------

constexpr uint16_t VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
                   VK_CONTROL = 0x11, VK_MENU = 0x12, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B,
                   VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24,
                   VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
                   VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_CLEAR = 0x0C, VK_F1 = 0x70,
                   VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B, VK_LSHIFT = 0xA0;

enum Modifiers { NONE = 0, SHIFT = 1, CTRL = 2, ALT = 4 };

struct KeyCase {
  const char* what;
  uint16_t vk;
  uint16_t scan;
  int character;
  int modifiers;
  ConsoleKeyKind kind;
  int code;
};

constexpr ConsoleKeyKind CH = ConsoleKeyKind::CHARACTER;
constexpr ConsoleKeyKind EX = ConsoleKeyKind::EXTENDED;
constexpr ConsoleKeyKind SKIP = ConsoleKeyKind::NONE;

const KeyCase KEY_CASES[] = {
    {"letter", 'M', 0x32, 'm', NONE, CH, 'm'},
    {"shifted letter", 'M', 0x32, 'M', SHIFT, CH, 'M'},
    {"Enter", VK_RETURN, 0x1C, 13, NONE, CH, 13},
    {"Escape", VK_ESCAPE, 0x01, 27, NONE, CH, 27},
    {"Backspace", VK_BACK, 0x0E, 8, NONE, CH, 8},
    {"Tab", VK_TAB, 0x0F, 9, NONE, CH, 9},
    {"Shift+Tab", VK_TAB, 0x0F, 9, SHIFT, EX, 15},
    {"Ctrl+C", 'C', 0x2E, 3, CTRL, CH, 3},
    {"code page character", 0xDE, 0x28, 0xE4, NONE, CH, 0xE4},
    {"AltGr character", 'Q', 0x10, '@', CTRL | ALT, CH, '@'},
    {"Shift", VK_SHIFT, 0x2A, 0, SHIFT, SKIP, 0},
    {"left Shift", VK_LSHIFT, 0x2A, 0, SHIFT, SKIP, 0},
    {"Ctrl", VK_CONTROL, 0x1D, 0, CTRL, SKIP, 0},
    {"Alt", VK_MENU, 0x38, 0, ALT, SKIP, 0},
    {"Caps Lock", VK_CAPITAL, 0x3A, 0, NONE, SKIP, 0},
    {"Up", VK_UP, 0x48, 0, NONE, EX, 72},
    {"Down", VK_DOWN, 0x50, 0, NONE, EX, 80},
    {"Left", VK_LEFT, 0x4B, 0, NONE, EX, 75},
    {"Right", VK_RIGHT, 0x4D, 0, NONE, EX, 77},
    {"Shift+Right", VK_RIGHT, 0x4D, 0, SHIFT, EX, 77},
    {"Ctrl+Right", VK_RIGHT, 0x4D, 0, CTRL, EX, 116},
    {"Alt+Ctrl+Right", VK_RIGHT, 0x4D, 0, ALT | CTRL, EX, 157},
    {"Home", VK_HOME, 0x47, 0, NONE, EX, 71},
    {"End", VK_END, 0x4F, 0, NONE, EX, 79},
    {"Page Up", VK_PRIOR, 0x49, 0, NONE, EX, 73},
    {"Ctrl+Page Up", VK_PRIOR, 0x49, 0, CTRL, EX, 132},
    {"Page Down", VK_NEXT, 0x51, 0, NONE, EX, 81},
    {"Insert", VK_INSERT, 0x52, 0, NONE, EX, 82},
    {"Delete", VK_DELETE, 0x53, 0, NONE, EX, 83},
    {"Alt+Delete", VK_DELETE, 0x53, 0, ALT, EX, 163},
    {"F1", VK_F1, 0x3B, 0, NONE, EX, 59},
    {"F10", VK_F10, 0x44, 0, NONE, EX, 68},
    {"Shift+F1", VK_F1, 0x3B, 0, SHIFT, EX, 84},
    {"Ctrl+F10", VK_F10, 0x44, 0, CTRL, EX, 103},
    {"Ctrl+Shift+F1", VK_F1, 0x3B, 0, CTRL | SHIFT, EX, 94},
    {"Alt+F1", VK_F1, 0x3B, 0, ALT, EX, 104},
    {"F11", VK_F11, 0x57, 0, NONE, EX, 133},
    {"F12", VK_F12, 0x58, 0, NONE, EX, 134},
    {"Alt+F12", VK_F12, 0x58, 0, ALT, EX, 140},
    {"Alt+letter", 'Q', 0x10, 'q', ALT, EX, 16},
    {"Alt+1", '1', 0x02, '1', ALT, EX, 120},
    {"Alt+0", '0', 0x0B, '0', ALT, EX, 129},
    {"keypad 5 without Num Lock", VK_CLEAR, 0x4C, 0, NONE, EX, 76},
    {"Ctrl with a key that has no code", VK_CLEAR, 0x4C, 0, CTRL, SKIP, 0},
};

TEST(WindowsKeys, EventsToPcCodes) {
  for (const KeyCase& c : KEY_CASES) {
    SCOPED_TRACE(c.what);
    const ConsoleKeyCode key = code_of_console_key(ConsoleKeyEvent{
        c.vk, c.scan, c.character, (c.modifiers & SHIFT) != 0, (c.modifiers & CTRL) != 0,
        (c.modifiers & ALT) != 0});
    EXPECT_EQ(key.kind, c.kind);
    if (c.kind != SKIP) {
      EXPECT_EQ(key.code, c.code);
    }
  }
}

}  // namespace
