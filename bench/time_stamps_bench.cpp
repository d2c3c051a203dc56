#include <benchmark/benchmark.h>

#include "firewall_records.h"
#include "fwlog/time_stamps.h"
#include "platform/fake/fake_clock.h"

namespace quennet::bench {
namespace {

// The slowest search there is: 32 MiB of records without any stamp, every window
// examined from the end back to the start.
void ReturnLastDateStampWithoutStamps(benchmark::State& state) {
  const std::string text = FirewallRecords(32 << 20, "");
  FakeClock clock;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReturnLastDateStamp(clock, text, 19, "2012-07-17 10:17:07"));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ReturnLastDateStampWithoutStamps)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quennet::bench
