// The inputs that once broke a whole session (kept by tools/run_fuzzers.sh in
// tests/fuzz/regressions/session_fuzz/) replayed through the real menu loop
// over the shipped data, so that the plain and sanitized test builds catch an
// old fault coming back even where no fuzzer can be built.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/console.h"
#include "data/element_table.h"
#include "data/temp_folder.h"
#include "screens/startup.h"

namespace {

const char* const SHIPPED_DATA = CHEMTERM_SOURCE_DIR "/data";
const char* const SESSION_REGRESSIONS = CHEMTERM_SOURCE_DIR "/tests/fuzz/regressions/session_fuzz";

std::vector<std::filesystem::path> regression_inputs(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The states the screens leave behind, as the session fuzz target checks them.
bool format_state_is_one_the_screens_leave(const ConsoleFormatState& format) {
  const bool precision_known =
      format.precision == 6 || format.precision == 4 || format.precision == 8;
  return precision_known && format.width == 0 && format.fill == ' ' && !format.internal &&
         !format.scientific && !(format.left && format.right) &&
         (!format.fixed || format.show_point);
}

}  // namespace

TEST(FuzzRegressions, SessionInputsEndWithTheFormatStateTheScreensLeave) {
  const std::vector<std::filesystem::path> inputs = regression_inputs(SESSION_REGRESSIONS);
  if (inputs.empty()) GTEST_SKIP() << "no session inputs kept in " << SESSION_REGRESSIONS;
  // In the data folder, as the fuzz target runs: Help/About reads the banner.
  WorkingDirectory inside(SHIPPED_DATA);
  const auto table = std::make_unique<ElementTable>();
  ASSERT_EQ(open_and_load_element_table(*table), LoadResult::LOADED);
  for (const std::filesystem::path& input : inputs) {
    SCOPED_TRACE(input.filename().string());
    MemoryDevice device(read_bytes(input));
    Console console(device);
    run_main_menu(console, *table);  // returns: the end of the input acts as E
    EXPECT_TRUE(format_state_is_one_the_screens_leave(console.format));
  }
}
