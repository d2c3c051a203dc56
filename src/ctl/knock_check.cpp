#include "ctl/knock_check.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "ctl/browser_limits.h"
#include "text/text_split.h"

namespace quennet {
namespace {

constexpr long kNearPorts = 10;
constexpr long kWellKnownPorts = 1024;

std::vector<long> Numbers(const std::string& ports) {
  std::vector<long> numbers;
  for (const std::string& port : SplitAll(ports, ',')) numbers.push_back(std::stol(port));
  return numbers;
}

void PairWarnings(const std::vector<long>& ports, std::vector<std::string>& warnings) {
  for (std::size_t i = 0; i < ports.size(); ++i) {
    for (std::size_t j = i + 1; j < ports.size(); ++j) {
      const std::string pair = std::to_string(ports[i]) + " and " + std::to_string(ports[j]);
      if (ports[i] == ports[j]) {
        warnings.push_back("port " + std::to_string(ports[i]) + " is repeated");
      } else if (std::labs(ports[i] - ports[j]) <= kNearPorts) {
        warnings.push_back("ports " + pair +
                           " are within ten of each other: a sweep meets them together");
      }
    }
  }
}

}  // namespace

std::vector<std::string> KnockWarnings(const std::string& ports) {
  const std::vector<long> numbers = Numbers(ports);
  std::vector<std::string> warnings;
  if (numbers.size() < 3)
    warnings.push_back("fewer than three ports: a scan hits them by chance too easily");
  if (numbers.size() > 1 && std::is_sorted(numbers.begin(), numbers.end())) {
    warnings.push_back("the ports are in ascending order, the order a sweep meets them in");
  } else if (numbers.size() > 1 &&
             std::is_sorted(numbers.begin(), numbers.end(), std::greater<>())) {
    warnings.push_back("the ports are in descending order, the order a sweep meets them in");
  }
  PairWarnings(numbers, warnings);
  for (const long port : numbers) {
    if (port < kWellKnownPorts)
      warnings.push_back("port " + std::to_string(port) +
                         " is below 1024: scanners try those first");
    if (const std::string reason = BadPortReason(port); !reason.empty())
      warnings.push_back(reason + ": a knock page cannot send it");
  }
  return warnings;
}

}  // namespace quennet
