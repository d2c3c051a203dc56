#include "platform/win32/win32_api.h"

#include <winioctl.h>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/win32/win32_entry.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_link_target.h"

namespace quennet {
namespace {

// REPARSE_DATA_BUFFER of a symbolic link (ntifs.h): the tag, the data length and a
// reserved word, then the offsets and lengths in bytes of the substitute and the print
// name within the path buffer, the flags, and the path buffer.
constexpr std::size_t kTagAt = 0;
constexpr std::size_t kNamesAt = 8;
constexpr std::size_t kPathBufferAt = 20;
constexpr std::wstring_view kNtPrefix = L"\\??\\";

std::uint16_t Word(const std::vector<char>& data, std::size_t at) {
  std::uint16_t word = 0;
  std::memcpy(&word, data.data() + at, sizeof word);
  return word;
}

// The name at byte `offset` of the path buffer, `length` bytes long; empty when it
// does not lie within the `size` bytes read.
std::wstring NameAt(const std::vector<char>& data, std::size_t size, std::size_t offset,
                    std::size_t length) {
  if (kPathBufferAt + offset + length > size) return L"";
  std::wstring name(length / sizeof(wchar_t), L'\0');
  std::memcpy(name.data(), data.data() + kPathBufferAt + offset, name.size() * sizeof(wchar_t));
  return name;
}

std::string Ansi(const std::wstring& wide) {
  const int wide_length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, text.data(), size, nullptr, nullptr);
  return text;
}

}  // namespace

std::optional<std::string> SymbolicLinkTarget(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw Win32Error(error, "inspect", path);
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return std::nullopt;
  const FileHandle link =
      OpenEntryItself(path, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  std::vector<char> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
  DWORD size = 0;
  if (!DeviceIoControl(link.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                       static_cast<DWORD>(data.size()), &size, nullptr)) {
    throw LastWin32Error("read the link", path);
  }
  std::uint32_t tag = 0;
  std::memcpy(&tag, data.data() + kTagAt, sizeof tag);
  if (size < kPathBufferAt || tag != IO_REPARSE_TAG_SYMLINK) return std::nullopt;
  std::wstring name = NameAt(data, size, Word(data, kNamesAt + 4), Word(data, kNamesAt + 6));
  if (name.empty()) {
    // No print name: the substitute name, without the prefix of the NT namespace.
    name = NameAt(data, size, Word(data, kNamesAt), Word(data, kNamesAt + 2));
    if (name.starts_with(kNtPrefix)) name.erase(0, kNtPrefix.size());
  }
  return Ansi(name);
}

}  // namespace quennet
