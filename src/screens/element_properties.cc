#include "screens/element_properties.h"

#include <cstring>

#include "screens/formula_input.h"

namespace {

void write_measure(Console& console, float value, std::string_view unit) {
  if (value == 0.0f) {  // -0 is missing too
    write_text(console, "Unknown");
    return;
  }
  write_float(console, value);
  write_text(console, unit);
}

void write_group(Console& console, int32_t group) {
  if (group == -1) {
    write_text(console, "Lanthanoid");
  } else if (group == -2) {
    write_text(console, "Actinoid");
  } else {
    write_int(console, group);
  }
}

void write_block(Console& console, const char* token, const ElementRecord& record, int32_t position) {
  write_text(console, std::strlen(token) == 1 ? "\n\n        " : "\n        ");
  write_text(console, token);
  write_text(console, "\nElement is     ::  ");
  write_text(console, record.name);
  write_text(console, "\nAtomic no      ::  ");
  write_int(console, position + 1);
  set_precision(console.format, 8);
  write_text(console, "\nMelting point  ::  ");
  write_measure(console, record.melt, " K");
  write_text(console, "\nBoiling point  ::  ");
  write_measure(console, record.boil, " K");
  write_text(console, "\nGroup          ::  ");
  write_group(console, record.group);
  write_text(console, "\nPeriod         ::  ");
  write_int(console, record.period);
  write_text(console, "\nDensity        ::  ");
  // Densities are held in grams per cubic centimetre.
  write_measure(console, record.density, " g/cm3");
}

}  // namespace

char element_properties_screen(Console& console, const ElementTable& table, FormulaBuffer& formula) {
  clear_screen(console);
  run_command(console, "color f1");
  bool not_found = true;  // set once for the whole word
  write_text(console, FORMULA_PROMPT);
  const WordRead read = read_word(console, formula.text, sizeof formula.text);
  if (read == WordRead::TOO_LONG) return show_input_error(console);
  if (!check_formula_start(formula.text)) return show_input_error(console);

  const char* text = formula.text;
  for (size_t p = 0; text[p] != '\0'; ++p) {
    const size_t length = symbol_length_at(text, p);
    if (length == 0) continue;
    char token[SYMBOL_TOKEN_SIZE] = {};
    std::memcpy(token, text + p, length);
    find_element(token, table, [&](int32_t position) {
      write_block(console, token, table.records[position], position);
      not_found = false;
    });
    if (not_found) return show_input_error(console);
  }
  write_text(console, CLOSING_PROMPT);
  return read_key(console);
}
