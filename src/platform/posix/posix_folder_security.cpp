#include "platform/posix/posix_folder_security.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/posix/errno_error.h"
#include "platform/posix/file_descriptor.h"
#include "platform/posix/native_path.h"

namespace quennet {
namespace {

constexpr mode_t kPrivateFolderMode = 0755;

}  // namespace

FolderFacts PosixFolderSecurity::Inspect(const std::string& path) {
  struct stat info {};
  if (::lstat(NativePath(path).c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    throw ErrnoError(errno, "inspect", path);
  }
  FolderFacts facts;
  facts.exists = true;
  facts.is_link = S_ISLNK(info.st_mode);
  facts.is_folder = S_ISDIR(info.st_mode);
  facts.owner_trusted = info.st_uid == ::geteuid() || info.st_uid == 0;
  facts.others_may_write = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  facts.others_may_read = (info.st_mode & (S_IRGRP | S_IROTH)) != 0;
  return facts;
}

void PosixFolderSecurity::CreatePrivateFolder(const std::string& path) {
  if (::mkdir(NativePath(path).c_str(), kPrivateFolderMode) != 0) {
    if (errno == EEXIST) return;
    throw ErrnoError(errno, "create the folder", path);
  }
  MakePrivate(path);  // the umask may have taken bits away
}

void PosixFolderSecurity::MakePrivate(const std::string& path) {
  // Through a descriptor of the folder itself: a link put in its place meanwhile is
  // refused, not followed.
  const UniqueFd folder = OpenFile(NativePath(path), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  if (::fchmod(folder.get(), kPrivateFolderMode) != 0)
    throw ErrnoError(errno, "make private", path);
}

void PosixFolderSecurity::RemoveTree(const std::string& path) {
  std::error_code error;
  std::filesystem::remove_all(NativePath(path), error);  // a symbolic link goes itself
  if (error) throw ErrnoError(error.value(), "remove", path);
}

}  // namespace quennet
