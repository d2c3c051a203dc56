#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "reading/line_reader.h"

namespace quennet {

// Judges one line; false ends the scan.
using LineJudge = std::function<bool(std::string_view line)>;
// The texts of which a line must hold one for the judge to act on it; the views
// must last the whole scan.
using Needles = std::function<std::vector<std::string_view>()>;

// Reads the snapshot open as `snapshot`, from where its reading stands, handing lines
// to on_line until it returns false or the file ends. A failed read goes to
// `reporter` and ends the scan.
// A line that holds NUL bytes reaches the judge as what follows the last of them, its
// record. The judge must pass over, without any effect, every line that holds none of
// the texts needles() gives (asked again after each line it judges): only the lines
// that hold one reach it, found in large blocks of the snapshot without a copy per
// line. An empty text stands in every line. With `every_line` (while tracing, whose
// lines tell of each line in turn) every line reaches it, read one at a time, and
// Debug.log tells of each line whose NUL bytes were passed over.
void ScanSnapshotFor(Host& host, FileInOrder& snapshot, bool every_line, const Needles& needles,
                     const LineJudge& on_line, ReadReporter& reporter);

}  // namespace quennet
