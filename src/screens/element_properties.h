#pragma once

#include "console/console.h"
#include "data/element_table.h"
#include "formula/formula.h"

/// Menu key P: reads a word of element symbols (without emptying the buffer
/// first, so at the end of the input the last text is analysed again) and
/// writes a block of properties for every record each symbol matches.
/// Leaves precision 8 in force once a block is written. Returns the closing
/// key as read, or the error screen's key.
char element_properties_screen(Console& console, const ElementTable& table, FormulaBuffer& formula);
