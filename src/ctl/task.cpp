#include "ctl/knock_check.h"
#include "ctl/knock_setup.h"
#include "ctl/subcommands.h"
#include "ctl/task_xml.h"
#include "platform/platform.h"

namespace quennet {

int Task(Ctl& ctl, const std::vector<std::string>& arguments) {
  const KnockSetup setup = ParseKnockSetup(arguments, {});
  // Standard output carries the XML.
  if (!setup.strict) ctl.err << "warning: " << kLenientWarning << '\n';
  std::string documents = XmlDocument(KnockTaskXml(setup, ctl.host.program_folder));
  if (!setup.close_after.empty())
    documents += XmlDocument(CloseTaskXml(setup, ctl.host.program_folder));
  UseBinaryStandardOutput();
  ctl.out << documents << std::flush;
  return 0;
}

}  // namespace quennet
