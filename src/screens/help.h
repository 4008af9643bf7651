#pragma once

#include "console/console.h"

/// Menu key H: the help menu and its three topics (About, Features and help,
/// Online support). Returns the closing key lower-cased.
char show_help(Console& console);
