#include "console/keys.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* kind_name(KeyParse kind) {
  switch (kind) {
    case KeyParse::KEY: return "KEY";
    case KeyParse::EXTENDED: return "EXTENDED";
    case KeyParse::IGNORED: return "IGNORED";
    case KeyParse::PARTIAL: return "PARTIAL";
  }
  return "?";
}

// "\x1b[1;5A" as "ESC [ 1 ; 5 A", so a failing row names its bytes.
std::string show_bytes(const std::string& bytes) {
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    if (b == 0x1b) {
      out += "ESC";
    } else if (b > 0x20 && b < 0x7f) {
      out += static_cast<char>(b);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      out += "0x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

KeyDecode decode(const std::string& bytes, bool at_end) {
  // An exact-size copy, so that a read past the end trips the sanitizer.
  std::vector<unsigned char> copy(bytes.begin(), bytes.end());
  return decode_key(copy.data(), copy.size(), at_end);
}

void expect_result(const KeyDecode& got, KeyParse kind, unsigned code, size_t length) {
  EXPECT_STREQ(kind_name(got.kind), kind_name(kind));
  EXPECT_EQ(got.length, length);
  if (kind == KeyParse::KEY || kind == KeyParse::EXTENDED) {
    EXPECT_EQ(unsigned{got.code}, code);
  }
}

// The whole of `bytes` gives the answer, whether or not more may follow; every
// shorter prefix is a prefix that needs more; and a byte after the sequence
// (one a greedy decoder might take for more of it) is left for the next key.
void expect_decodes(const std::string& bytes, KeyParse kind, unsigned code, size_t length) {
  SCOPED_TRACE(show_bytes(bytes));
  {
    SCOPED_TRACE("whole, more may follow");
    expect_result(decode(bytes, false), kind, code, length);
  }
  {
    SCOPED_TRACE("whole, at the end");
    expect_result(decode(bytes, true), kind, code, length);
  }
  for (size_t cut = 1; cut < bytes.size(); ++cut) {
    SCOPED_TRACE("prefix of " + std::to_string(cut));
    expect_result(decode(bytes.substr(0, cut), false), KeyParse::PARTIAL, 0, 0);
  }
  for (const char* sentinel : {"x", "5", ";", "~", "\x80", "\x1b"}) {
    SCOPED_TRACE("followed by " + show_bytes(sentinel));
    expect_result(decode(bytes + sentinel, false), kind, code, length);
  }
}

struct DecodeCase {
  int line;
  const char* bytes;
  KeyParse kind;
  unsigned code;
  size_t length;
};

void expect_cases(const DecodeCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const DecodeCase& c = cases[i];
    SCOPED_TRACE("line " + std::to_string(c.line));
    // The bytes may hold a NUL: the length is given, or one byte.
    std::string bytes = c.bytes[0] == '\0' ? std::string(1, '\0') : std::string(c.bytes);
    expect_decodes(bytes, c.kind, c.code, c.length);
  }
}

constexpr KeyParse KEY = KeyParse::KEY;
constexpr KeyParse EXT = KeyParse::EXTENDED;
constexpr KeyParse IGN = KeyParse::IGNORED;

// Decodes a whole input as the key reader does: more may follow, and where a
// prefix needs more, the input has ended after all.
std::vector<KeyDecode> decode_stream(const std::string& bytes) {
  std::vector<KeyDecode> keys;
  size_t pos = 0;
  while (pos < bytes.size()) {
    const std::string rest = bytes.substr(pos);
    KeyDecode key = decode(rest, false);
    if (key.kind == KeyParse::PARTIAL) key = decode(rest, true);
    if (key.length == 0) break;
    keys.push_back(key);
    pos += key.length;
  }
  return keys;
}

struct StreamKey {
  KeyParse kind;
  unsigned code;
  size_t length;
};

void expect_stream(const std::string& bytes, const std::vector<StreamKey>& expected) {
  SCOPED_TRACE(show_bytes(bytes));
  const std::vector<KeyDecode> got = decode_stream(bytes);
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE("key " + std::to_string(i));
    expect_result(got[i], expected[i].kind, expected[i].code, expected[i].length);
  }
}

// ---------------------------------------------------------------------------
// Plain bytes

