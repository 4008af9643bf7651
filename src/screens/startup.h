#pragma once
// The program's start: the banner, the loading of the element data, and the
// main menu that runs every screen.

#include "console/console.h"
#include "data/element_table.h"
#include "data/text_file.h"

inline constexpr std::string_view MISSING_FILES_MESSAGE =
    "Program dependancies missing.\nPlease reinstall program.";

/// Copies the open banner file to the console character by character, from
/// its start up to its end, and nothing else.
void show_banner(Console& console, TextFile& banner);

/// The menu loop: one key chooses a screen; the key a screen returns (or the
/// menu key itself) ends the program when it is e or E.
void run_main_menu(Console& console, const ElementTable& table);

/// Everything from the first clear to the end: banner, loading, menu. Every
/// path out of it is a normal end of the program.
void run_program(Console& console);
