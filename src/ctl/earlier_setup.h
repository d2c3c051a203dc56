#pragma once

#include <string>

#include "ctl/knock_setup.h"
#include "ctl/subcommands.h"

namespace quennet {

// What earlier set-ups of a rule may have left, removed; printing only, each removal
// is shown and nothing changes.

// The task XML files of the rule beside the program, which hold the knock.
void RemoveTaskFiles(Ctl& ctl, const std::string& rule, bool print_only);
// The link at %windir%\pfirewall.log that earlier installs made (see EarlierLogLink).
void RemoveLogLink(Ctl& ctl, bool print_only);

// What an install of `setup` would not make but an earlier install of the same rule
// may have: the closing task when none is asked for, the rules opened to another port
// than the one now protected, and the files above. Other rules' set-ups stay.
void RemoveEarlierSetUp(Ctl& ctl, CommandRunner& runner, const KnockSetup& setup, bool print_only);

}  // namespace quennet
