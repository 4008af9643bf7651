// Reads keys through the console layer and writes the code of each as
// "<code>\n", until it reads 'q' or the input ends ('E').

#include "console/console.h"
#include "console/posix_device.h"

int main() {
  PosixDevice device;
  Console console(device);
  write_text(console, "ready\n");
  for (;;) {
    const char key = read_key(console);
    write_int(console, static_cast<unsigned char>(key));
    write_text(console, "\n");
    if (key == 'q' || key == 'E') break;
  }
  return 0;
}
