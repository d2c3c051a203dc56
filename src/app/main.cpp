#include <cstdlib>
#include <iostream>
#include <new>
#include <string_view>

#include "app/form1.h"
#include "platform/error.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  try {
    auto platform = quennet::MakePlatform(argc, argv);
    const char* debug = std::getenv("QUENNET_DEBUG");
    quennet::Form1 form(platform->host(), platform->ArgumentText(), debug && std::string_view(debug) == "1");
    quennet::ShowForm(form, platform->host().clock);
    return 0;
  } catch (const quennet::RuntimeError& error) {
    std::cerr << quennet::FatalReport(error) << '\n';
  } catch (const std::bad_alloc&) {
    std::cerr << quennet::FatalReport(quennet::RuntimeError(7, "Out of memory")) << '\n';
  }
  return 1;
}
