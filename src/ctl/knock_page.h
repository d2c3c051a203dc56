#pragma once

#include <string>

#include "plan/knock_plan.h"

namespace quennet {

// What the knock page knocks with: the plan (TCP knocks only), the host as shown
// and as its URLs hold it (see BrowserUrlHost), and the knock's time window.
struct KnockPage {
  KnockPlan plan;
  std::string url_host;
  int window_seconds;
};

// One self-contained HTML file that loads nothing: pressing its button makes one
// abandoned connection attempt per knock port, in order, then the nudge, and says
// when the knock went out and until when its window lasts. Nothing is sent on load.
std::string KnockPageHtml(const KnockPage& page);

}  // namespace quennet
