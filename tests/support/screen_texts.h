#pragma once
// The texts the program writes on its screens, as the end-to-end tests expect
// them byte for byte. Each test adds its own banner, rows and blocks.

#include <string>

// The line under every screen title.
inline const std::string RULE(79, '_');

// Below the banner, before the first key is read.
inline const std::string BANNER_PROMPT = "\n\n\n\n\n\n\n\n\nPress any key to continue";

inline const std::string MENU = "\n\n\t\t\t\tMENU\n" + RULE +
                                "\n\n\t\t'M'olecular mass calculator\n\n\t\t'L'ist of elements"
                                "\n\n\t\t'C'omposition of compound\n\n\t\t'P'roperties of element"
                                "\n\n\t\t'H'elp\n\n\t\t'E'xit\n\n";

inline const std::string HELP_MENU =
    "\n\n\t\t\t  **HELP MENU**\n\n\t\t\t'A'bout\n\n\t\t\t'F'eatures and help\n\n\t\t\t'O'nline "
    "support\n\n";

inline const std::string FORMULA_PROMPT = "Enter name of compound::  ";

// The calculators' closing prompt ends in two blanks, the other screens' in one.
inline const std::string CLOSING = "\n\n\n\nPress 'E' to exit or any other key to continue ";
inline const std::string CALCULATOR_CLOSING =
    "\n\n\n\nPress 'E' to exit or any other key to continue  ";

inline const std::string ERROR_SCREEN =
    "Wrong method of entering or wrong element.\nPress 'E' to exit or any other key to continue ";

inline const std::string LIST_HEADER =
    "ATOMIC\t\tSYMBOL\t\t     NAME\t\t MOLECULAR \n  NO\t\t\t\t\t\t\tMASS(g/mol)\n" + RULE;

inline const std::string COMPOSITION_HEADER =
    "\nSYMBOL  ATOMIC\t  NAME\t      ATOMS IN      ATOMIC     CONTRIBUTION  PERCENTAGE\n"
    "\t  NO\t\t      COMPOUND\t     MASS        TO MASS       OF MASS\n" +
    RULE;

// Shown instead of the menu when a data file cannot be read.
inline const std::string MISSING_FILES =
    "Program dependancies missing.\nPlease reinstall program.";
