#pragma once

#include "console/console.h"
#include "data/element_table.h"
#include "formula/formula.h"

/// Menu key C: reads a formula and writes one row per element with its atoms,
/// mass, contribution and percentage of the molar mass. The list's storage is
/// reused from one showing to the next. Returns the closing key as read, or
/// the error screen's key.
char composition_screen(Console& console, const ElementTable& table, FormulaBuffer& formula,
                        CompositionList& list);