TEST(KeyDecodePlain, ByteIsItsOwnKey) {
  const DecodeCase cases[] = {
      {__LINE__, "a", KEY, 'a', 1},
      {__LINE__, "Z", KEY, 'Z', 1},
      {__LINE__, "5", KEY, '5', 1},
      {__LINE__, " ", KEY, ' ', 1},
      {__LINE__, "~", KEY, '~', 1},
      {__LINE__, "[", KEY, '[', 1},
      {__LINE__, "\r", KEY, 13, 1},    // Enter from a raw terminal
      {__LINE__, "\n", KEY, 10, 1},    // a line end through a pipe
      {__LINE__, "\t", KEY, 9, 1},
      {__LINE__, "\b", KEY, 8, 1},
      {__LINE__, "\x7f", KEY, 127, 1},  // Backspace on most terminals
      {__LINE__, "\x03", KEY, 3, 1},    // Ctrl+C
      {__LINE__, "\x01", KEY, 1, 1},    // Ctrl+A
      {__LINE__, "\x1a", KEY, 26, 1},   // Ctrl+Z
      // NUL would read like the 0 before an extended code: skipped.
      {__LINE__, "", IGN, 0, 1},
  };
  expect_cases(cases, std::size(cases));
}

// ---------------------------------------------------------------------------
// Known sequences

TEST(KeyDecodeSequence, CursorEditingAndFunctionKeys) {
  const DecodeCase cases[] = {
      // Cursor keys, normal and application mode.
      {__LINE__, "\x1b[A", EXT, 72, 3},
      {__LINE__, "\x1bOA", EXT, 72, 3},
      {__LINE__, "\x1b[B", EXT, 80, 3},
      {__LINE__, "\x1bOB", EXT, 80, 3},
      {__LINE__, "\x1b[C", EXT, 77, 3},
      {__LINE__, "\x1bOC", EXT, 77, 3},
      {__LINE__, "\x1b[D", EXT, 75, 3},
      {__LINE__, "\x1bOD", EXT, 75, 3},
      // Home and End in each spelling terminals use.
      {__LINE__, "\x1b[H", EXT, 71, 3},
      {__LINE__, "\x1bOH", EXT, 71, 3},
      {__LINE__, "\x1b[1~", EXT, 71, 4},
      {__LINE__, "\x1b[7~", EXT, 71, 4},
      {__LINE__, "\x1b[F", EXT, 79, 3},
      {__LINE__, "\x1bOF", EXT, 79, 3},
      {__LINE__, "\x1b[4~", EXT, 79, 4},
      {__LINE__, "\x1b[8~", EXT, 79, 4},
      // The editing keys.
      {__LINE__, "\x1b[5~", EXT, 73, 4},
      {__LINE__, "\x1b[6~", EXT, 81, 4},
      {__LINE__, "\x1b[2~", EXT, 82, 4},
      {__LINE__, "\x1b[3~", EXT, 83, 4},
      // F1 to F4, SS3 and VT220 forms, and the Linux console's F1 to F5.
      {__LINE__, "\x1bOP", EXT, 59, 3},
      {__LINE__, "\x1bOQ", EXT, 60, 3},
      {__LINE__, "\x1bOR", EXT, 61, 3},
      {__LINE__, "\x1bOS", EXT, 62, 3},
      {__LINE__, "\x1b[11~", EXT, 59, 5},
      {__LINE__, "\x1b[12~", EXT, 60, 5},
      {__LINE__, "\x1b[13~", EXT, 61, 5},
      {__LINE__, "\x1b[14~", EXT, 62, 5},
      {__LINE__, "\x1b[[A", EXT, 59, 4},
      {__LINE__, "\x1b[[B", EXT, 60, 4},
      {__LINE__, "\x1b[[C", EXT, 61, 4},
      {__LINE__, "\x1b[[D", EXT, 62, 4},
      {__LINE__, "\x1b[[E", EXT, 63, 4},
      // F5 to F12: the numbering skips 16 and 22.
      {__LINE__, "\x1b[15~", EXT, 63, 5},
      {__LINE__, "\x1b[17~", EXT, 64, 5},
      {__LINE__, "\x1b[18~", EXT, 65, 5},
      {__LINE__, "\x1b[19~", EXT, 66, 5},
      {__LINE__, "\x1b[20~", EXT, 67, 5},
      {__LINE__, "\x1b[21~", EXT, 68, 5},
      {__LINE__, "\x1b[23~", EXT, 133, 5},
      {__LINE__, "\x1b[24~", EXT, 134, 5},
      // Shift+Tab is back tab whatever else is held.
      {__LINE__, "\x1b[Z", EXT, 15, 3},
      {__LINE__, "\x1b[1;2Z", EXT, 15, 6},
      {__LINE__, "\x1b[1;5Z", EXT, 15, 6},
      {__LINE__, "\x1b[1;3Z", EXT, 15, 6},
      // An empty or 0 parameter stands for the default.
      {__LINE__, "\x1b[1A", EXT, 72, 4},
      {__LINE__, "\x1b[;5A", EXT, 141, 5},
      {__LINE__, "\x1b[1;A", EXT, 72, 5},
      {__LINE__, "\x1b[1;0A", EXT, 72, 6},
      {__LINE__, "\x1b[0;5A", EXT, 141, 6},
  };
  expect_cases(cases, std::size(cases));
}

