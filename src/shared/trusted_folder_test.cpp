#include "shared/trusted_folder.h"

#include <gtest/gtest.h>

#include "errors/error.h"
#include "platform/fake/fake_folder_security.h"

namespace quennet {
namespace {

constexpr char kFolder[] = "C:\\ProgramData\\Tolvaren";

// FolderFacts: exists, is_link, is_folder, owner_trusted, others_may_write.
TEST(MakeTrustedFolder, CreatesResetsOrRefusesByWhatTheFolderIs) {
  struct Case {
    const char* what;
    bool present;
    FolderFacts facts;
    std::vector<std::string> changes;
    std::string refusal;  // empty: the folder is used
  };
  const std::string reset = std::string("MakePrivate ") + kFolder;
  const std::string owned = "it is owned by another account";
  const std::string link = "it is a symbolic link, junction or other reparse point";
  const Case cases[] = {
      {"missing", false, {}, {std::string("CreatePrivateFolder ") + kFolder}, ""},
      {"private", true, {true, false, true, true, false}, {}, ""},
      {"writable by others", true, {true, false, true, true, true}, {reset}, ""},
      {"another owner, writable", true, {true, false, true, false, true}, {}, owned},
      {"a link", true, {true, true, true, true, false}, {}, link},
      {"a file", true, {true, false, false, true, false}, {}, "it is not a folder"},
  };
  for (const Case& c : cases) {
    FakeFolderSecurity folders;
    if (c.present) folders.folders[kFolder] = c.facts;
    std::string refusal;
    try {
      MakeTrustedFolder(folders, kFolder);
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), kErrPermissionDenied) << c.what;
      refusal = error.description();
    }
    EXPECT_EQ(refusal, c.refusal.empty()
                           ? ""
                           : std::string("The folder ") + kFolder + " is not trusted: " + c.refusal)
        << c.what;
    EXPECT_EQ(folders.changes, c.changes) << c.what;
  }
}

TEST(MakeTrustedFolder, AFolderThatStaysOpenOrCannotBeMadeEndsTheRun) {
  FakeFolderSecurity folders;
  folders.failing.insert(kFolder);
  EXPECT_THROW(MakeTrustedFolder(folders, kFolder), RuntimeError) << "cannot be created";
  folders.folders[kFolder] = {true, false, true, true, true};
  EXPECT_THROW(MakeTrustedFolder(folders, kFolder), RuntimeError) << "cannot be reset";
}

}  // namespace
}  // namespace quennet
