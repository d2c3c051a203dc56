#include "platform/win32/win32_api.h"

#include <vector>

#include "platform/win32/win32_entry.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_link_target.h"
#include "text/copy_names.h"

namespace quennet {
namespace {

constexpr std::size_t kCopyChunk = std::size_t{1} << 20;

class Win32TextStream : public TextStream {
 public:
  // Others may go on writing, replacing or deleting the file while it is read: the
  // firewall keeps its log open, and a snapshot may be copied over meanwhile. Every
  // read names its offset: a read at an offset moves the file pointer of a handle
  // like this one, so reading in order from the file pointer would go on after it.
  explicit Win32TextStream(const std::string& path)
      : file_(OpenEntry(path, GENERIC_READ, kShareAll, OPEN_EXISTING)) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t got = ReadSome(file_.get(), buffer, size, &next_);
    next_ += got;
    return got;
  }
  std::uint64_t Size() override {
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file_.get(), &length)) throw LastWin32Error("inspect");
    return static_cast<std::uint64_t>(length.QuadPart);
  }
  FileStamp Stamp() override { return StampOf(file_.get()); }
  std::string ReadAt(std::uint64_t offset, std::size_t size) override {
    std::string piece(size, '\0');
    std::size_t got = 0;
    while (got < size) {
      const std::uint64_t at = offset + got;
      const std::size_t n = ReadSome(file_.get(), piece.data() + got, size - got, &at);
      if (n == 0) break;
      got += n;
    }
    piece.resize(got);
    return piece;
  }

 private:
  FileHandle file_;
  std::uint64_t next_ = 0;  // where reading in order goes on
};

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

// Copies `from` into a new file `to`, which a file of that name left by an earlier
// process of the same id is replaced by.
void CopyInto(const std::string& from, const std::string& to) {
  // The live log may be a link; it lies where only administrators can write, so it
  // is followed.
  const FileHandle source(CreateFileA(from.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr),
                          from);
  FileHandle copy(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr),
                  to);
  std::vector<char> buffer(kCopyChunk);
  while (const std::size_t n = ReadSome(source.get(), buffer.data(), buffer.size()))
    WriteAll(copy.get(), buffer.data(), n);
}

bool IsReparsePoint(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// True while the process with this id runs; an id that names no process, or one
// that has ended, is not running.
bool IsRunning(unsigned long pid) {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

// Puts `temporary` in the place of `to` in one step. ReplaceFileA does so even while
// others still read the old file; a new destination is renamed into place, and so is
// the copy when ReplaceFileA removed the old file but could not rename the copy
// (ERROR_UNABLE_TO_MOVE_REPLACEMENT without a backup file: `to` is gone by then).
bool MoveIntoPlace(const std::string& temporary, const std::string& to) {
  if (ReplaceFileA(to.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                   nullptr)) {
    return true;
  }
  const DWORD error = GetLastError();
  return (error == ERROR_FILE_NOT_FOUND || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) &&
         MoveFileExA(temporary.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

bool Win32FileService::FileExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FileStamp Win32FileService::Stamp(const std::string& path) {
  // The live log may be a link: what it points to is stamped.
  const FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                        path);
  return StampOf(file.get());
}

void Win32FileService::CopyFile(const std::string& from, const std::string& to) {
  const std::string temporary = CopyName(to, GetCurrentProcessId());
  try {
    CopyInto(from, temporary);
    // A link in the place of `to` is replaced itself, never written through.
    if (IsReparsePoint(Attributes(to))) RemoveFile(to);
    if (!MoveIntoPlace(temporary, to)) throw LastWin32Error("replace", to);
  } catch (const RuntimeError&) {
    DeleteFileA(temporary.c_str());
    throw;
  }
}

void Win32FileService::RemoveFile(const std::string& path) {
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return;
    throw LastWin32Error("remove", path);
  }
  // A junction or a link to a folder goes as a folder, and only the link goes.
  const bool folder_link =
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && IsReparsePoint(attributes);
  if (!(folder_link ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str())))
    throw LastWin32Error("remove", path);
}

std::optional<std::string> Win32FileService::LinkTarget(const std::string& path) {
  return SymbolicLinkTarget(path);
}

void Win32FileService::RemoveStaleCopies(const std::string& to) {
  const std::size_t separator = to.find_last_of("\\/:");
  const std::string folder = separator == std::string::npos ? "" : to.substr(0, separator + 1);
  const std::string name = to.substr(separator == std::string::npos ? 0 : separator + 1);
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((to + ".*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const unsigned long owner = CopyOwner(found.cFileName, name);
    if (owner != 0 && !IsRunning(owner)) DeleteFileA((folder + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

std::unique_ptr<TextStream> Win32FileService::OpenTextFile(const std::string& path) {
  return std::make_unique<Win32TextStream>(path);
}

void Win32FileService::AppendLine(const std::string& path, const std::string& line) {
  // Append-only access puts each write at the end as a whole, whoever else appends.
  const FileHandle file =
      OpenEntry(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
  const std::string text = line + "\r\n";
  DWORD written = 0;
  if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    throw LastWin32Error("write", path);
  }
}

void Win32FileService::WriteWholeFile(const std::string& path, const std::string& bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr),
                  path);
  WriteAll(file.get(), bytes.data(), bytes.size());
}

}  // namespace quennet
