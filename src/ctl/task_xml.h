#pragma once

#include <string>

#include "ctl/knock_setup.h"

namespace quennet {

// The Task Scheduler definition of the task that starts quennet.exe, from
// `program_folder`, as SYSTEM on every inbound dropped packet to the last knock port
// that the Security log records (event 5152), with the sender's address as token 5.
// Text with LF line ends; XmlDocument gives the bytes schtasks takes.
std::string KnockTaskXml(const KnockSetup& setup, const std::string& program_folder);

// The task that runs "quennetctl expire RULE PORT MINUTES" every minute and at
// start-up, as SYSTEM, one run at a time.
std::string CloseTaskXml(const KnockSetup& setup, const std::string& program_folder);

// Text of one byte per character as UTF-16LE with a byte-order mark and CR LF line
// ends: what schtasks /xml reads. Throws UsageError for text that is not ASCII.
std::string XmlDocument(const std::string& text);

}  // namespace quennet
