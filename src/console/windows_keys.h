#pragma once
// Key events of the Windows console turned into the key codes of the PC
// keyboard convention. Plain data in, plain data out: the Windows device reads
// the events, this decides what each one means, and it is tested on any
// platform.

#include <cstdint>

/// One key-down event, as the console reports it.
struct ConsoleKeyEvent {
  uint16_t virtual_key;  // the Windows virtual-key code (VK_...)
  uint16_t scan_code;    // the keyboard's scan code
  int character;         // the character's code in the console's code page, 0 for none
  bool shift;
  bool ctrl;
  bool alt;
};

enum class ConsoleKeyKind {
  NONE,       // a modifier, a lock key or a combination without a code: skip it
  CHARACTER,  // `code` is the character's code
  EXTENDED,   // read as 0, then `code`
};

struct ConsoleKeyCode {
  ConsoleKeyKind kind;
  int code;
};

ConsoleKeyCode code_of_console_key(const ConsoleKeyEvent& key);
