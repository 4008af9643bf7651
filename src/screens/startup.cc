#include "screens/startup.h"

#include <memory>

#include "console/keys.h"
#include "formula/formula.h"
#include "screens/composition.h"
#include "screens/element_list.h"
#include "screens/element_properties.h"
#include "screens/help.h"
#include "screens/molecular_mass.h"

namespace {

constexpr std::string_view MENU_TEXT =
    "\n\n\t\t\t\tMENU\n_______________________________________________________________________________"
    "\n\n\t\t'M'olecular mass calculator\n\n\t\t'L'ist of elements\n\n\t\t'C'omposition of "
    "compound\n\n\t\t'P'roperties of element\n\n\t\t'H'elp\n\n\t\t'E'xit\n\n";

// Shown on the start-up screen when the banner or a data file is missing;
// one key, and the program ends.
void report_missing_files(Console& console) {
  write_text(console, MISSING_FILES_MESSAGE);
  (void)read_key(console);
}

}  // namespace

void show_banner(Console& console, TextFile& banner) {
  std::istream& stream = banner.stream();
  for (int c = stream.get(); c != std::char_traits<char>::eof(); c = stream.get()) {
    write_char(console, static_cast<char>(c));
  }
}

void run_main_menu(Console& console, const ElementTable& table) {
  // Shared by the screens for the whole run: the last formula stays in the
  // buffer, and the composition list's storage is reused without clearing.
  FormulaBuffer formula{};
  CompositionList list{};
  list.last = -1;
  char last_key;
  do {
    clear_screen(console);
    run_command(console, "color b4");
    write_text(console, MENU_TEXT);
    const char key = key_to_upper(read_key(console));
    switch (key) {
      case 'M':
        last_key = molecular_mass_screen(console, table, formula);
        break;
      case 'L':
        last_key = element_list_screen(console, table);
        break;
      case 'C':
        last_key = composition_screen(console, table, formula, list);
        break;
      case 'P':
        last_key = element_properties_screen(console, table, formula);
        break;
      case 'H':
        last_key = show_help(console);
        break;
      default:
        last_key = key;
        break;
    }
  } while (key_to_lower(last_key) != 'e');
}

void run_program(Console& console) {
  run_command(console, "cls");
  run_command(console, "color 9f");
  // The banner stays open until the program ends.
  TextFile banner;
  if (!banner.open("head")) {
    report_missing_files(console);
    return;
  }
  show_banner(console, banner);
  write_text(console, BANNER_PROMPT);
  (void)read_key(console);
  run_command(console, "cls");

  const auto table = std::make_unique<ElementTable>();
  if (open_and_load_element_table(*table) == LoadResult::MISSING_FILE) {
    report_missing_files(console);
    return;
  }
  run_main_menu(console, *table);
}
