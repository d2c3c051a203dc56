#include "ctl/private_folders.h"

#include "errors/error.h"

namespace quennet {
namespace {

// Full control for SYSTEM and Administrators, by SID (names are translated),
// passed on to everything inside, and nothing inherited from above.
const std::string kPrivateAccess =
    " /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F";

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The folder itself, not what lies in it: a folder of another account may hold
// links anywhere, and neither command goes through it.
void TakeOver(CommandRunner& runner, const std::string& folder) {
  runner.Run("takeown /f " + Quoted(folder) + " /a");
  runner.Run("icacls " + Quoted(folder) + kPrivateAccess);
}

class DataFolders {
 public:
  DataFolders(Ctl& ctl, CommandRunner& runner, bool print_only)
      : ctl_(ctl), host_(ctl.host), runner_(runner), print_only_(print_only) {}

  // Tolvaren: true when it was taken over or made, so that what lies in it is not
  // to be trusted.
  bool Tolvaren(const std::string& folder) {
    const FolderFacts facts = host_.folders.Inspect(folder);
    if (facts.is_link || (facts.exists && !facts.is_folder)) {
      Say("removing " + folder + ", since " + Why(facts) +
          " (the link itself, never what it points to)");
      if (!print_only_) host_.files.RemoveFile(folder);
    } else if (Untrusted(facts)) {
      Say("taking over " + folder + ", since " + Why(facts) +
          "; the folders of other products in it stay");
      TakeOver(runner_, folder);
      return true;
    } else if (facts.exists) {
      return false;
    }
    Make(folder);
    return true;
  }

  void Quennet(const std::string& folder, bool parent_replaced) {
    const FolderFacts facts = host_.folders.Inspect(folder);
    if (facts.exists && (parent_replaced || Untrusted(facts))) {
      Say("removing " + folder + " and making it afresh, since " +
          (Untrusted(facts) ? Why(facts) : "its parent was not to be trusted"));
      if (facts.is_folder && !facts.is_link)
        TakeOver(runner_, folder);  // so that its entries can be removed
      if (!print_only_) host_.folders.RemoveTree(folder);
    } else if (facts.exists) {
      return;
    }
    Make(folder);
  }

 private:
  void Say(const std::string& text) { ctl_.out << text << '\n'; }

  void Make(const std::string& folder) {
    Say("making " + folder + " (SYSTEM and Administrators only)");
    if (!print_only_) host_.folders.CreatePrivateFolder(folder);
  }

  Ctl& ctl_;
  Host& host_;
  CommandRunner& runner_;
  bool print_only_;
};

}  // namespace

bool Untrusted(const FolderFacts& facts) {
  return facts.exists &&
         (facts.is_link || !facts.is_folder || !facts.owner_trusted || facts.others_may_write);
}

std::string Why(const FolderFacts& facts) {
  if (!facts.exists) return "it does not exist";
  if (facts.is_link) return "it is a symbolic link, junction or other reparse point";
  if (!facts.is_folder) return "it is not a folder";
  if (!facts.owner_trusted) return "it is owned by another account";
  return "others may change it";
}

std::vector<std::string> PrivateFolderCommands(const std::string& folder) {
  // What lies in it takes the folder's access list, whatever it had of its own.
  return {"icacls " + Quoted(folder) + kPrivateAccess,
          "icacls " + Quoted(folder + "\\*") + " /reset /t /c /q"};
}

void MakeProgramFolderPrivate(Ctl& ctl, CommandRunner& runner) {
  for (const std::string& command : PrivateFolderCommands(ctl.host.program_folder))
    runner.Run(command);
}

void MakeDataFolders(Ctl& ctl, CommandRunner& runner, const std::string& data, bool print_only) {
  DataFolders folders(ctl, runner, print_only);
  try {
    const bool replaced = folders.Tolvaren(data + "\\Tolvaren");
    folders.Quennet(data + "\\Tolvaren\\Quennet", replaced);
  } catch (const RuntimeError& error) {
    throw CommandFailed("cannot make Quennet's folder under " + data + " (" + error.Detail() + ")");
  }
}

}  // namespace quennet
