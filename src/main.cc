// chemterm: molecular masses, compositions and element properties at the
// keyboard. Takes no arguments, writes no files, always exits with status 0.

#include "console/console.h"
#include "screens/startup.h"

#ifdef _WIN32
#include "console/windows_device.h"
using PlatformDevice = WindowsDevice;
#else
#include "console/posix_device.h"
using PlatformDevice = PosixDevice;
#endif

int main() {
  PlatformDevice device;
  {
    Console console(device);
    run_program(console);
  }  // the console delivers its last output and resets the colours here
  return 0;
}
