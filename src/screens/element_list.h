#pragma once

#include "console/console.h"
#include "data/element_table.h"

/// Menu key L: one row per loaded element (atomic number, symbol, name, mass).
/// Once a row is written, right adjustment and show-point stay on for later
/// screens. Returns the closing key as read.
char element_list_screen(Console& console, const ElementTable& table);
