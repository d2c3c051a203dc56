// The whole run of the form, with the trace on: the first line is the argument text,
// the rest the firewall log of a Windows 7 host, or of a Windows XP host (the older
// firewall, its log in the Windows folder) when the first line begins with "!".
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/form1.h"
#include "knock_fuzz.h"
#include "support/test_log.h"
#include "text/date_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quennet;
  auto [arguments, log] = fuzz::FirstLineAndRest(data, size);
  test::KnockHost fake;
  const bool older_firewall = arguments.starts_with('!');
  if (older_firewall) {
    arguments.erase(0, 1);
    fake.version.Set(2, 5, 1, 2600);
  }
  fake.registry.Set("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                    "Common AppData", {kRegSz, std::string("C:\\ProgramData\0", 15)});
  fake.shell.environment["windir"] = "C:\\Windows";
  fake.clock.now = FromCivil({2012, 7, 17, 10, 17, 30});
  fake.files.files[older_firewall ? "C:\\Windows\\pfirewall.log" : test::kLive] = log;

  Form1 form(fake.host, arguments, true);
  ShowForm(form, fake.clock);

  fuzz::Check(!form.Loaded(), "the form unloads");
  fuzz::Check(fake.shell.commands.size() <= 2, "at most the event and the rule are started");
  // Two waits for the log and one tick of the timer.
  fuzz::Check(fake.clock.pauses.size() <= 13, "the run ends after its waits and one tick");
  return 0;
}
