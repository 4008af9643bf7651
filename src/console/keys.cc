// Key decoding: terminal bytes to the key codes of the PC keyboard.
//
// References:
// - XTerm Control Sequences (Thomas Dickey, invisible-island.net/xterm/ctlseqs),
//   sections "PC-Style Function Keys" and "VT220-Style Function Keys": which
//   sequence each key sends, and the modifier parameter 1 + (Shift 1, Alt 2,
//   Ctrl 4, Meta 8) in ESC [ 1 ; m A, ESC [ n ; m ~ and ESC O m P.
// - ECMA-48, 5.4 "Control sequences": the shape of a CSI sequence (parameter
//   bytes 0x30-0x3F, intermediate bytes 0x20-0x2F, one final byte 0x40-0x7E),
//   and a parameter of 0 standing for the default.
// - console_codes(4), the Linux console: F1 to F5 as ESC [ [ A to ESC [ [ E.
// - The IBM PC keyboard extended codes (BIOS INT 16h, the second byte after 0):
//   the codes of the table below and of Alt with a letter or a digit.
// - RFC 3629: the UTF-8 byte ranges.
//
// The decoder answers from the bytes alone. Whether more bytes can still come
// is the reader's knowledge, passed as `at_end`; the only answers that depend
// on it are the PARTIAL ones (at the end they become what the prefix is on its
// own: ESC is 27, ESC O is Alt+O, a cut UTF-8 character is its lead byte).

#include "console/keys.h"

