#include "knock/verification.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "fwlog/line_fields.h"
#include "knock/knock_port.h"
#include "knock/knock_time.h"
#include "knock/snapshot_scan.h"
#include "knock/wait_for_log.h"
#include "logging/log_files.h"
#include "shared/action_codes.h"
#include "text/text_split.h"

namespace quennet {
namespace {

// Entries count up to nine seconds after the reference time.
constexpr std::int64_t kLatestEntry = -10;

// The search through the knock list: which port is sought, with which action text.
class KnockSearch : public ReadReporter {
 public:
  KnockSearch(Host& host, FormState& form, const std::string& strDateTime,
              const std::string& intTimePeriod, const std::string& strPortNumber,
              const std::string& strCorrelation_FWAction, const std::string& strSourceIPaddress)
      : host_(host),
        form_(form),
        date_time_(strDateTime),
        period_(intTimePeriod),
        source_(strSourceIPaddress),
        is_list_(strPortNumber.find(',') != std::string::npos),
        ports_(is_list_ ? SplitAll(strPortNumber, ',') : std::vector<std::string>{strPortNumber}),
        actions_(SplitAll(strCorrelation_FWAction, ',')) {
    for (const std::string& port : ports_) port_needles_.push_back(KnockPortNeedle(form, port));
    StartOver();
  }

  // Judges one line. Once the knock is found, the search goes on unseen for a later
  // knock of the address, so that the knock a run takes for its opening is the newest.
  bool Judge(std::string_view line);
  bool Detected() const { return detected_; }
  // A read that fails is logged unless it comes while the search goes on unseen.
  void ReadFailed(const RuntimeError& error) override {
    if (!unseen_) LogData(host_, "error.log", "error reading log file " + error.description());
  }
  // Texts of which a line must hold one for Judge to act on it.
  std::vector<std::string_view> Needles() const;
  // After the scan: the lines of the newest knock found, one after another, and
  // FirewallActionText and DebugEnabled back to what they were when the knock was found.
  std::string Finish();

 private:
  bool Matches(std::string_view line);
  bool Found(std::string_view line);
  void KeepAttempt();
  bool Spoils(std::string_view line);
  void StartOver();
  void Advance();
  // Builds the line only while the trace switch is on: there may be one per record.
  template <typename MakeLine>
  void Trace(const MakeLine& make_line) {
    DebugLog(host_, form_.DebugEnabled, make_line);
  }
  std::string Now() { return NowText(host_.clock); }
  void TraceSearch() {
    Trace([&] {
      return Now() + "  Checking for match to port number " + ports_[position_] + " within " +
             period_ + " seconds of " + date_time_ + " using " + form_.FirewallActionText;
    });
  }
  void LogMatch(const std::string& text) {
    if (!unseen_) LogData(host_, "velt.log", Now() + text);
  }
  void LogPortMatch(const std::string& port) {
    LogMatch(" Port " + port + " has a match in the firewall log");
  }

