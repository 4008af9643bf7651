#include "screens/formula_input.h"

#include <cfloat>
#include <cmath>

bool read_checked_formula(Console& console, FormulaBuffer& formula) {
  write_text(console, FORMULA_PROMPT);
  if (read_formula(console, formula) == FormulaRead::TOO_LONG) return false;
  if (check_parentheses(formula.text) == 1) return false;
  // Every group and hydrate part is expanded, not only the last group, so
  // that Ca(OH)2(NO3)2 and CuSO4.5H2O weigh what they really weigh.
  if (!expand_formula(formula)) return false;
  return check_formula_start(formula.text);
}

float round_to_single(double value) {
  if (value > FLT_MAX) return INFINITY;
  if (value < -FLT_MAX) return -INFINITY;
  return static_cast<float>(value);
}