namespace {

constexpr unsigned char kEscape = 0x1b;
constexpr uint8_t kAltO = 24;

// ---------------------------------------------------------------------------
// Answers

KeyDecode key(unsigned char code, size_t length) { return {KeyParse::KEY, length, code}; }
KeyDecode extended(uint8_t code, size_t length) { return {KeyParse::EXTENDED, length, code}; }
KeyDecode ignored(size_t length) { return {KeyParse::IGNORED, length, 0}; }
KeyDecode partial() { return {KeyParse::PARTIAL, 0, 0}; }

// ---------------------------------------------------------------------------
// The table of sequences

// The PC extended codes of one key, alone and with each modifier. Shift with a
// cursor or editing key has no code of its own on the PC and gives the plain
// one. A 0 would mean "no code": that combination is skipped.
struct PcCodes {
  uint8_t plain, shift, ctrl, alt;
};

constexpr PcCodes kUp{72, 72, 141, 152};
constexpr PcCodes kDown{80, 80, 145, 160};
constexpr PcCodes kRight{77, 77, 116, 157};
constexpr PcCodes kLeft{75, 75, 115, 155};
constexpr PcCodes kHome{71, 71, 119, 151};
constexpr PcCodes kEnd{79, 79, 117, 159};
constexpr PcCodes kPageUp{73, 73, 132, 153};
constexpr PcCodes kPageDown{81, 81, 118, 161};
constexpr PcCodes kInsert{82, 82, 146, 162};
constexpr PcCodes kDelete{83, 83, 147, 163};
constexpr PcCodes kF1{59, 84, 94, 104};
constexpr PcCodes kF2{60, 85, 95, 105};
constexpr PcCodes kF3{61, 86, 96, 106};
constexpr PcCodes kF4{62, 87, 97, 107};
constexpr PcCodes kF5{63, 88, 98, 108};
constexpr PcCodes kF6{64, 89, 99, 109};
constexpr PcCodes kF7{65, 90, 100, 110};
constexpr PcCodes kF8{66, 91, 101, 111};
constexpr PcCodes kF9{67, 92, 102, 112};
constexpr PcCodes kF10{68, 93, 103, 113};
constexpr PcCodes kF11{133, 135, 137, 139};
constexpr PcCodes kF12{134, 136, 138, 140};
// Shift+Tab is the PC's "back tab", 15, whatever else is held.
constexpr PcCodes kBackTab{15, 15, 15, 15};

enum class SequenceForm {
  LETTER,  // ESC [ x or ESC O x, the key number being 1 (ESC [ 1 ; m x)
  TILDE,   // ESC [ n ~, the key number n (ESC [ n ; m ~)
  LINUX,   // ESC [ [ x, the Linux console's F1 to F5 (no modifiers)
};

struct SequenceRow {
  SequenceForm form;
  int number;   // the key number of a TILDE row, 1 otherwise
  char final;   // the final byte
  PcCodes codes;
};

constexpr SequenceRow kSequences[] = {
    // Cursor keys, Home and End, normal or application mode (xterm "PC-Style").
    {SequenceForm::LETTER, 1, 'A', kUp},
    {SequenceForm::LETTER, 1, 'B', kDown},
    {SequenceForm::LETTER, 1, 'C', kRight},
    {SequenceForm::LETTER, 1, 'D', kLeft},
    {SequenceForm::LETTER, 1, 'H', kHome},
    {SequenceForm::LETTER, 1, 'F', kEnd},
    // F1 to F4 (ESC O P, or ESC [ 1 ; m P once modified).
    {SequenceForm::LETTER, 1, 'P', kF1},
    {SequenceForm::LETTER, 1, 'Q', kF2},
    {SequenceForm::LETTER, 1, 'R', kF3},
    {SequenceForm::LETTER, 1, 'S', kF4},
    // Shift+Tab (xterm CBT, "cursor backward tabulation").
    {SequenceForm::LETTER, 1, 'Z', kBackTab},
    // The editing keypad (VT220 "Find/Select" numbering, and rxvt's 7 and 8).
    {SequenceForm::TILDE, 1, '~', kHome},
    {SequenceForm::TILDE, 2, '~', kInsert},
    {SequenceForm::TILDE, 3, '~', kDelete},
    {SequenceForm::TILDE, 4, '~', kEnd},
    {SequenceForm::TILDE, 5, '~', kPageUp},
    {SequenceForm::TILDE, 6, '~', kPageDown},
    {SequenceForm::TILDE, 7, '~', kHome},
    {SequenceForm::TILDE, 8, '~', kEnd},
    // Function keys, VT220 numbering (16 and 22 are gaps in it).
    {SequenceForm::TILDE, 11, '~', kF1},
    {SequenceForm::TILDE, 12, '~', kF2},
    {SequenceForm::TILDE, 13, '~', kF3},
    {SequenceForm::TILDE, 14, '~', kF4},
    {SequenceForm::TILDE, 15, '~', kF5},
    {SequenceForm::TILDE, 17, '~', kF6},
    {SequenceForm::TILDE, 18, '~', kF7},
    {SequenceForm::TILDE, 19, '~', kF8},
    {SequenceForm::TILDE, 20, '~', kF9},
    {SequenceForm::TILDE, 21, '~', kF10},
    {SequenceForm::TILDE, 23, '~', kF11},
    {SequenceForm::TILDE, 24, '~', kF12},
    // The Linux console's F1 to F5.
    {SequenceForm::LINUX, 1, 'A', kF1},
    {SequenceForm::LINUX, 1, 'B', kF2},
    {SequenceForm::LINUX, 1, 'C', kF3},
    {SequenceForm::LINUX, 1, 'D', kF4},
    {SequenceForm::LINUX, 1, 'E', kF5},
};

// Alt with a letter: the PC gives the key's scan code, so the codes follow the
// rows of the keyboard from Q, A and Z.
struct LetterRow {
  const char* letters;
  uint8_t first_code;
};

constexpr LetterRow kAltLetterRows[] = {
    {"QWERTYUIOP", 16},
    {"ASDFGHJKL", 30},
    {"ZXCVBNM", 44},
};

// Alt with 1 to 9 is 120 to 128, Alt with 0 is 129 (the digit row's order).
constexpr uint8_t kAltOne = 120;
constexpr uint8_t kAltZero = 129;

// Modifier bits of m - 1. Meta (8) and higher have no PC meaning and are
// dropped.
constexpr int kShiftBit = 1;
constexpr int kAltBit = 2;
constexpr int kCtrlBit = 4;

// Key numbers and modifiers are small; a longer number is no key of ours, and
// stopping there keeps the arithmetic from overflowing.
constexpr int kMaxParameter = 9999;

// ---------------------------------------------------------------------------
// Byte classes

bool is_parameter_byte(unsigned char b) { return b >= 0x30 && b <= 0x3f; }
bool is_intermediate_byte(unsigned char b) { return b >= 0x20 && b <= 0x2f; }
bool is_final_byte(unsigned char b) { return b >= 0x40 && b <= 0x7e; }
bool is_digit(unsigned char b) { return b >= '0' && b <= '9'; }
bool is_ascii_letter(unsigned char b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }
bool is_continuation_byte(unsigned char b) { return b >= 0x80 && b <= 0xbf; }

// ---------------------------------------------------------------------------
// Parameters: "", "n" or "n;m", digits only

struct Parameters {
  bool valid;
  int count;      // 0, 1 or 2
  int values[2];  // 0 where the parameter was empty (the default)
};

Parameters parse_parameters(const unsigned char* text, size_t n) {
  Parameters p{true, 0, {0, 0}};
  if (n == 0) return p;
  p.count = 1;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char b = text[i];
    if (b == ';') {
      if (p.count == 2) return {false, 0, {0, 0}};
      ++p.count;
    } else if (is_digit(b)) {
      int& value = p.values[p.count - 1];
      value = value * 10 + (b - '0');
      if (value > kMaxParameter) return {false, 0, {0, 0}};
    } else {
      return {false, 0, {0, 0}};  // ':' sub-parameters, private markers '<' to '?'
    }
  }
  return p;
}

