#include "screens/element_list.h"

namespace {

constexpr std::string_view HEADER =
    "ATOMIC\t\tSYMBOL\t\t     NAME\t\t MOLECULAR \n  NO\t\t\t\t\t\t\tMASS(g/mol)";
constexpr std::string_view RULE =
    "\n_______________________________________________________________________________";

void write_row(Console& console, const ElementRecord& record, int32_t position) {
  ConsoleFormatState& format = console.format;
  write_text(console, "\n");
  add_flags(format, FORMAT_RIGHT);
  set_width(format, 4);
  write_int(console, position + 1);
  write_text(console, "\t\t");
  set_adjustment(format, Adjustment::LEFT);
  set_width(format, 3);
  write_text(console, record.symbol);
  write_text(console, "\t\t  ");
  set_width(format, 12);
  write_text(console, record.name);
  write_text(console, "\t\t");
  // The mass keeps whatever precision and notation earlier screens left.
  set_adjustment(format, Adjustment::RIGHT);
  add_flags(format, FORMAT_SHOW_POINT);
  set_width(format, 10);
  write_float(console, record.mass);
}

}  // namespace

char element_list_screen(Console& console, const ElementTable& table) {
  clear_screen(console);
  run_command(console, "color f2");
  write_text(console, HEADER);
  write_text(console, RULE);
  for (int32_t position = 0; position < table.count; ++position) {
    write_row(console, table.records[position], position);
  }
  write_text(console, CLOSING_PROMPT);
  return read_key(console);
}
