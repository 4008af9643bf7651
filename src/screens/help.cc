#include "screens/help.h"

#include "console/keys.h"

#include "data/text_file.h"
#include "screens/startup.h"

namespace {

constexpr std::string_view HELP_MENU =
    "\n\n\t\t\t  **HELP MENU**\n\n\t\t\t'A'bout\n\n\t\t\t'F'eatures and help\n\n\t\t\t'O'nline support\n\n";

// Written one after the other; each begins where the one before ended.
constexpr std::string_view FEATURE_TEXTS[] = {
    "\t\t\t::FEATURES::\n*Molecular mass calculator\n*Composition calculator- Get percentage of "
    "elements present in a compound",
    "\n*List of elements-Show list of all elements with IUPAC names and symbols in \n  increasing "
    "order of Atomic Numbers",
    "\n*Properties of elements- Get Density, Group, Period,Atomic no, Molecular mass, \n  Melting "
    "point, Boiling point for elements",
    "\n\n\n\t\t\t::HOW TO ENTER::\n*Compound names need to be entered with symbols of elements "
    "followed by the \n  subscript\n   eg:\tNa2O\n\tC3H6",
    "\n*Co and CO do not mean the same Co is Cobalt and CO is compound with one Carbon\n  and one "
    "Oxygen atom",
    "\n*Refer to list of elements for symbols",
    "\n*CH3COOH and NOOH are automatically read as C2H4O2 and NO2 respectively",
    "\n*Support for  parenthesis(only 1 pair)\n   eg:  Al2(SO4)3",
};

constexpr std::string_view CONTACT_ADDRESS = "support@chemterm.example";
constexpr std::string_view CONTACT_SITE = "https://chemterm.example";

void show_about(Console& console) {
  // The banner may have gone since start-up: then the topic shows nothing.
  TextFile banner;
  if (!banner.open("head")) return;
  show_banner(console, banner);
  banner.close();
}

void show_features(Console& console) {
  for (std::string_view text : FEATURE_TEXTS) write_text(console, text);
}

void show_contact(Console& console) {
  write_text(console, "\n\nYou can contact the programmer for any bugs or suggestions at \n\n\t\t");
  write_text(console, CONTACT_ADDRESS);
  write_text(console, "\n\n\tWebsite :: ");
  write_text(console, CONTACT_SITE);
  write_text(console, " ");
}

}  // namespace

char show_help(Console& console) {
  clear_screen(console);
  run_command(console, "color a4");
  write_text(console, HELP_MENU);
  switch (key_to_upper(read_key(console))) {
    case 'A':
      run_command(console, "cls");
      show_about(console);
      break;
    case 'F':
      run_command(console, "cls");
      show_features(console);
      break;
    case 'O':
      run_command(console, "cls");
      show_contact(console);
      break;
    default:  // the help menu stays on the screen
      break;
  }
  write_text(console, CLOSING_PROMPT);
  return key_to_lower(read_key(console));
}