// Every modified spelling of every key, crossed with every modifier value.
// The PC codes of a key: plain, with Shift, with Ctrl, with Alt.
struct ModifiedKey {
  const char* name;
  const char* head;  // the bytes before the modifier
  const char* tail;  // the bytes after it
  unsigned codes[4];
};

enum Column { PLAIN, SHIFT, CTRL, ALT };

struct Modifier {
  int parameter;  // m: 1 + Shift 1, Alt 2, Ctrl 4, Meta 8
  Column column;  // whose code it gives: Alt wins over Ctrl, Ctrl over Shift
};

TEST(KeyDecodeSequence, ModifiersCrossedWithKeys) {
  const ModifiedKey keys[] = {
      {"Up", "\x1b[1;", "A", {72, 72, 141, 152}},
      {"Down", "\x1b[1;", "B", {80, 80, 145, 160}},
      {"Right", "\x1b[1;", "C", {77, 77, 116, 157}},
      {"Left", "\x1b[1;", "D", {75, 75, 115, 155}},
      {"Home", "\x1b[1;", "H", {71, 71, 119, 151}},
      {"Home 1~", "\x1b[1;", "~", {71, 71, 119, 151}},
      {"Home 7~", "\x1b[7;", "~", {71, 71, 119, 151}},
      {"End", "\x1b[1;", "F", {79, 79, 117, 159}},
      {"End 4~", "\x1b[4;", "~", {79, 79, 117, 159}},
      {"End 8~", "\x1b[8;", "~", {79, 79, 117, 159}},
      {"Page Up", "\x1b[5;", "~", {73, 73, 132, 153}},
      {"Page Down", "\x1b[6;", "~", {81, 81, 118, 161}},
      {"Insert", "\x1b[2;", "~", {82, 82, 146, 162}},
      {"Delete", "\x1b[3;", "~", {83, 83, 147, 163}},
      {"F1 CSI", "\x1b[1;", "P", {59, 84, 94, 104}},
      {"F1 SS3", "\x1bO", "P", {59, 84, 94, 104}},
      {"F1 SS3 1;m", "\x1bO1;", "P", {59, 84, 94, 104}},
      {"F1 11~", "\x1b[11;", "~", {59, 84, 94, 104}},
      {"F2 CSI", "\x1b[1;", "Q", {60, 85, 95, 105}},
      {"F2 SS3", "\x1bO", "Q", {60, 85, 95, 105}},
      {"F2 12~", "\x1b[12;", "~", {60, 85, 95, 105}},
      {"F3 CSI", "\x1b[1;", "R", {61, 86, 96, 106}},
      {"F3 SS3 1;m", "\x1bO1;", "R", {61, 86, 96, 106}},
      {"F3 13~", "\x1b[13;", "~", {61, 86, 96, 106}},
      {"F4 CSI", "\x1b[1;", "S", {62, 87, 97, 107}},
      {"F4 SS3", "\x1bO", "S", {62, 87, 97, 107}},
      {"F4 14~", "\x1b[14;", "~", {62, 87, 97, 107}},
      {"F5", "\x1b[15;", "~", {63, 88, 98, 108}},
      {"F6", "\x1b[17;", "~", {64, 89, 99, 109}},
      {"F7", "\x1b[18;", "~", {65, 90, 100, 110}},
      {"F8", "\x1b[19;", "~", {66, 91, 101, 111}},
      {"F9", "\x1b[20;", "~", {67, 92, 102, 112}},
      {"F10", "\x1b[21;", "~", {68, 93, 103, 113}},
      {"F11", "\x1b[23;", "~", {133, 135, 137, 139}},
      {"F12", "\x1b[24;", "~", {134, 136, 138, 140}},
  };
  const Modifier modifiers[] = {
      {1, PLAIN},  {2, SHIFT}, {3, ALT},   {4, ALT},    {5, CTRL},  {6, CTRL},
      {7, ALT},    {8, ALT},   {9, PLAIN}, {10, SHIFT}, {13, CTRL}, {16, ALT},
  };
  for (const ModifiedKey& k : keys) {
    SCOPED_TRACE(k.name);
    for (const Modifier& m : modifiers) {
      SCOPED_TRACE("m = " + std::to_string(m.parameter));
      const std::string bytes = std::string(k.head) + std::to_string(m.parameter) + k.tail;
      expect_decodes(bytes, EXT, k.codes[m.column], bytes.size());
    }
  }
}

