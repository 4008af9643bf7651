#pragma once

#include "console/console.h"
#include "data/element_table.h"
#include "formula/formula.h"

/// Menu key M: reads a formula and writes its molar mass. Returns the key that
/// closed the screen, as read, or the error screen's key.
char molecular_mass_screen(Console& console, const ElementTable& table, FormulaBuffer& formula);
