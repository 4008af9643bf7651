#include "console/windows_keys.h"

namespace {

// The virtual-key codes the mapping needs, as Windows numbers them.
constexpr uint16_t VK_TAB_KEY = 0x09;
constexpr uint16_t VK_F1_KEY = 0x70;
constexpr uint16_t VK_F10_KEY = 0x79;

bool is_modifier_or_lock(uint16_t vk) {
  switch (vk) {
    case 0x10: case 0x11: case 0x12:  // Shift, Ctrl, Alt
    case 0x14: case 0x90: case 0x91:  // Caps Lock, Num Lock, Scroll Lock
    case 0x5B: case 0x5C:             // the Windows keys
    case 0xA0: case 0xA1: case 0xA2: case 0xA3: case 0xA4: case 0xA5:  // left and right forms
      return true;
    default:
      return false;
  }
}

// Codes of the keys without a character: alone (or with Shift), with Ctrl, with Alt.
struct ExtendedKey {
  uint16_t vk;
  int plain, shift, ctrl, alt;
};

constexpr ExtendedKey EXTENDED_KEYS[] = {
    {0x21, 73, 73, 132, 153},   // Page Up
    {0x22, 81, 81, 118, 161},   // Page Down
    {0x23, 79, 79, 117, 159},   // End
    {0x24, 71, 71, 119, 151},   // Home
    {0x25, 75, 75, 115, 155},   // Left
    {0x26, 72, 72, 141, 152},   // Up
    {0x27, 77, 77, 116, 157},   // Right
    {0x28, 80, 80, 145, 160},   // Down
    {0x2D, 82, 82, 146, 162},   // Insert
    {0x2E, 83, 83, 147, 163},   // Delete
    {0x7A, 133, 135, 137, 139},  // F11
    {0x7B, 134, 136, 138, 140},  // F12
};

// Alt wins over Ctrl, Ctrl over Shift.
int pick(const ConsoleKeyEvent& key, int plain, int shift, int ctrl, int alt) {
  if (key.alt) return alt;
  if (key.ctrl) return ctrl;
  if (key.shift) return shift;
  return plain;
}

}  // namespace

ConsoleKeyCode code_of_console_key(const ConsoleKeyEvent& key) {
  const uint16_t vk = key.virtual_key;
  if (is_modifier_or_lock(vk)) return {ConsoleKeyKind::NONE, 0};

  // Alt with a letter or digit is a key of its own; Ctrl with Alt is AltGr
  // on many layouts, and then the character counts.
  if (key.alt && !key.ctrl) {
    if (vk >= 'A' && vk <= 'Z' && key.scan_code != 0) return {ConsoleKeyKind::EXTENDED, key.scan_code};
    if (vk >= '1' && vk <= '9') return {ConsoleKeyKind::EXTENDED, 120 + (vk - '1')};
    if (vk == '0') return {ConsoleKeyKind::EXTENDED, 129};
  }
  if (vk == VK_TAB_KEY && key.shift && !key.ctrl && !key.alt) return {ConsoleKeyKind::EXTENDED, 15};
  if (key.character != 0) return {ConsoleKeyKind::CHARACTER, key.character};

  if (vk >= VK_F1_KEY && vk <= VK_F10_KEY) {
    const int n = vk - VK_F1_KEY;
    return {ConsoleKeyKind::EXTENDED, pick(key, 59 + n, 84 + n, 94 + n, 104 + n)};
  }
  for (const ExtendedKey& extended : EXTENDED_KEYS) {
    if (extended.vk == vk) {
      return {ConsoleKeyKind::EXTENDED,
              pick(key, extended.plain, extended.shift, extended.ctrl, extended.alt)};
    }
  }
  // Any other key without a character: its scan code, when it comes alone.
  if (!key.shift && !key.ctrl && !key.alt && key.scan_code != 0 && key.scan_code < 256) {
    return {ConsoleKeyKind::EXTENDED, key.scan_code};
  }
  return {ConsoleKeyKind::NONE, 0};
}