// ---------------------------------------------------------------------------
// Escape alone and Escape with a key

TEST(KeyDecodeEscape, LoneEscapeWaitsThenIsEscape) {
  expect_result(decode("\x1b", false), KeyParse::PARTIAL, 0, 0);
  expect_result(decode("\x1b", true), KEY, 27, 1);
}

// A sequence cut short by the end of the input: its Escape is a key of its
// own and the bytes after it are read afresh; "ESC O" alone is Alt with O.
TEST(KeyDecodeEscape, CutShortAtTheEnd) {
  const DecodeCase cases[] = {
      {__LINE__, "\x1b[", KEY, 27, 1},
      {__LINE__, "\x1b[1;5", KEY, 27, 1},
      {__LINE__, "\x1b[[", KEY, 27, 1},
      {__LINE__, "\x1bO", EXT, 24, 2},
      {__LINE__, "\x1bO1;5", EXT, 24, 2},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line));
    expect_result(decode(c.bytes, false), KeyParse::PARTIAL, 0, 0);
    expect_result(decode(c.bytes, true), c.kind, c.code, c.length);
  }
  expect_stream("\x1b[", {{KEY, 27, 1}, {KEY, '[', 1}});
  expect_stream("\x1bO5", {{EXT, 24, 2}, {KEY, '5', 1}});
}

TEST(KeyDecodeEscape, EscapeWithALetterIsAlt) {
  struct AltLetter {
    char letter;
    unsigned code;
  };
  const AltLetter letters[] = {
      {'q', 16}, {'w', 17}, {'e', 18}, {'r', 19}, {'t', 20}, {'y', 21}, {'u', 22},
      {'i', 23}, {'o', 24}, {'p', 25}, {'a', 30}, {'s', 31}, {'d', 32}, {'f', 33},
      {'g', 34}, {'h', 35}, {'j', 36}, {'k', 37}, {'l', 38}, {'z', 44}, {'x', 45},
      {'c', 46}, {'v', 47}, {'b', 48}, {'n', 49}, {'m', 50},
  };
  for (const AltLetter& l : letters) {
    expect_decodes(std::string("\x1b") + l.letter, EXT, l.code, 2);
    // ESC O is where SS3 begins; only once nothing follows is it Alt+O.
    if (l.letter == 'o') continue;
    expect_decodes(std::string("\x1b") + static_cast<char>(l.letter - 'a' + 'A'), EXT, l.code, 2);
  }
}

TEST(KeyDecodeEscape, EscapeWithADigitIsAlt) {
  const DecodeCase cases[] = {
      {__LINE__, "\x1b" "1", EXT, 120, 2},
      {__LINE__, "\x1b" "2", EXT, 121, 2},
      {__LINE__, "\x1b" "5", EXT, 124, 2},
      {__LINE__, "\x1b" "9", EXT, 128, 2},
      {__LINE__, "\x1b" "0", EXT, 129, 2},
  };
  expect_cases(cases, std::size(cases));
}

