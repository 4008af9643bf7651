// Character classes, the first-character check and the scanner.

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formula/formula.h"

namespace {

struct Token {
  std::string symbol;
  int32_t count;
  bool operator==(const Token&) const = default;
};

void PrintTo(const Token& token, std::ostream* out) {
  *out << "(" << token.symbol << ", " << token.count << ")";
}

struct Scan {
  std::vector<Token> tokens;
  ScanResult result;
};

Scan scan_all(const char* text) {
  Scan scan;
  scan.result = scan_formula(text, [&](const SymbolToken& token) {
    scan.tokens.push_back({token.symbol, token.count});
    return true;
  });
  return scan;
}

// ---- Character classes ------------------------------------------------------

TEST(FormulaClasses, AgreeWithTheCLocaleForEveryByte) {
  std::setlocale(LC_CTYPE, "C");
  for (int byte = 0; byte < 256; ++byte) {
    SCOPED_TRACE("byte " + std::to_string(byte));
    const char c = static_cast<char>(byte);
    EXPECT_EQ(is_upper(c), std::isupper(byte) != 0);
    EXPECT_EQ(is_lower(c), std::islower(byte) != 0);
    EXPECT_EQ(is_digit(c), std::isdigit(byte) != 0);
    EXPECT_EQ(is_letter(c), std::isalpha(byte) != 0);
  }
}

TEST(FormulaClasses, HighBytesBelongToNoClass) {
  // Pinned apart from the C library: a Latin-1 locale would call 0xC0 a letter.
  for (int byte = 128; byte < 256; ++byte) {
    SCOPED_TRACE("byte " + std::to_string(byte));
    const char c = static_cast<char>(byte);
    EXPECT_FALSE(is_upper(c) || is_lower(c) || is_digit(c) || is_letter(c));
  }
}

// ---- First character ----------------------------------------------------------

TEST(FormulaStart, RefusesOnlyADigitOrALowerCaseLetterFirst) {
  struct Case {
    const char* text;
    bool accepted;
  };
  const Case cases[] = {
      {"h2o", false}, {"2H2O", false}, {"0", false},   {"z", false},
      {"", true},     {"(OH)2", true}, {"+H", true},   {"H2O", true},
      {"-", true},    {"\xC2\xB7", true}, {")", true}, {"Zn", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(check_formula_start(c.text), c.accepted);
  }
}

// ---- Scanning --------------------------------------------------------------------

TEST(ScanFormula, YieldsOneTokenPerUpperCaseLetter) {
  struct Case {
    const char* text;
    std::vector<Token> tokens;
  };
  const Case cases[] = {
      {"NaCl", {{"Na", 1}, {"Cl", 1}}},
      {"Co", {{"Co", 1}}},
      {"CO", {{"C", 1}, {"O", 1}}},
      {"H2O", {{"H", 2}, {"O", 1}}},
      // Each count comes from its own digits, also when a shorter one follows.
      {"C10H8", {{"C", 10}, {"H", 8}}},
      {"CH3COOH", {{"C", 1}, {"H", 3}, {"C", 1}, {"O", 1}, {"O", 1}, {"H", 1}}},
      {"Al2S3O12", {{"Al", 2}, {"S", 3}, {"O", 12}}},
      {"H2o", {{"H", 2}}},
      {"NA", {{"N", 1}, {"A", 1}}},
      {"H0", {{"H", 0}}},
      {"H007", {{"H", 7}}},
      {"K3(FeC6N6)", {{"K", 3}, {"Fe", 1}, {"C", 6}, {"N", 6}}},
      {"Uuuuu", {{"Uuu", 1}}},
      {"Uuuuu5", {{"Uuu", 1}}},  // the digits follow the passed-over letters
      {"Uuo2", {{"Uuo", 2}}},
      {"H-2", {{"H", 1}}},
      {"", {}},
      {"+-*/().,", {}},
      {"h2o", {}},
      {"\xC3\x89", {}},  // an upper-case E with an accent in UTF-8 is no symbol
      {"H99999999", {{"H", 99999999}}},
      {"H00000007O", {{"H", 7}, {"O", 1}}},
      {"Ca(OH)2(NO3)2", {{"Ca", 1}, {"O", 1}, {"H", 1}, {"N", 1}, {"O", 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Scan scan = scan_all(c.text);
    EXPECT_EQ(scan.result, ScanResult::COMPLETE);
    EXPECT_EQ(scan.tokens, c.tokens);
  }
}

TEST(ScanFormula, RefusesACountOfMoreThanEightDigitsWhereItStands) {
  struct Case {
    const char* text;
    std::vector<Token> before;  // the tokens handed over before the refusal
  };
  // Leading zeros carry no weight but still count as digits.
  const Case cases[] = {
      {"H123456789", {}},
      {"H000000007", {}},
      {"NaCl999999999O", {{"Na", 1}}},
      {"O2H99999999999999999999", {{"O", 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Scan scan = scan_all(c.text);
    EXPECT_EQ(scan.result, ScanResult::BAD_COUNT);
    EXPECT_EQ(scan.tokens, c.before);
  }
}

TEST(ScanFormula, StopsWhenTheCallerAsks) {
  std::vector<std::string> seen;
  const ScanResult result = scan_formula("NaClH999999999", [&](const SymbolToken& token) {
    seen.push_back(token.symbol);
    return seen.size() < 2;
  });
  EXPECT_EQ(result, ScanResult::STOPPED);
  EXPECT_EQ(seen, (std::vector<std::string>{"Na", "Cl"}));
}

// The text sits at the very end of a heap block, so that the address
// sanitizer reports any read past its NUL.
std::unique_ptr<char[]> text_at_end_of_block(const char* text) {
  const size_t size = std::strlen(text) + 1;
  auto block = std::make_unique<char[]>(size);
  std::memcpy(block.get(), text, size);
  return block;
}

TEST(ScanFormula, NeverReadsPastTheNul) {
  const char* const texts[] = {"H", "Na", "Uuo", "C2", "Fe", "Ab", "x", ""};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const auto block = text_at_end_of_block(text);
    const Scan scan = scan_all(block.get());
    EXPECT_EQ(scan.result, ScanResult::COMPLETE);
    if (text[0] >= 'A' && text[0] <= 'Z') {
      ASSERT_EQ(scan.tokens.size(), 1u);
      EXPECT_EQ(scan.tokens[0].symbol, std::string(text, std::strcspn(text, "0123456789")));
    }
  }
  // Letters after the NUL are not part of the symbol.
  const char split[] = {'N', 'a', '\0', 'c', 'l', '\0'};
  EXPECT_EQ(symbol_length_at(split, 0), 2u);
  EXPECT_EQ(scan_all(split).tokens, (std::vector<Token>{{"Na", 1}}));
}

TEST(ScanFormula, SymbolLengthAtEachPosition) {
  struct Case {
    const char* text;
    size_t position;
    size_t length;
  };
  const Case cases[] = {
      {"NaCl", 0, 2}, {"NaCl", 1, 0}, {"NaCl", 2, 2}, {"CO", 0, 1},
      {"Uuoo", 0, 3}, {"H2", 1, 0},   {"Ha2b", 0, 2}, {"(C", 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.position));
    EXPECT_EQ(symbol_length_at(c.text, c.position), c.length);
  }
}

}  // namespace
