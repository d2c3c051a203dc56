#include <iostream>

#include "platform/error.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  try {
    auto platform = quennet::MakePlatform(argc, argv);
    return 0;
  } catch (const quennet::RuntimeError& error) {
    std::cerr << quennet::FatalReport(error) << '\n';
    return 1;
  }
}
