#include "knock/knock_openings.h"

#include <gtest/gtest.h>

#include "errors/error.h"
#include "fwlog/snapshot.h"
#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

TEST(KnockOpenings, AKnockOpensOnceWhileARunCanSeeItAndANewOneOpensAgain) {
  FakeHost fake;
  FormState form;
  form.AppDataFolder = "C:\\Data";
  fake.clock.now = FromCivil({2012, 7, 17, 10, 17, 31});
  const std::string record = StateFilePath(form.AppDataFolder, kOpeningsState);
  const KnockOpening knock{"KnockRDP", "203.0.113.45", "3389", "701\n702\n703\n", "30"};
  KnockOpening new_lines = knock;
  new_lines.lines = "701\n702\n703 again\n";
  KnockOpening other_rule = knock;
  other_rule.rule = "KnockSSH";
  int opened = 0;
  const auto open = [&](const KnockOpening& which) {
    OpenOnce(fake.host, form, which, [&] { ++opened; });
    return opened;
  };

  EXPECT_EQ(open(knock), 1);
  EXPECT_EQ(open(knock), 1);
  EXPECT_EQ(open(new_lines), 2);
  EXPECT_EQ(open(other_rule), 3);
  fake.clock.now.seconds += 30 + 120;  // the window and the time a run may still take
  EXPECT_EQ(open(knock), 3);
  fake.clock.now.seconds += 1;
  EXPECT_EQ(open(knock), 4);

  // Commands that could not be started are no opening; a record cut short holds none.
  EXPECT_THROW(
      OpenOnce(fake.host, form, new_lines, [] { throw RuntimeError(53, "File not found"); }),
      RuntimeError);
  fake.files.files[record].resize(fake.files.files[record].size() - 1);
  EXPECT_EQ(open(knock), 5);
  EXPECT_EQ(open(new_lines), 6);
  // Without the record every run opens.
  fake.locks.Fail(record);
  EXPECT_EQ(open(knock), 7);
}

}  // namespace
}  // namespace quennet