  Host& host_;
  FormState& form_;
  const std::string& date_time_;
  const std::string& period_;
  const std::string& source_;
  const bool is_list_;
  const std::vector<std::string> ports_;
  const std::vector<std::string> actions_;
  std::vector<std::string> port_needles_;
  std::size_t position_ = 0;
  std::string previous_action_;  // the action text of the knock before the one sought
  FieldLayout layout_;
  bool detected_ = false;
  std::vector<std::string> attempt_;  // the lines of the attempt under way
  std::string newest_knock_;
  bool unseen_ = false;
  // FirewallActionText and DebugEnabled when the knock was found.
  std::string found_action_;
  std::int16_t traced_ = kFalse;
};

bool KnockSearch::Matches(std::string_view line) {
  const std::string& action = form_.FirewallActionText;
  if (!HasActionText(line, action)) return false;
  Trace([&] { return Now() + "  -  possible match:" + std::string(line); });
  if (!HoldsKnockPort(host_, form_, layout_, line, ports_[position_])) return false;
  const auto d = TracedEntryAge(host_, form_.DebugEnabled, line, action, date_time_);
  if (!d) return false;
  if (!InWindow(*d, period_, kLatestEntry)) {
    Trace([&] { return Now() + "  -  Time Difference = " + std::to_string(*d); });
    return false;
  }
  Trace([&] { return Now() + "  -  Match time"; });
  return SourceAddress(line, action) == source_;
}

bool KnockSearch::Judge(std::string_view line) {
  if (form_.StrictKnock && layout_.Read(line)) return true;
  if (Matches(line)) return Found(line);
  if (form_.StrictKnock && position_ > 0 && Spoils(line)) {
    StartOver();
    // The line that spoiled one attempt may begin the next.
    if (Matches(line)) return Found(line);
  }
  return true;
}

bool KnockSearch::Found(std::string_view line) {
  attempt_.emplace_back(line);
  if (!is_list_) {
    detected_ = true;  // a single port: the scan goes on to the end all the same
    KeepAttempt();
    return true;
  }
  // A strict attempt may yet be spoiled: its lines wait until the whole knock is found.
  if (!form_.StrictKnock) LogPortMatch(ports_[position_]);
  if (position_ + 1 < ports_.size()) {
    Advance();
    return true;
  }
  if (form_.StrictKnock) {
    for (const std::string& port : ports_) LogPortMatch(port);
  }
  LogMatch(" All ports have been successfully matched to IP address " + source_);
  detected_ = true;
  KeepAttempt();
  if (!unseen_) {
    // From here on nothing is written: the trace is off until Finish.
    unseen_ = true;
    found_action_ = form_.FirewallActionText;
    traced_ = form_.DebugEnabled;
    form_.DebugEnabled = kFalse;
  }
  StartOver();
  return true;
}

void KnockSearch::KeepAttempt() {
  newest_knock_.clear();
  for (const std::string& matched : attempt_) newest_knock_ += matched + "\n";
  attempt_.clear();
}

std::string KnockSearch::Finish() {
  if (unseen_) {
    form_.FirewallActionText = found_action_;
    form_.DebugEnabled = traced_;
  }
  return newest_knock_;
}

// Whether the line is one of the knocking address, inside the window, that is neither
// the knock sought nor a repeat of the knock before it (a retransmitted packet).
bool KnockSearch::Spoils(std::string_view line) {
  if (FieldAt(line, layout_.src_ip) != source_) return false;
  const std::optional<std::string_view> date = FieldAt(line, layout_.date);
  const std::optional<std::string_view> time = FieldAt(line, layout_.time);
  if (!date || !time) return false;
  const auto d = SecondsFromTo(std::string(*date) + " " + std::string(*time), date_time_);
  if (!d || !InWindow(*d, period_, kLatestEntry)) return false;
  const std::optional<std::string_view> port = FieldAt(line, layout_.dst_port);
  if (port == ports_[position_ - 1] && HasActionText(line, previous_action_)) return false;
  Trace([&] {
    return Now() + "  -  Strict knock spoiled by port " + std::string(port.value_or("(none)")) +
           " between ports " + ports_[position_ - 1] + " and " + ports_[position_] + ":" +
           std::string(line);
  });
  return true;
}

std::vector<std::string_view> KnockSearch::Needles() const {
  std::vector<std::string_view> needles{port_needles_[position_]};
  if (form_.StrictKnock) {
    needles.push_back(kFieldsHeader);
    // A line that spoils the attempt holds the address as its source field.
    if (position_ > 0) needles.push_back(source_);
  }
  return needles;
}

void KnockSearch::StartOver() {
  position_ = 0;
  attempt_.clear();
  form_.FirewallActionText = ReturnFirewallAction(host_.version, actions_[0]);
  TraceSearch();
}

void KnockSearch::Advance() {
  ++position_;
  previous_action_ = form_.FirewallActionText;
  // A shorter action list leaves its last action for the remaining ports.
  if (actions_.size() > 1 && position_ < actions_.size()) {
    form_.FirewallActionText = ReturnFirewallAction(host_.version, actions_[position_]);
  }
  TraceSearch();
}

}  // namespace

bool Check_Port_Knock(Host& host, FormState& form, const std::string& strDateTime,
                      const std::string& intTimePeriod, const std::string& strPortNumber,
                      const std::string& strCorrelation_FWAction,
                      const std::string& strSourceIPaddress, std::string* knock_lines) {
  bool detected = false;
  const SnapshotInUse snapshot = WaitForLog(host, form, strDateTime, true);
  if (snapshot.exists) {
    KnockSearch search(host, form, strDateTime, intTimePeriod, strPortNumber,
                       strCorrelation_FWAction, strSourceIPaddress);
    if (snapshot.stream) {
      ScanSnapshotFor(
          host, *snapshot.stream, form.DebugEnabled == kTrue, [&] { return search.Needles(); },
          [&](std::string_view line) { return search.Judge(line); }, search);
    }
    detected = search.Detected();
    const std::string newest = search.Finish();
    if (knock_lines != nullptr) *knock_lines = newest;
  }
  DebugLog(host, form.DebugEnabled,
           NowText(host.clock) + "  -  " +
               (detected ? " port knock successfully detected" : " failed to identify port knock"));
  return detected;
}

}  // namespace quennet
