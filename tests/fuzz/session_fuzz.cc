// A whole session in-process: the real menu loop and every screen over the
// shipped data, with the fuzz input as everything the user types. Every input
// must end (the end of input acts as E), without a crash, and leave the
// format state within the values the screens set.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "console/console.h"
#include "screens/startup.h"

namespace {

const ElementTable& shipped_table() {
  static const std::unique_ptr<ElementTable> table = [] {
    auto loaded = std::make_unique<ElementTable>();
    if (chdir(CHEMTERM_SOURCE_DIR "/data") != 0 ||
        open_and_load_element_table(*loaded) != LoadResult::LOADED) {
      std::fprintf(stderr, "cannot load the shipped data from %s/data\n", CHEMTERM_SOURCE_DIR);
      std::abort();
    }
    return loaded;
  }();
  return *table;
}

bool format_state_is_one_the_screens_leave(const ConsoleFormatState& format) {
  const bool precision_known =
      format.precision == 6 || format.precision == 4 || format.precision == 8;
  return precision_known && format.width == 0 && format.fill == ' ' && !format.internal &&
         !format.scientific && !(format.left && format.right) &&
         (!format.fixed || format.show_point);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ElementTable& table = shipped_table();
  MemoryDevice device(std::string(reinterpret_cast<const char*>(data), size));
  Console console(device);
  run_main_menu(console, table);
  if (!format_state_is_one_the_screens_leave(console.format)) std::abort();
  return 0;
}
