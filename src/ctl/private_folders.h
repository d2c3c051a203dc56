#pragma once

#include <string>
#include <vector>

#include "ctl/subcommands.h"

namespace quennet {

// A folder that exists but is no real folder of a trusted owner that only the trusted
// may change, and why ("it is owned by another account", ...).
bool Untrusted(const FolderFacts& facts);
std::string Why(const FolderFacts& facts);

// The icacls commands of MakeProgramFolderPrivate.
std::vector<std::string> PrivateFolderCommands(const std::string& folder);

// Gives the program folder and everything in it (the task XML and Quennet's log files
// among them) an access list of SYSTEM and Administrators only, protected from
// inheritance, with icacls.
void MakeProgramFolderPrivate(Ctl& ctl, CommandRunner& runner);

// Makes "Tolvaren\Quennet" in the shared application-data folder `data` with that
// access list. A Tolvaren that others own or may change is taken over (other products'
// folders in it stay) and its Quennet removed and made afresh; a link in the place of
// either goes itself, never what it points to. Says what it changes; printing only,
// it changes nothing but still says so.
void MakeDataFolders(Ctl& ctl, CommandRunner& runner, const std::string& data, bool print_only);

}  // namespace quennet
