#pragma once

#include <string>
#include <string_view>

#include "fwlog/line_fields.h"
#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// Whether a line counts for the knock port: as a whole field anywhere, or, for a
// strict knock, only as the destination port of the layout. A strict knock's port
// that stands in another field is traced.
bool HoldsKnockPort(Host& host, const FormState& form, const FieldLayout& layout,
                    std::string_view line, const std::string& port);

// A text that every line HoldsKnockPort accepts holds: the port between blanks, or,
// for a strict knock (whose field may stand first or last), the port alone.
std::string KnockPortNeedle(const FormState& form, const std::string& port);

}  // namespace quennet
