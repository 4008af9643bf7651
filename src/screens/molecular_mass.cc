#include "screens/molecular_mass.h"

#include "screens/formula_input.h"

namespace {

// Mass of the last record whose symbol equals the token's; 0 when none does.
float token_mass(const ElementTable& table, const SymbolToken& token) {
  float mass = 0.0f;
  find_element(token.symbol, table, [&](int32_t position) { mass = table.records[position].mass; });
  return mass;
}

}  // namespace

char molecular_mass_screen(Console& console, const ElementTable& table, FormulaBuffer& formula) {
  clear_screen(console);
  float total = 0.0f;
  run_command(console, "color e2");
  if (!read_checked_formula(console, formula)) return show_input_error(console);

  bool unknown_symbol = false;
  const ScanResult scan = scan_formula(formula.text, [&](const SymbolToken& token) {
    const float mass = token_mass(table, token);
    if (mass == 0.0f) {
      unknown_symbol = true;
      return false;
    }
    // The step is formed in double precision and stored in single precision.
    const double count = static_cast<float>(token.count);
    total = round_to_single(static_cast<double>(mass) * count + static_cast<double>(total));
    return true;
  });
  if (unknown_symbol || scan == ScanResult::BAD_COUNT || total == 0.0f) {
    return show_input_error(console);
  }

  write_text(console, "\n\n\nMass is ");
  write_float(console, total);
  write_text(console, " gm/mol");
  write_text(console, CALCULATOR_CLOSING_PROMPT);
  return read_key(console);
}
