#include "knock/correlation.h"

#include <string_view>
#include <vector>

#include "fwlog/line_fields.h"
#include "knock/knock_port.h"
#include "knock/knock_time.h"
#include "knock/snapshot_scan.h"
#include "knock/wait_for_log.h"
#include "logging/log_files.h"

namespace quennet {

std::string Check_Firewall_Log(Host& host, const FormState& form, const std::string& strDateTime,
                               const std::string& intTimePeriod, const std::string& strPortNumber) {
  const SnapshotInUse snapshot = WaitForLog(host, form, strDateTime, false);
  if (!snapshot.exists) return "";
  // Trace lines are built only while the switch is on: there may be one per record.
  const auto trace = [&](const auto& make_line) { DebugLog(host, form.DebugEnabled, make_line); };
  const auto now = [&] { return NowText(host.clock); };
  const std::string& action = form.FirewallActionText;

  trace([&] {
    return now() + "  Checking for match to port number " + strPortNumber + " within " +
           intTimePeriod + " seconds of " + strDateTime;
  });
  std::string result;
  FieldLayout layout;
  const std::string port_needle = KnockPortNeedle(form, strPortNumber);
  std::vector<std::string_view> needles{port_needle};
  if (form.StrictKnock) needles.push_back(kFieldsHeader);
  if (!snapshot.stream) return result;
  IgnoredReadFailures ignored;
  ScanSnapshotFor(
      host, *snapshot.stream, form.DebugEnabled == kTrue, [&] { return needles; },
      [&](std::string_view line) {
        if (form.StrictKnock && layout.Read(line)) return true;
        if (!HasActionText(line, action)) return true;
        trace([&] { return "possible match:" + std::string(line); });
        if (!HoldsKnockPort(host, form, layout, line, strPortNumber)) return true;
        const auto d = TracedEntryAge(host, form.DebugEnabled, line, action, strDateTime);
        if (!d) return true;
        if (!InWindow(*d, intTimePeriod, -1)) {
          trace([&] {
            return now() + "  -  Date difference not within threshold: " + std::to_string(*d);
          });
          return true;
        }
        result = SourceAddress(line, action);
        trace([&] { return "Match time.  IP address = " + result; });
        return true;
      },
      ignored);
  return result;
}

}  // namespace quennet
