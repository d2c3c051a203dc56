#include "platform/win32/win32_entry.h"

#include <algorithm>

#include "platform/win32/win32_error.h"

namespace quennet {

FileHandle::FileHandle(HANDLE handle, std::string_view path) : handle_(handle) {
  if (handle_ == INVALID_HANDLE_VALUE) throw LastWin32Error("open", path);
}

FileHandle OpenEntryItself(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                           DWORD flags) {
  return FileHandle(CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr),
                    path);
}

DWORD EntryAttributes(const FileHandle& entry) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(entry.get(), &info)) throw LastWin32Error("inspect");
  return info.dwFileAttributes;
}

FileHandle OpenEntry(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                     DWORD flags) {
  FileHandle entry = OpenEntryItself(path, access, share, disposition, flags);
  if ((EntryAttributes(entry) & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    throw RuntimeError(kErrPathFileAccess, "Path/File access error");
  }
  return entry;
}

std::size_t ReadSome(HANDLE file, char* buffer, std::size_t size, const std::uint64_t* offset) {
  OVERLAPPED at{};
  if (offset != nullptr) {
    at.Offset = static_cast<DWORD>(*offset);
    at.OffsetHigh = static_cast<DWORD>(*offset >> 32);
  }
  DWORD got = 0;
  const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
  if (!ReadFile(file, buffer, wanted, &got, offset != nullptr ? &at : nullptr)) {
    if (GetLastError() == ERROR_HANDLE_EOF) return 0;
    throw LastWin32Error("read");
  }
  return got;
}

void WriteAll(HANDLE file, const char* data, std::size_t size) {
  while (size > 0) {
    DWORD written = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    if (!WriteFile(file, data, wanted, &written, nullptr)) throw LastWin32Error("write");
    data += written;
    size -= written;
  }
}

FileStamp StampOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandle(file, &info) ||
      !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) {
    throw LastWin32Error("inspect");
  }
  const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
  return {info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
          join(info.nFileSizeHigh, info.nFileSizeLow), basic.LastWriteTime.QuadPart,
          basic.ChangeTime.QuadPart};
}

}  // namespace quennet
