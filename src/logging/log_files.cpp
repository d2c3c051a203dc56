#include "logging/log_files.h"

#include "errors/error.h"

namespace quennet {
namespace {

// A line that cannot be written is lost: a log must never stop the run.
void Append(Host& host, const std::string& path, const std::string& line) {
  try {
    host.files.AppendLine(path, line);
  } catch (const RuntimeError&) {
  }
}

}  // namespace

std::string NowText(Clock& clock) { return GeneralDateText(clock.Now()); }

void DebugLog(Host& host, std::int16_t Enabled, const std::string& LineData) {
  if (Enabled != kTrue) return;
  Append(host, host.program_folder + "\\Debug.log", LineData);
}

void LogData(Host& host, const std::string& strLogName, const std::string& LineData) {
  const std::string path = strLogName.find('\\') != std::string::npos
                               ? strLogName
                               : host.program_folder + "\\" + strLogName;
  Append(host, path, LineData);
}

}  // namespace quennet
