#include "knock/snapshot_scan.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "fwlog/text_search.h"
#include "logging/log_files.h"

namespace quennet {
namespace {

constexpr auto kNone = std::string_view::npos;

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Where the record of a line begins: after its last NUL byte. An unclean stop of the
// firewall leaves NUL bytes, stuck to the record written next; what stands before
// them is a torn record and never counts.
std::size_t RecordStart(std::string_view line) {
  if (line.empty() || std::memchr(line.data(), '\0', line.size()) == nullptr) return 0;
  return line.rfind('\0') + 1;
}

// Where a needle first stands in a line of the block at or after `from`.
std::size_t FirstHit(std::string_view block, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from;
  // No line holds a line end.
  if (needle.find_first_of("\r\n") != kNone) return kNone;
  return FindText(block, needle, from);
}

// The end of the line that holds `at`: its CR or LF, or the end of the block.
std::size_t LineEnd(std::string_view block, std::size_t at) {
  const std::size_t lf = block.find('\n', at);
  const std::size_t cr = block.substr(0, lf).find('\r', at);
  return cr != kNone ? cr : std::min(lf, block.size());
}

// Where the line after the one that ends at `end` begins.
std::size_t NextLine(std::string_view block, std::size_t end) {
  if (end == block.size()) return end;
  return end + (block.substr(end, 2) == "\r\n" ? 2 : 1);
}

// Hands on_line the lines of a block of whole lines that hold a needle.
class BlockScan {
 public:
  BlockScan(std::string_view block, const Needles& needles) : block_(block), needles_(needles) {}

  bool Run(const LineJudge& on_line) {
    for (std::size_t line = 0; line < block_.size();) {
      const std::size_t hit = NextHit(line);
      if (hit == kNone) return true;
      // The block is read from line starts, so the line that holds the hit begins
      // after the last line end between.
      std::size_t begin = hit;
      while (begin > line && !IsLineEnd(block_[begin - 1])) --begin;
      const std::size_t end = LineEnd(block_, hit);
      const std::string_view whole = block_.substr(begin, end - begin);
      if (!on_line(whole.substr(RecordStart(whole)))) return false;
      line = NextLine(block_, end);
    }
    return true;
  }

 private:
  struct Hit {
    std::string_view needle;
    std::size_t at;
  };

  // The first hit of any needle at or after `from`. A needle's hit is searched for
  // again only once the scan has passed it, so that several needles, one of them
  // rare, cost one pass each over the block.
  std::size_t NextHit(std::size_t from) {
    std::vector<Hit> hits;
    std::size_t first = kNone;
    for (const std::string_view needle : needles_()) {
      const auto known = std::find_if(hits_.begin(), hits_.end(),
                                      [&](const Hit& hit) { return hit.needle == needle; });
      const std::size_t at =
          known != hits_.end() && known->at >= from ? known->at : FirstHit(block_, needle, from);
      hits.push_back({needle, at});
      first = std::min(first, at);
    }
    hits_ = std::move(hits);
    return first;
  }

  std::string_view block_;
  const Needles& needles_;
  std::vector<Hit> hits_;
};

// Every line in turn, as the trace takes them, which tells of the NUL bytes passed over.
void ScanSnapshot(Host& host, LineReader& lines, const LineJudge& on_line) {
  std::string whole;
  while (lines.ReadLine(whole)) {
    const std::size_t start = RecordStart(whole);
    if (start > 0) {
      DebugLog(host, kTrue,
               NowText(host.clock) + "  -  NUL bytes passed over (the first " +
                   std::to_string(start) +
                   " bytes of the line) before the record:" + whole.substr(start));
    }
    if (!on_line(std::string_view(whole).substr(start))) return;
  }
}

}  // namespace

void ScanSnapshotFor(Host& host, FileInOrder& snapshot, bool every_line, const Needles& needles,
                     const LineJudge& on_line, ReadReporter& reporter) {
  LineReader lines(snapshot, &reporter);
  if (every_line) return ScanSnapshot(host, lines, on_line);
  std::string_view block;
  while (lines.ReadLines(block)) {
    if (!BlockScan(block, needles).Run(on_line)) return;
  }
}

}  // namespace quennet
