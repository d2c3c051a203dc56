#include <cstdlib>
#include <iostream>
#include <string_view>

#include "app/form1.h"
#include "app/usage.h"
#include "errors/error.h"
#include "platform/platform.h"

namespace {

bool DebugRequested() {
  const char* debug = std::getenv("QUENNET_DEBUG");
  return debug != nullptr && std::string_view(debug) == "1";
}

}  // namespace

int main(int argc, char** argv) {
  return quennet::RunReportingFatalErrors(
      [&] {
        auto platform = quennet::MakePlatform(argc, argv);
        const std::string arguments = platform->ArgumentText();
        if (arguments == "--help") {
          std::cout << quennet::kUsage;
        } else if (arguments == "--version") {
          std::cout << "quennet " QUENNET_VERSION "\n";
        } else {
          quennet::Form1 form(platform->host(), arguments, DebugRequested());
          quennet::ShowForm(form, platform->host().clock);
        }
        return 0;
      },
      std::cerr);
}
