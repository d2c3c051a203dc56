#include <iostream>
#include <string>
#include <vector>

#include "ctl/subcommands.h"
#include "errors/error.h"
#include "platform/platform.h"

namespace {

// The arguments, split at blanks: none of them may hold one.
std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while ((start = text.find_first_not_of(" \t", start)) != std::string::npos) {
    const std::size_t end = text.find_first_of(" \t", start);
    tokens.push_back(text.substr(start, end - start));
    start = end;
  }
  return tokens;
}

}  // namespace

int main(int argc, char** argv) {
  return quennet::RunReportingFatalErrors(
      [&] {
        auto platform = quennet::MakePlatform(argc, argv);
        quennet::Ctl ctl{platform->host(), std::cout, std::cerr};
        return quennet::RunQuennetCtl(ctl, Tokens(platform->ArgumentText()));
      },
      std::cerr);
}
