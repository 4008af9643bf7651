#pragma once
// The reading and checking that both calculator screens do before they look
// at a single element.

#include "console/console.h"
#include "formula/formula.h"

inline constexpr std::string_view FORMULA_PROMPT = "Enter name of compound::  ";

/// Writes the prompt, reads the formula (emptying the buffer first), checks
/// its parentheses, expands its groups and hydrate parts and checks its first
/// character. False: the input is refused and the screen shows the error
/// screen. A read at the end of the input leaves the empty text, which passes.
bool read_checked_formula(Console& console, FormulaBuffer& formula);

/// Rounds a step formed in double precision to the single precision it is
/// stored in. A value beyond the float range becomes an infinity (a plain
/// conversion would be undefined there; only damaged data files get there).
float round_to_single(double value);