// ---------------------------------------------------------------------------
// From a parsed sequence to its answer

const SequenceRow* find_sequence(SequenceForm form, int number, unsigned char final) {
  for (const SequenceRow& row : kSequences) {
    if (row.form == form && row.number == number && row.final == final) return &row;
  }
  return nullptr;
}

// `modifier` is the parameter m, 0 when absent; Alt wins over Ctrl, Ctrl over
// Shift.
uint8_t code_with_modifier(const PcCodes& codes, int modifier) {
  const int bits = modifier <= 1 ? 0 : modifier - 1;
  if (bits & kAltBit) return codes.alt;
  if (bits & kCtrlBit) return codes.ctrl;
  if (bits & kShiftBit) return codes.shift;
  return codes.plain;
}

KeyDecode answer(SequenceForm form, int number, int modifier, unsigned char final, size_t length) {
  const SequenceRow* row = find_sequence(form, number, final);
  if (row == nullptr) return ignored(length);
  const uint8_t code = code_with_modifier(row->codes, modifier);
  if (code == 0) return ignored(length);
  return extended(code, length);
}

// A complete CSI sequence: the parameters are bytes [2, final_at).
KeyDecode answer_csi(const unsigned char* bytes, size_t final_at) {
  const size_t length = final_at + 1;
  const Parameters p = parse_parameters(bytes + 2, final_at - 2);
  if (!p.valid) return ignored(length);
  const unsigned char final = bytes[final_at];
  if (final == '~') return answer(SequenceForm::TILDE, p.values[0], p.values[1], final, length);
  // A letter key's only number is the default, 1 (0 stands for it too).
  if (p.values[0] > 1) return ignored(length);
  return answer(SequenceForm::LETTER, 1, p.values[1], final, length);
}

// ---------------------------------------------------------------------------
// The decoders, one per kind of first bytes

// ESC [ [ x: the Linux console's function keys.
KeyDecode decode_linux_function_key(const unsigned char* bytes, size_t n, bool at_end) {
  if (n < 4) return at_end ? key(kEscape, 1) : partial();
  if (!is_final_byte(bytes[3])) return ignored(3);
  return answer(SequenceForm::LINUX, 1, 1, bytes[3], 4);
}

// ESC [ ...: a control sequence. Until its final byte it is a prefix; a byte
// that cannot be part of it breaks it off there, and that byte starts the next
// key.
KeyDecode decode_csi(const unsigned char* bytes, size_t n, bool at_end) {
  if (n > 2 && bytes[2] == '[') return decode_linux_function_key(bytes, n, at_end);
  size_t i = 2;
  while (i < n && (is_parameter_byte(bytes[i]) || is_intermediate_byte(bytes[i]))) ++i;
  if (i == n) return at_end ? key(kEscape, 1) : partial();
  if (!is_final_byte(bytes[i])) return ignored(i);
  return answer_csi(bytes, i);
}

