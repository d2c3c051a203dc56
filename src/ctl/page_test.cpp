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
      {"h 6664",
       "the nudge: port 6665 (irc) is a bad port, one that browsers refuse to connect to; choose "
       "another with --nudge PORT"},
      {"--window 0 h 7133", "--window: \"0\" is not a whole number from 1 to 99999"},
      {"--window 1 --delay 600 h 7133,2280",
       "the knock takes up to 1100 ms with --delay 600, longer than its window of 1 seconds "
       "(--window)"},
  };
  std::vector<std::pair<std::string, std::string>> all(std::begin(cases), std::end(cases));
  // 10.1.2 a browser reads as 10.1.0.2.
  for (const std::string host : {"<script>x", "h:80", "10.1.2", "fe80::1%25eth0", "224.0.0.1"})
    all.emplace_back(host + " 7133", "HOST: \"" + host + "\" is neither");
  for (const auto& [arguments, message] : all) {
    FakeHost fake;
    const std::string result = Page(fake, arguments);
    EXPECT_TRUE(result.starts_with("2 quennetctl page: " + message)) << arguments << ": " << result;
    EXPECT_EQ(fake.files.changes, std::vector<std::string>{}) << arguments;
  }
}

TEST(Page, WritesOnePageThatLoadsNothingAndHoldsTheKnock) {
  const std::pair<const char*, const char*> cases[] = {
      {"server.example.net 7133,2280,5391",
       "Quennet knock server.example.net.html|server.example.net|"
       "const knock = {host: \"server.example.net\", ports: [7133, 2280, 5391], delayMs: 200, "
       "attemptMs: 250, "
       "nudgeAfterMs: 2000, nudge: 7134, windowSeconds: 30};"},
      {"--out k.html --window 20 --delay 0 --no-nudge [2001:db8::1] 7133,2280 at,DT",
       "k.html|2001:db8::1|"
       "const knock = {host: \"[2001:db8::1]\", ports: [7133, 2280], delayMs: 0, attemptMs: 250, "
       "nudgeAfterMs: 2000, nudge: null, windowSeconds: 20};"},
      {"2001:db8::1 7133", "Quennet knock 2001-db8--1.html|2001:db8::1|"},
  };
  for (const auto& [arguments, expected] : cases) {
    FakeHost fake;
    EXPECT_EQ(Page(fake, arguments), "0 ") << arguments;
    ASSERT_EQ(fake.files.files.size(), 1u) << arguments;
    const auto& [name, html] = *fake.files.files.begin();
    const std::vector<std::string> parts = SplitAll(expected, '|');
    EXPECT_EQ(name, parts[0]);
    EXPECT_NE(html.find("<h1>Knock on " + parts[1] + "</h1>"), std::string::npos) << arguments;
    EXPECT_NE(html.find(parts[2]), std::string::npos) << arguments;
    for (const char* loads : {"src=", "href=", "url(", "@import", "<link", "<img", "<iframe"}) {
      EXPECT_EQ(html.find(loads), std::string::npos) << loads;
    }
  }
}

}  // namespace
}  // namespace quennet
