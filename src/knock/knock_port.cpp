#include "knock/knock_port.h"

#include <optional>

#include "logging/log_files.h"

namespace quennet {

bool HoldsKnockPort(Host& host, const FormState& form, const FieldLayout& layout,
                    std::string_view line, const std::string& port) {
  if (!form.StrictKnock) return HasPort(line, port);
  const std::optional<std::string_view> destination = FieldAt(line, layout.dst_port);
  if (destination == port) return true;
  if (form.DebugEnabled == kTrue && HasPort(line, port)) {
    DebugLog(host, form.DebugEnabled,
             NowText(host.clock) + "  -  Strict knock: port " + port +
                 " is not the destination port, field " + std::to_string(layout.dst_port + 1) +
                 (destination ? " holds " + std::string(*destination) : " is missing"));
  }
  return false;
}

std::string KnockPortNeedle(const FormState& form, const std::string& port) {
  return form.StrictKnock ? port : " " + port + " ";
}

}  // namespace quennet
