// Folding the repeated elements of a composition list into one entry each.

#include <cstdint>

#include "formula/formula.h"

namespace {

int32_t clamp_to_int32(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// Removes entry `position` from both arrays; the entries behind it move one
// place towards the front. Returns the new last position.
int32_t remove_entry(int32_t indices[], int32_t counts[], int32_t position, int32_t last) {
  for (int32_t k = position; k < last; ++k) {
    indices[k] = indices[k + 1];
    counts[k] = counts[k + 1];
  }
  return last - 1;
}

}  // namespace

int32_t merge_repeated_elements(int32_t indices[], int32_t counts[], int32_t last) {
  // Merge pass: every later entry of an element is added into its first one
  // and marked. A marked entry's index is the mark too, so the test on the
  // later count keeps two marked entries from merging with each other.
  for (int32_t i = 0; i <= last; ++i) {
    for (int32_t j = i + 1; j <= last; ++j) {
      if (indices[j] != indices[i] || counts[j] == COMPOSITION_MARK) continue;
      counts[i] = clamp_to_int32(int64_t{counts[i]} + counts[j]);
      counts[j] = COMPOSITION_MARK;
      indices[j] = COMPOSITION_MARK;
    }
  }

  // Compaction pass: after a removal the same position holds the entry that
  // followed, so it is tested again and a run of marks goes whole.
  int32_t position = 0;
  while (position <= last) {
    if (counts[position] == COMPOSITION_MARK) {
      last = remove_entry(indices, counts, position, last);
    } else {
      ++position;
    }
  }
  return last;
}

bool merged_counts_fit(const int32_t indices[], const int32_t counts[], int32_t last) {
  for (int32_t i = 0; i <= last; ++i) {
    bool first_of_its_index = true;
    for (int32_t k = 0; k < i && first_of_its_index; ++k) {
      if (indices[k] == indices[i]) first_of_its_index = false;
    }
    if (!first_of_its_index) continue;

    int64_t sum = counts[i];
    for (int32_t j = i + 1; j <= last; ++j) {
      if (indices[j] == indices[i] && counts[j] != COMPOSITION_MARK) sum += counts[j];
    }
    if (sum > INT32_MAX || sum < INT32_MIN) return false;
  }
  return true;
}
