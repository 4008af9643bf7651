#include "support/fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

void write_fixture(const TempDir& dir, const std::vector<FixtureElement>& elements,
                   const std::string& banner) {
  std::string files[8];
  for (const FixtureElement& e : elements) {
    const char* tokens[8] = {e.symbol, e.mass, e.name,  e.density,
                             e.melt,   e.boil, e.group, e.period};
    for (int f = 0; f < 8; ++f) files[f] += std::string(tokens[f]) + "\n";
  }
  const char* names[8] = {"symbol", "mass", "name", "density", "melt", "boil", "group", "period"};
  for (int f = 0; f < 8; ++f) dir.write(names[f], files[f]);
  dir.write("head", banner);
}

std::string right(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string left(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string repeated(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

size_t occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void expect_transcript(const TempDir& dir, const std::string& input, const std::string& expected) {
  const ProgramResult result = run_piped(dir.path(), input);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.output, expected);
}
