#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "firewall_records.h"
#include "fwlog/line_fields.h"
#include "knock/snapshot_scan.h"
#include "knock/verification.h"
#include "platform/fake/fake_host.h"
#include "platform/posix/posix_files.h"
#include "reading/line_reader.h"
#include "support/test_log.h"

namespace quennet::bench {
namespace {

constexpr std::size_t kLogBytes = 32 << 20;

// The logs of the cases: records of the usual mix (argument 0), or only dropped TCP
// packets (argument 1), where every line holds the action text.
std::string Records(const benchmark::State& state, const std::string& stamp) {
  return FirewallRecords(kLogBytes, stamp, state.range(0) == 1);
}

// The lines of 32 MiB of records, each given the tests a knock step makes of it.
void LineReaderAndFields(benchmark::State& state) {
  const std::string text = FirewallRecords(kLogBytes, "2012-07-17 10:17:07");
  std::int64_t candidates = 0;
  for (auto _ : state) {
    TextInMemory file(text);
    LineReader lines(file);
    for (std::string line; lines.ReadLine(line);) {
      candidates += HasActionText(line, "DROP TCP") && HasPort(line, "3389");
    }
  }
  benchmark::DoNotOptimize(candidates);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(LineReaderAndFields)->Unit(benchmark::kMillisecond);

// The snapshot scan of a knock step looking for port 701 (which no record holds),
// over a file in the file cache: line by line, as with the trace on, or in blocks.
void SnapshotScan(benchmark::State& state, bool every_line) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "quennet_bench_scan.log").string();
  const std::string text = Records(state, "2012-07-17 10:17:07");
  std::ofstream(path, std::ios::binary) << text;
  PosixFileService files;
  FakeHost fake;  // where a trace line would go; the scan writes none here
  const std::vector<std::string_view> needles{" 701 "};
  std::int64_t found = 0;
  IgnoredReadFailures ignored;
  for (auto _ : state) {
    ScanSnapshotFor(
        fake.host, *files.OpenTextFile(path), every_line, [&] { return needles; },
        [&](std::string_view line) {
          found += HasActionText(line, "DROP TCP") && HasPort(line, "701");
          return true;
        },
        ignored);
  }
  std::filesystem::remove(path);
  benchmark::DoNotOptimize(found);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
void SnapshotScanLineByLine(benchmark::State& state) { SnapshotScan(state, true); }
void SnapshotScanInBlocks(benchmark::State& state) { SnapshotScan(state, false); }
BENCHMARK(SnapshotScanLineByLine)->Unit(benchmark::kMillisecond)->ArgName("drops")->Arg(0)->Arg(1);
BENCHMARK(SnapshotScanInBlocks)->Unit(benchmark::kMillisecond)->ArgName("drops")->Arg(0)->Arg(1);

// The whole verification of a three-port knock at the end of a 32 MiB log, on the
// fake file service: the copy, the wait for the log and the scan.
void KnockVerification(benchmark::State& state) {
  test::KnockHost fake;
  std::string log = Records(state, "2012-07-17 10:16:40");
  for (const char* port : {"701", "702", "703"})
    log += test::Entry("10:17:0" + std::string(1, port[2]), port) + "\r\n";
  fake.files.files[test::kLive] =
      log + "2012-07-17 10:17:30 ALLOW UDP 192.0.2.20 192.0.2.53 61234 53 0 - - - - - - - SEND\r\n";
  for (auto _ : state) {
    if (!Check_Port_Knock(fake.host, fake.form, test::kReference, "30", "701,702,703", "dt",
                          test::kKnocker)) {
      state.SkipWithError("the knock was not verified");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
}
BENCHMARK(KnockVerification)->Unit(benchmark::kMillisecond)->ArgName("drops")->Arg(0)->Arg(1);

}  // namespace
}  // namespace quennet::bench
