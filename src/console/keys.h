#pragma once
// Key decoding: turns the bytes a terminal (or a pipe) delivers into the key
// codes of the PC keyboard convention. Pure functions over a byte buffer; the
// reader decides whether to wait for more bytes.

#include <cstddef>
#include <cstdint>

enum class KeyParse {
  KEY,       // a key with a character: `code` is its code (1 to 255)
  EXTENDED,  // a key without a character: read as 0, then `code`
  IGNORED,   // a complete sequence without a code: skip `length` bytes
  PARTIAL,   // a valid prefix: more bytes are needed to decide
};

struct KeyDecode {
  KeyParse kind;
  size_t length;  // bytes consumed (0 only for PARTIAL)
  uint8_t code;
};

/// Decodes the key at the start of `bytes` (n >= 1). With `at_end` set no more
/// bytes will follow (end of input, or the Escape timeout has passed), and the
/// answer is never PARTIAL: a lone Escape is 27.
KeyDecode decode_key(const unsigned char* bytes, size_t n, bool at_end);

/// ASCII letters only: every other code, 0 and codes above 127 included,
/// comes back unchanged.
char key_to_upper(char key);
char key_to_lower(char key);