// Escape before a byte that cannot be Alt with anything stands alone; Alt with
// punctuation has no code and is skipped.
TEST(KeyDecodeEscape, EscapeWithOtherBytes) {
  const DecodeCase cases[] = {
      {__LINE__, "\x1b\x1b", KEY, 27, 1},
      {__LINE__, "\x1b\x03", KEY, 27, 1},
      {__LINE__, "\x1b\r", KEY, 27, 1},
      {__LINE__, "\x1b\x7f", KEY, 27, 1},
      {__LINE__, "\x1b\xc3", KEY, 27, 1},
      {__LINE__, "\x1b.", IGN, 0, 2},
      {__LINE__, "\x1b ", IGN, 0, 2},
      {__LINE__, "\x1b~", IGN, 0, 2},
  };
  expect_cases(cases, std::size(cases));
  expect_stream("\x1b\x1b[A", {{KEY, 27, 1}, {EXT, 72, 3}});
  expect_stream("\x1b\x03", {{KEY, 27, 1}, {KEY, 3, 1}});
  expect_stream("\x1b\xc3\xa9", {{KEY, 27, 1}, {KEY, 0xc3, 2}});
  expect_stream(std::string("\x1b\0a", 3), {{KEY, 27, 1}, {IGN, 0, 1}, {KEY, 'a', 1}});
}

// ---------------------------------------------------------------------------
// Sequences without a code, and broken ones

// A complete sequence that is no key of ours is skipped whole, so none of its
// bytes arrives as a key press.
TEST(KeyDecodeUnknown, SkippedWhole) {
  const DecodeCase cases[] = {
      {__LINE__, "\x1b[9~", IGN, 0, 4},
      {__LINE__, "\x1b[16~", IGN, 0, 5},
      {__LINE__, "\x1b[22~", IGN, 0, 5},
      {__LINE__, "\x1b[25~", IGN, 0, 5},
      {__LINE__, "\x1b[~", IGN, 0, 3},
      {__LINE__, "\x1b[200~", IGN, 0, 6},            // start of a bracketed paste
      {__LINE__, "\x1b[2A", IGN, 0, 4},              // a letter key has no number but 1
      {__LINE__, "\x1b[1;5;3A", IGN, 0, 8},          // three parameters
      {__LINE__, "\x1b[1;5:1A", IGN, 0, 8},          // a sub-parameter
      {__LINE__, "\x1b[?1;2c", IGN, 0, 7},           // a device attributes report
      {__LINE__, "\x1b[<0;10;20M", IGN, 0, 11},      // an SGR mouse report
      {__LINE__, "\x1b[1 q", IGN, 0, 5},             // an intermediate byte
      {__LINE__, "\x1b[x", IGN, 0, 3},
      {__LINE__, "\x1b[[x", IGN, 0, 4},
      {__LINE__, "\x1b[[1", IGN, 0, 3},              // no Linux key: ESC [ [ was complete
      {__LINE__, "\x1bOx", IGN, 0, 3},
      {__LINE__, "\x1bO~", IGN, 0, 3},
      {__LINE__, "\x1bO2;5P", IGN, 0, 6},
      {__LINE__, "\x1bO1;2;3P", IGN, 0, 8},
      // Numbers too long for any key: no overflow, just no key.
      {__LINE__, "\x1b[99999999999~", IGN, 0, 14},
      {__LINE__, "\x1b[1;99999999999999999999A", IGN, 0, 25},
      {__LINE__, "\x1b[10000~", IGN, 0, 8},
      {__LINE__, "\x1bO99999999999P", IGN, 0, 14},
  };
  expect_cases(cases, std::size(cases));
  expect_stream("\x1b[200~ab\x1b[201~", {{IGN, 0, 6}, {KEY, 'a', 1}, {KEY, 'b', 1}, {IGN, 0, 6}});
}

