// Feeds arbitrary bytes through the whole formula analysis as the calculator
// screens run it (parenthesis check, expansion, first-character check, scan,
// merge) and aborts on any broken property. The sanitizers catch any read or
// write outside the buffers.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "formula/formula.h"

namespace {

void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", property);
  std::abort();
}

bool holds_nul(const FormulaBuffer& buffer) {
  return std::memchr(buffer.text, '\0', sizeof buffer.text) != nullptr;
}

void check_symbol(const SymbolToken& token) {
  const size_t length = strnlen(token.symbol, SYMBOL_TOKEN_SIZE);
  require(length >= 1 && length <= 3, "a symbol has 1 to 3 letters and a NUL");
  require(is_upper(token.symbol[0]), "a symbol starts with an upper-case letter");
  for (size_t i = 1; i < length; ++i) {
    require(is_lower(token.symbol[i]), "a symbol continues in lower-case letters");
  }
  require(token.count >= 0 && token.count <= 99999999, "a count has at most 8 digits");
}

// A text of at most 19 characters, with one "(" before one ")" and neither
// a bracket nor a hydrate dot, is expanded exactly as one group.
bool is_plain_one_group(const char* text) {
  const size_t length = std::strlen(text);
  if (length > 19) return false;
  const char* open = std::strchr(text, '(');
  const char* close = std::strchr(text, ')');
  if (open == nullptr || close == nullptr || close < open) return false;
  if (std::strrchr(text, '(') != open || std::strrchr(text, ')') != close) return false;
  return std::strpbrk(text, "[].*") == nullptr && std::strstr(text, "\xC2\xB7") == nullptr;
}

struct Sum {
  int32_t index;
  int64_t count;
};

void check_merge(const CompositionList& filled) {
  // What the merge must give, in 64 bits and order of first appearance.
  std::vector<Sum> expected;
  for (int32_t i = 0; i <= filled.last; ++i) {
    bool found = false;
    for (Sum& sum : expected) {
      if (sum.index != filled.indices[i]) continue;
      sum.count += filled.counts[i];
      found = true;
    }
    if (!found) expected.push_back({filled.indices[i], filled.counts[i]});
  }
  bool all_fit = true;
  for (const Sum& sum : expected) all_fit = all_fit && sum.count <= INT32_MAX;

  CompositionList list = filled;
  require(merged_counts_fit(list.indices, list.counts, list.last) == all_fit,
          "merged_counts_fit tells whether every sum fits");
  const int32_t last = merge_repeated_elements(list.indices, list.counts, list.last);
  require(last == static_cast<int32_t>(expected.size()) - 1, "one entry per element");
  for (int32_t i = 0; i <= last; ++i) {
    const Sum& sum = expected[static_cast<size_t>(i)];
    require(list.indices[i] == sum.index, "entries keep the order of first appearance");
    const int64_t held = sum.count > INT32_MAX ? INT32_MAX : sum.count;
    require(list.counts[i] == held, "an entry holds the sum of its element's counts");
  }
  for (int32_t i = filled.last + 1; i < COMPOSITION_CAPACITY; ++i) {
    require(list.indices[i] == filled.indices[i] && list.counts[i] == filled.counts[i],
            "nothing behind the last entry changes");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FormulaBuffer buffer;
  std::memset(buffer.text, 'X', sizeof buffer.text);
  size_t length = 0;
  while (length < size && length < FORMULA_MAX_LENGTH && data[length] != 0) {
    buffer.text[length] = static_cast<char>(data[length]);
    ++length;
  }
  buffer.text[length] = '\0';
  const FormulaBuffer typed = buffer;

  const int parentheses = check_parentheses(buffer.text);
  require(parentheses >= 1 && parentheses <= 3, "the parenthesis check gives 1, 2 or 3");

  const bool expanded = expand_formula(buffer);
  require(holds_nul(buffer), "the text stays within the buffer");
  if (expanded) {
    require(parentheses != 1, "unbalanced parentheses are refused");
    require(std::strpbrk(buffer.text, "()[]") == nullptr, "every group is expanded");
    if (is_plain_one_group(typed.text)) {
      FormulaBuffer single = typed;
      require(expand_group(single) && std::strcmp(single.text, buffer.text) == 0,
              "one group expands as a single expansion does");
    }
  } else {
    require(std::memcmp(buffer.text, typed.text, sizeof buffer.text) == 0,
            "a refused text stays as typed");
  }

  (void)check_formula_start(buffer.text);

  CompositionList list;
  for (int32_t i = 0; i < COMPOSITION_CAPACITY; ++i) {
    list.indices[i] = COMPOSITION_MARK;
    list.counts[i] = i;
  }
  list.last = -1;
  scan_formula(buffer.text, [&](const SymbolToken& token) {
    check_symbol(token);
    if (list.last + 1 >= COMPOSITION_CAPACITY) return false;
    uint32_t hash = 2166136261u;
    for (const char* c = token.symbol; *c != '\0'; ++c) {
      hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    }
    ++list.last;
    list.indices[list.last] = static_cast<int32_t>(hash % 118);
    list.counts[list.last] = token.count;
    return true;
  });
  check_merge(list);
  return 0;
}
