#pragma once

#include <string>

#include "fwlog/snapshot.h"
#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// Refreshes the snapshot (RefreshSnapshot), then waits, in pauses of 5000 ms with a
// refresh after each, until the snapshot's newest time stamp reaches strDateTime or
// 30 seconds have passed. A snapshot text without any time stamp has not caught up
// yet, except an empty one when empty_means_caught_up. Returns the snapshot last
// checked, still open for the scan; when there was no snapshot at the first check,
// one that does not exist, without waiting.
SnapshotInUse WaitForLog(Host& host, const FormState& form, const std::string& strDateTime,
                         bool empty_means_caught_up);

}  // namespace quennet