// A byte that cannot be part of the sequence breaks it off: the bytes before
// it are skipped and that byte starts the next key.
TEST(KeyDecodeUnknown, BrokenSequenceLeavesTheOffendingByte) {
  const DecodeCase cases[] = {
      {__LINE__, "\x1b[\x03", IGN, 0, 2},
      {__LINE__, "\x1b[1\x03", IGN, 0, 3},
      {__LINE__, "\x1b[1;5\x1b", IGN, 0, 5},
      {__LINE__, "\x1b[1;5\xc3", IGN, 0, 5},
      {__LINE__, "\x1b[[\x7f", IGN, 0, 3},
      {__LINE__, "\x1bO5\x03", IGN, 0, 3},
      // Right after ESC O nothing has begun: that was Alt with O.
      {__LINE__, "\x1bO\x03", EXT, 24, 2},
      {__LINE__, "\x1bO ", EXT, 24, 2},
  };
  expect_cases(cases, std::size(cases));
  expect_stream("\x1b[1\x1b[Ax", {{IGN, 0, 3}, {EXT, 72, 3}, {KEY, 'x', 1}});
  expect_stream("\x1b[1;5\x03", {{IGN, 0, 5}, {KEY, 3, 1}});
}

// ---------------------------------------------------------------------------
// UTF-8

TEST(KeyDecodeUtf8, CharacterIsOneKeyWithItsLeadByte) {
  const DecodeCase cases[] = {
      {__LINE__, "\xc2\xb7", KEY, 0xc2, 2},          // middle dot
      {__LINE__, "\xc3\xa9", KEY, 0xc3, 2},          // e acute
      {__LINE__, "\xdf\xbf", KEY, 0xdf, 2},
      {__LINE__, "\xe2\x82\xac", KEY, 0xe2, 3},      // euro sign
      {__LINE__, "\xef\xbf\xbd", KEY, 0xef, 3},
      {__LINE__, "\xf0\x9f\x98\x80", KEY, 0xf0, 4},  // an emoji
      {__LINE__, "\xf4\x8f\xbf\xbf", KEY, 0xf4, 4},
  };
  expect_cases(cases, std::size(cases));
}

// A byte out of place is a key of its own, and the bytes after it are read
// afresh: a broken character never swallows the next key.
TEST(KeyDecodeUtf8, BytesOutOfPlaceAreSingleKeys) {
  const DecodeCase cases[] = {
      {__LINE__, "\x80", KEY, 0x80, 1},  // stray continuation bytes
      {__LINE__, "\xbf", KEY, 0xbf, 1},
      {__LINE__, "\xc0", KEY, 0xc0, 1},  // leads that are never valid
      {__LINE__, "\xc1", KEY, 0xc1, 1},
      {__LINE__, "\xf5", KEY, 0xf5, 1},
      {__LINE__, "\xff", KEY, 0xff, 1},
      {__LINE__, "\xc3" "A", KEY, 0xc3, 1},  // a lead before a non-continuation
      {__LINE__, "\xe2" "A", KEY, 0xe2, 1},
      {__LINE__, "\xe2\x82" "A", KEY, 0xe2, 1},
      {__LINE__, "\xf0\x9f\x98" "A", KEY, 0xf0, 1},
      {__LINE__, "\xc3\x1b", KEY, 0xc3, 1},
  };
  expect_cases(cases, std::size(cases));
  expect_stream("\xe2\x82" "A", {{KEY, 0xe2, 1}, {KEY, 0x82, 1}, {KEY, 'A', 1}});
  expect_stream("\xc3\xa9\xc3\xa9", {{KEY, 0xc3, 2}, {KEY, 0xc3, 2}});
}

TEST(KeyDecodeUtf8, CutShortAtTheEnd) {
  for (const char* bytes : {"\xc3", "\xe2\x82", "\xf0\x9f\x98"}) {
    SCOPED_TRACE(show_bytes(bytes));
    expect_result(decode(bytes, false), KeyParse::PARTIAL, 0, 0);
    expect_result(decode(bytes, true), KEY, static_cast<unsigned char>(bytes[0]), 1);
  }
}

// ---------------------------------------------------------------------------
// Case mapping

// Compared with the C library in the C locale over every byte value: only the
// ASCII letters change, and bytes above 127 come back as they went in.
TEST(KeyCase, OnlyAsciiLettersChange) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE("byte " + std::to_string(b));
    const char key = static_cast<char>(b);
    const int upper = b < 128 ? std::toupper(b) : b;
    const int lower = b < 128 ? std::tolower(b) : b;
    EXPECT_EQ(static_cast<unsigned char>(key_to_upper(key)), upper);
    EXPECT_EQ(static_cast<unsigned char>(key_to_lower(key)), lower);
  }
}

}  // namespace
