#include "screens/composition.h"

#include "screens/formula_input.h"

namespace {

constexpr std::string_view HEADER_TITLES =
    "\nSYMBOL  ATOMIC\t  NAME\t      ATOMS IN      ATOMIC     CONTRIBUTION  PERCENTAGE\n"
    "\t  NO\t\t      COMPOUND\t     MASS        TO MASS       ";
constexpr std::string_view HEADER_RULE =
    "OF MASS\n_______________________________________________________________________________";

enum class Collect { OK, REFUSED };

// Appends one entry per record that matches each token, and adds each token's
// mass to the running total. Refused: a token without a known mass, a count
// that is too long, or more entries than the list holds.
Collect collect_entries(const ElementTable& table, const char* text, CompositionList& list,
                        float& total) {
  int32_t entries = 0;
  bool refused = false;
  const ScanResult scan = scan_formula(text, [&](const SymbolToken& token) {
    float mass = 0.0f;
    find_element(token.symbol, table, [&](int32_t position) {
      mass = table.records[position].mass;
      if (entries == COMPOSITION_CAPACITY) {
        refused = true;
        return;
      }
      list.indices[entries] = position;
      list.counts[entries] = token.count;
      ++entries;
    });
    if (refused || mass == 0.0f) {
      refused = true;
      return false;
    }
    // The count enters as an integer; the step is formed in double precision.
    total = round_to_single(static_cast<double>(token.count) * static_cast<double>(mass) +
                            static_cast<double>(total));
    return true;
  });
  list.last = entries - 1;
  return refused || scan == ScanResult::BAD_COUNT ? Collect::REFUSED : Collect::OK;
}

// A row divides by the total: with damaged data (negative masses) the total
// can be 0 or less while an element still has atoms to show.
bool rows_need_positive_total(const CompositionList& list) {
  for (int32_t r = 0; r <= list.last; ++r) {
    if (list.counts[r] > 0) return true;
  }
  return false;
}

void write_row(Console& console, const ElementRecord& record, int32_t index, int32_t count,
               float total) {
  ConsoleFormatState& format = console.format;
  write_text(console, "\n\n");
  add_flags(format, FORMAT_LEFT);
  set_adjustment(format, Adjustment::RIGHT);
  set_width(format, 4);
  write_text(console, record.symbol);
  write_text(console, "\t");
  set_width(format, 4);
  write_int(console, index + 1);
  write_text(console, "      ");
  set_adjustment(format, Adjustment::LEFT);
  set_width(format, 12);
  write_text(console, record.name);
  write_text(console, "\t ");
  set_width(format, 3);
  write_int(console, count);
  // The width 8 is spent on the single blank: the mass follows eight blanks.
  set_adjustment(format, Adjustment::RIGHT);
  add_flags(format, FORMAT_SHOW_POINT);
  fixed_off(format);
  set_width(format, 8);
  set_precision(format, 6);
  write_text(console, " ");
  write_float(console, record.mass);
  write_text(console, "\t ");
  const double contribution = static_cast<double>(count) * static_cast<double>(record.mass);
  set_precision(format, 4);
  set_width(format, 8);
  add_flags(format, FORMAT_FIXED);
  write_float(console, round_to_single(contribution));
  write_text(console, "     ");
  set_width(format, 8);
  write_float(console, round_to_single(contribution * 100.0 / static_cast<double>(total)));
}

}  // namespace

char composition_screen(Console& console, const ElementTable& table, FormulaBuffer& formula,
                        CompositionList& list) {
  list.last = -1;
  float total = 0.0f;
  clear_screen(console);
  run_command(console, "color 3f");
  if (!read_checked_formula(console, formula)) return show_input_error(console);
  if (collect_entries(table, formula.text, list, total) == Collect::REFUSED ||
      !merged_counts_fit(list.indices, list.counts, list.last) ||
      (rows_need_positive_total(list) && !(total > 0.0f))) {
    return show_input_error(console);
  }

  write_text(console, HEADER_TITLES);
  write_text(console, HEADER_RULE);
  list.last = merge_repeated_elements(list.indices, list.counts, list.last);
  for (int32_t r = 0; r <= list.last; ++r) {
    if (list.indices[r] >= 0 && list.counts[r] > 0) {
      write_row(console, table.records[list.indices[r]], list.indices[r], list.counts[r], total);
    }
  }
  write_text(console, CALCULATOR_CLOSING_PROMPT);
  return read_key(console);
}
