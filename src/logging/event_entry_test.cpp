#include "logging/event_entry.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

TEST(EventEntry, InsertsTheMessageUnchangedBetweenQuotes) {
  FakeHost fake;
  LogEvent(fake.host, 100, "INFORMATION", "Quennet - Port Knock Authenticated\r\nRule Name=R\r\nIP=\"x\"");
  LogEvent(fake.host, 100, "INFORMATION", "");
  EXPECT_EQ(fake.shell.commands,
            (std::vector<std::string>{
                "Exec EVENTCREATE /L APPLICATION /SO Quennet /ID 100 /T INFORMATION /D \"Quennet - Port Knock "
                "Authenticated\r\nRule Name=R\r\nIP=\"x\"\"",
                "Exec EVENTCREATE /L APPLICATION /SO Quennet /ID 100 /T INFORMATION /D \"\""}));
}

}  // namespace
}  // namespace quennet
