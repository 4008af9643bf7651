// The key decoder over arbitrary bytes, read the way the key reader reads:
// first as if more may follow, and where that needs more, as the end of the
// input. Every answer must make progress within the bytes it was given, so no
// input can stall the reader or make it step past its buffer; a PARTIAL never
// comes once the end is known; and no key code is 0 (0 is the first half of an
// extended key).

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "console/keys.h"

namespace {

void check_progress(const KeyDecode& key, size_t remaining) {
  if (key.kind == KeyParse::PARTIAL) std::abort();
  if (key.length < 1 || key.length > remaining) std::abort();
  if ((key.kind == KeyParse::KEY || key.kind == KeyParse::EXTENDED) && key.code == 0) std::abort();
}

bool same(const KeyDecode& a, const KeyDecode& b) {
  return a.kind == b.kind && a.length == b.length &&
         (a.kind == KeyParse::IGNORED || a.code == b.code);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t pos = 0;
  while (pos < size) {
    const size_t remaining = size - pos;
    const KeyDecode waiting = decode_key(data + pos, remaining, false);
    const KeyDecode at_end = decode_key(data + pos, remaining, true);
    check_progress(at_end, remaining);
    if (waiting.kind == KeyParse::PARTIAL) {
      if (waiting.length != 0) std::abort();
    } else {
      // A complete answer cannot depend on whether more bytes may come.
      check_progress(waiting, remaining);
      if (!same(waiting, at_end)) std::abort();
    }
    pos += at_end.length;
  }
  return 0;
}
