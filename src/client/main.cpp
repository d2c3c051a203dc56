#include <iostream>
#include <string>
#include <vector>

#include "client/knock_usage.h"
#include "client/send_knock.h"
#include "errors/error.h"
#include "plan/knock_plan.h"
#include "platform/network.h"
#include "platform/platform.h"

namespace {

constexpr int kBadCommandLine = 2;
constexpr int kUnknownHost = 3;
constexpr int kNotSent = 4;
constexpr int kStillClosed = 5;

int Fail(int status, const std::string& message) {
  std::cerr << "quennet-knock: " << message << '\n';
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  quennet::KnockPlan plan;
  try {
    plan = quennet::ParseKnockOptions(std::vector<std::string>(argv + 1, argv + argc),
                                      {"quennet-knock", true, {}});
  } catch (const quennet::UsageError& error) {
    return Fail(kBadCommandLine, std::string(error.what()) + "\nTry 'quennet-knock --help'.");
  }
  if (plan.help) {
    std::cout << quennet::kKnockUsage;
    return 0;
  }
  try {
    const auto network = quennet::MakeNetwork();
    std::string address;
    try {
      address = network->Resolve(plan.host, plan.family);
    } catch (const quennet::RuntimeError& error) {
      return Fail(kUnknownHost, error.Detail());
    }
    // The platform's clock paces the packets.
    const auto platform = quennet::MakePlatform(argc, argv);
    quennet::Clock& clock = platform->host().clock;
    const std::int64_t knocked = quennet::SendKnock(plan, address, *network, clock, std::cout);
    if (plan.open_port &&
        !quennet::WaitForOpenPort(plan, address, *network, clock, knocked, std::cout)) {
      return kStillClosed;
    }
  } catch (const quennet::RuntimeError& error) {
    return Fail(kNotSent, error.Detail());
  }
  return 0;
}