// ESC O ...: SS3, with digits and ';' before the final byte for a modified key
// (ESC O 5 P, ESC O 1 ; 5 P). ESC O on its own is Alt with O.
KeyDecode decode_ss3(const unsigned char* bytes, size_t n, bool at_end) {
  size_t i = 2;
  while (i < n && (is_digit(bytes[i]) || bytes[i] == ';')) ++i;
  if (i == n) return at_end ? extended(kAltO, 2) : partial();
  if (!is_final_byte(bytes[i])) return i == 2 ? extended(kAltO, 2) : ignored(i);
  const size_t length = i + 1;
  const Parameters p = parse_parameters(bytes + 2, i - 2);
  if (!p.valid) return ignored(length);
  // One parameter is the modifier alone; with two, the first is the key number.
  if (p.count == 2 && p.values[0] > 1) return ignored(length);
  const int modifier = p.count == 2 ? p.values[1] : p.values[0];
  return answer(SequenceForm::LETTER, 1, modifier, bytes[i], length);
}

uint8_t alt_letter_code(unsigned char letter) {
  const unsigned char upper = static_cast<unsigned char>(key_to_upper(static_cast<char>(letter)));
  for (const LetterRow& row : kAltLetterRows) {
    for (int i = 0; row.letters[i] != '\0'; ++i) {
      if (static_cast<unsigned char>(row.letters[i]) == upper) {
        return static_cast<uint8_t>(row.first_code + i);
      }
    }
  }
  return 0;  // unreachable for an ASCII letter: the rows hold all 26
}

KeyDecode decode_escape(const unsigned char* bytes, size_t n, bool at_end) {
  if (n == 1) return at_end ? key(kEscape, 1) : partial();
  const unsigned char next = bytes[1];
  if (next == '[') return decode_csi(bytes, n, at_end);
  if (next == 'O') return decode_ss3(bytes, n, at_end);
  if (is_ascii_letter(next)) return extended(alt_letter_code(next), 2);
  if (next == '0') return extended(kAltZero, 2);
  if (is_digit(next)) return extended(static_cast<uint8_t>(kAltOne + (next - '1')), 2);
  // Escape, a control byte or a non-ASCII byte cannot be Alt with anything:
  // the Escape stands alone and the byte is a key of its own.
  if (next < 0x20 || next == 0x7f || next >= 0x80) return key(kEscape, 1);
  return ignored(2);  // Alt with punctuation or the space bar has no PC code
}

// The count of continuation bytes after a UTF-8 lead byte, 0 for a byte that
// cannot lead (a continuation, the overlong leads C0 and C1, F5 and above).
size_t continuation_count(unsigned char lead) {
  if (lead >= 0xc2 && lead <= 0xdf) return 1;
  if (lead >= 0xe0 && lead <= 0xef) return 2;
  if (lead >= 0xf0 && lead <= 0xf4) return 3;
  return 0;
}

// One character typed in UTF-8 is one key press, its code the lead byte (a
// code above 127, which no menu letter matches). A byte out of place is a key
// of its own, so no input can swallow the keys after it.
KeyDecode decode_utf8(const unsigned char* bytes, size_t n, bool at_end) {
  const unsigned char lead = bytes[0];
  const size_t needed = continuation_count(lead);
  for (size_t i = 1; i <= needed; ++i) {
    if (i == n) return at_end ? key(lead, 1) : partial();
    if (!is_continuation_byte(bytes[i])) return key(lead, 1);
  }
  return key(lead, needed + 1);
}

}  // namespace

// NUL (Ctrl+Space, Ctrl+@) is skipped: as a key it would read like the first
// half of an extended key.
KeyDecode decode_key(const unsigned char* bytes, size_t n, bool at_end) {
  if (n == 0) return partial();  // nothing to decode yet
  const unsigned char first = bytes[0];
  if (first == 0) return ignored(1);
  if (first == kEscape) return decode_escape(bytes, n, at_end);
  if (first >= 0x80) return decode_utf8(bytes, n, at_end);
  return key(first, 1);
}

char key_to_upper(char key) {
  if (key >= 'a' && key <= 'z') return static_cast<char>(key - 'a' + 'A');
  return key;
}

char key_to_lower(char key) {
  if (key >= 'A' && key <= 'Z') return static_cast<char>(key - 'A' + 'a');
  return key;
}
