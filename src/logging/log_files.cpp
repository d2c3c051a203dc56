#include "logging/log_files.h"

#include "errors/error.h"

namespace quennet {
namespace {

std::int32_t Append(Host& host, const std::string& path, const std::string& line) {
  try {
    host.files.AppendLine(path, line);
    return 0;
  } catch (const RuntimeError& error) {
    return static_cast<std::int32_t>(error.number());
  }
}

}  // namespace

std::string NowText(Clock& clock) { return GeneralDateText(clock.Now()); }

void DebugLog(Host& host, std::int16_t Enabled, const std::string& LineData) {
  if (Enabled != kTrue) return;
  Append(host, host.program_folder + "\\Debug.log", LineData);
}

std::int32_t LogData(Host& host, const std::string& strLogName, const std::string& LineData) {
  const std::string path =
      strLogName.find('\\') != std::string::npos ? strLogName : host.program_folder + "\\" + strLogName;
  return Append(host, path, LineData);
}

}  // namespace quennet
