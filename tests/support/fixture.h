#pragma once
// Data sets and small text helpers shared by the end-to-end tests.

#include <cstddef>
#include <string>
#include <vector>

#include "support/run_program.h"

/// One record of the data files, every value as the text written for it.
struct FixtureElement {
  const char* symbol;
  const char* name;
  const char* mass;
  const char* density;
  const char* melt;
  const char* boil;
  const char* group;
  const char* period;
};

/// Writes the eight data files (one value per line, in the order of
/// `elements`) and `banner` as the banner file.
void write_fixture(const TempDir& dir, const std::vector<FixtureElement>& elements,
                   const std::string& banner);

/// `text` with blanks in front (right) or after it (left) up to `width`;
/// longer texts are kept whole.
std::string right(const std::string& text, size_t width);
std::string left(const std::string& text, size_t width);

/// `piece` written `times` times in a row.
std::string repeated(const std::string& piece, int times);

/// How often `part` stands in `text`, overlapping matches included.
size_t occurrences(const std::string& text, const std::string& part);

/// The whole content of a file, byte for byte (empty when it cannot be read).
std::string read_file(const std::string& path);

/// Runs the program in `dir` through a pipe with `input` and expects it to
/// end by itself with status 0 after writing exactly `expected`.
void expect_transcript(const TempDir& dir, const std::string& input, const std::string& expected);
