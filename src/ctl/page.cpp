#include <algorithm>

#include "ctl/browser_limits.h"
#include "ctl/ctl_arguments.h"
#include "ctl/knock_page.h"
#include "ctl/subcommands.h"
#include "platform/platform.h"
#include "text/ascii.h"

namespace quennet {
namespace {

constexpr const char* kDefaultWindow = "30";

// Every knock port and the nudge must be one a browser connects to.
void CheckBrowserPorts(const KnockPlan& plan) {
  for (const KnockPacket& knock : plan.knocks) {
    if (const std::string reason = BadPortReason(knock.port); !reason.empty()) {
      throw UsageError(reason + ": a page cannot knock on it; choose another knock port");
    }
  }
  if (!plan.nudge_port) return;
  if (const std::string reason = BadPortReason(*plan.nudge_port); !reason.empty()) {
    throw UsageError("the nudge: " + reason + "; choose another with --nudge PORT");
  }
}

// A knock that takes longer than its window can never verify.
void CheckKnockFitsWindow(const KnockPlan& plan, int window_seconds) {
  const long count = static_cast<long>(plan.knocks.size());
  const long knock_ms = count * kConnectionAttemptMilliseconds + (count - 1) * plan.delay_ms;
  if (knock_ms > window_seconds * 1000L) {
    throw UsageError("the knock takes up to " + std::to_string(knock_ms) + " ms with --delay " +
                     std::to_string(plan.delay_ms) + ", longer than its window of " +
                     std::to_string(window_seconds) + " seconds (--window)");
  }
}

std::string OwnOption(const KnockPlan& plan, const std::string& option,
                      const std::string& fallback) {
  const auto given = plan.own.find(option);
  return given == plan.own.end() ? fallback : given->second;
}

// "Quennet knock HOST.html", with the ':' of an IPv6 address (which a Windows file
// name cannot hold) as '-'.
std::string DefaultPageName(std::string host) {
  std::replace_if(
      host.begin(), host.end(), [](char c) { return !IsLetter(c) && !IsDigit(c) && c != '.'; },
      '-');
  return "Quennet knock " + host + ".html";
}

}  // namespace

int Page(Ctl& ctl, const std::vector<std::string>& arguments) {
  const KnockSender browser{"a browser", false, {"--out", "--window"}};
  KnockPage page{ParseKnockOptions(arguments, browser), "", 0};
  page.url_host = BrowserUrlHost(page.plan.host);
  const std::string window = OwnOption(page.plan, "--window", kDefaultWindow);
  CheckCount("--window", window);
  page.window_seconds = std::stoi(window);
  CheckBrowserPorts(page.plan);
  CheckKnockFitsWindow(page.plan, page.window_seconds);

  const std::string html = KnockPageHtml(page);
  const std::string out = OwnOption(page.plan, "--out", DefaultPageName(page.plan.host));
  if (out == "-") {
    UseBinaryStandardOutput();
    ctl.out << html << std::flush;
    return 0;
  }
  ctl.host.files.WriteWholeFile(out, html);
  ctl.out << "wrote " << out << ": a knock page for " << page.plan.host
          << ". It holds the knock itself: keep it where you keep the knock.\n";
  return 0;
}

}  // namespace quennet
