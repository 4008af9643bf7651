// chemterm: molecular masses, compositions and element properties at the
// keyboard. Takes no arguments, writes no files, always exits with status 0.

#include "console/console.h"
#include "console/posix_device.h"
#include "screens/startup.h"

int main() {
  PosixDevice device;
  {
    Console console(device);
    run_program(console);
  }  // the console delivers its last output and resets the colours here
  return 0;
}
