#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "ctl/subcommands.h"
#include "platform/fake/fake_host.h"
#include "text/text_split.h"

namespace quennet {
namespace {

// quennetctl page with the arguments: its status and first line on standard error.
std::string Page(FakeHost& fake, const std::string& arguments) {
  std::ostringstream out, err;
  Ctl ctl{fake.host, out, err};
  std::vector<std::string> words = SplitAll(arguments, ' ');
  words.insert(words.begin(), "page");
  const int status = RunQuennetCtl(ctl, words);
  return std::to_string(status) + " " + err.str().substr(0, err.str().find('\n'));
}

TEST(Page, RefusesWhatABrowserCannotSendAndWritesNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"h 7133,2280 dt,du",
       "action code \"du\" is a UDP knock, which a browser does not send; use a TCP code (dt, at)"},
      {"h 7133,6000",
       "port 6000 (x11) is a bad port, one that browsers refuse to connect to: a page cannot knock "
       "on it; choose another knock port"},
  };
  for (const auto& [arguments, message] : cases) {
    FakeHost fake;
    const std::string result = Page(fake, arguments);
    EXPECT_TRUE(result.starts_with("2 quennetctl page: " + std::string(message))) << result;
    EXPECT_EQ(fake.files.changes, std::vector<std::string>{}) << arguments;
  }
}

TEST(Page, WritesOnePageThatLoadsNothingAndHoldsTheKnock) {
  FakeHost fake;
  EXPECT_EQ(Page(fake, "server.example.net 7133,2280,5391"), "0 ");
  ASSERT_EQ(fake.files.files.size(), 1u);
  const auto& [name, html] = *fake.files.files.begin();
  EXPECT_EQ(name, "Quennet knock server.example.net.html");
  EXPECT_NE(html.find("const knock = {host: \"server.example.net\", ports: [7133, 2280, 5391], "
                      "delayMs: 200, attemptMs: 250, nudgeAfterMs: 2000, nudge: 7134, "
                      "windowSeconds: 30};"),
            std::string::npos);
  for (const char* loads : {"src=", "href=", "url(", "@import", "<link", "<img", "<iframe"})
    EXPECT_EQ(html.find(loads), std::string::npos) << loads;
}

}  // namespace
}  // namespace quennet
