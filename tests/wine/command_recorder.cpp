// Appends the command line it was started with, byte for byte, and CR LF to the file
// named by its first argument.
#include <windows.h>

#include <fstream>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::ofstream(argv[1], std::ios::app | std::ios::binary) << GetCommandLineA() << "\r\n";
  return 0;
}
