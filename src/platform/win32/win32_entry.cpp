#include "platform/win32/win32_entry.h"

#include "platform/win32/win32_error.h"

namespace quennet {

FileHandle::FileHandle(HANDLE handle) : handle_(handle) {
  if (handle_ == INVALID_HANDLE_VALUE) throw LastWin32Error();
}

FileHandle OpenEntryItself(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return FileHandle(
      CreateFileA(path.c_str(), access, share, nullptr, disposition, flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

DWORD EntryAttributes(const FileHandle& entry) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(entry.get(), &info)) throw LastWin32Error();
  return info.dwFileAttributes;
}

FileHandle OpenEntry(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  FileHandle entry = OpenEntryItself(path, access, share, disposition, flags);
  if ((EntryAttributes(entry) & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    throw RuntimeError(kErrPathFileAccess, "Path/File access error");
  }
  return entry;
}

}  // namespace quennet
