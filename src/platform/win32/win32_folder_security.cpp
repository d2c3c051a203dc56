#include "platform/win32/win32_api.h"

#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <vector>

#include "platform/win32/win32_entry.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_folder_security.h"

namespace quennet {
namespace {

constexpr char kTrustedInstaller[] =
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

// Rights that let their holder add, change or delete a folder's entries or its access.
constexpr ACCESS_MASK kWriteRights = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD |
                                     WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
// Rights that let their holder list a folder's entries.
constexpr ACCESS_MASK kReadRights = FILE_LIST_DIRECTORY | GENERIC_READ | GENERIC_ALL;

using Sid = std::vector<BYTE>;

Sid WellKnownSid(WELL_KNOWN_SID_TYPE type) {
  Sid sid(SECURITY_MAX_SID_SIZE);
  DWORD size = static_cast<DWORD>(sid.size());
  if (!CreateWellKnownSid(type, nullptr, sid.data(), &size))
    throw LastWin32Error("build a well-known SID");
  sid.resize(size);
  return sid;
}

Sid TrustedInstallerSid() {
  PSID converted = nullptr;
  if (!ConvertStringSidToSidA(kTrustedInstaller, &converted))
    throw LastWin32Error("build the TrustedInstaller SID");
  const auto* bytes = static_cast<const BYTE*>(converted);
  Sid sid(bytes, bytes + GetLengthSid(converted));
  LocalFree(converted);
  return sid;
}

// The account this process runs as.
Sid ProcessUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
    throw LastWin32Error("open the process token");
  std::vector<BYTE> buffer(sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE);
  DWORD size = 0;
  const BOOL read = GetTokenInformation(token, TokenUser, buffer.data(),
                                        static_cast<DWORD>(buffer.size()), &size);
  const DWORD error = read ? ERROR_SUCCESS : GetLastError();  // before CloseHandle can change it
  CloseHandle(token);
  if (!read) throw Win32Error(error, "read the process user");
  const PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  const auto* bytes = static_cast<const BYTE*>(user);
  return Sid(bytes, bytes + GetLengthSid(user));
}

// The accounts that may own and write the program's folders: SYSTEM, Administrators,
// TrustedInstaller, and the account the program runs as (an administrator, whose
// SID no one else can make the owner of a folder).
struct TrustedSids {
  Sid system = WellKnownSid(WinLocalSystemSid);
  Sid administrators = WellKnownSid(WinBuiltinAdministratorsSid);
  Sid trusted_installer = TrustedInstallerSid();
  Sid user = ProcessUserSid();
  // Stands for whoever creates an entry: in a private folder, one of the above.
  Sid creator_owner = WellKnownSid(WinCreatorOwnerSid);

  bool Owns(PSID sid) const {
    return sid != nullptr && (Is(sid, system) || Is(sid, administrators) ||
                              Is(sid, trusted_installer) || Is(sid, user));
  }
  bool MayWrite(PSID sid) const { return Owns(sid) || Is(sid, creator_owner); }

 private:
  static bool Is(PSID sid, const Sid& known) {
    return EqualSid(sid, const_cast<BYTE*>(known.data())) != FALSE;
  }
};

// True when an allowing entry of the DACL gives someone untrusted one of `rights`. No
// DACL at all lets everyone do everything.
bool OthersHave(const PACL dacl, const TrustedSids& trusted, ACCESS_MASK rights) {
  if (dacl == nullptr) return true;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* entry = nullptr;
    if (!GetAce(dacl, i, &entry)) throw LastWin32Error("read an access list");
    const auto* header = static_cast<const ACE_HEADER*>(entry);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
    if ((allowed->Mask & rights) != 0 && !trusted.MayWrite(&allowed->SidStart)) return true;
  }
  return false;
}

// Full control for SYSTEM and Administrators, passed on to everything inside.
class PrivateAcl {
 public:
  PrivateAcl() {
    const TrustedSids trusted;
    const DWORD size = sizeof(ACL) + 2 * (sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE);
    acl_.resize(size);
    if (!InitializeAcl(get(), size, ACL_REVISION))
      throw LastWin32Error("build a private access list");
    for (const Sid* sid : {&trusted.system, &trusted.administrators}) {
      if (!AddAccessAllowedAceEx(get(), ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                                 FILE_ALL_ACCESS, const_cast<BYTE*>(sid->data()))) {
        throw LastWin32Error("build a private access list");
      }
    }
    administrators_ = trusted.administrators;
  }

  PACL get() { return reinterpret_cast<PACL>(acl_.data()); }
  PSID administrators() { return administrators_.data(); }

 private:
  std::vector<BYTE> acl_;
  Sid administrators_;
};

constexpr DWORD kReparseOrFolder = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;

// Removes one link or file itself; a link to a folder goes as a folder.
void RemoveEntry(const std::string& path, DWORD attributes) {
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (!folder)
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only file goes too
  if (!(folder ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str())))
    throw LastWin32Error("remove", path);
}

void RemoveFolder(const std::string& path);

// Empties the real folder at `path` and gives the attributes it had; what else is
// found there (a link put in its place) is left for the caller to remove. The folder
// stays open, without sharing deletion, while its entries go, so that no one can put
// a link in its place meanwhile; each entry is judged again when it is opened.
DWORD EmptyFolder(const std::string& path) {
  const FileHandle folder =
      OpenEntryItself(path, FILE_LIST_DIRECTORY | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  const DWORD attributes = EntryAttributes(folder);
  if ((attributes & kReparseOrFolder) != FILE_ATTRIBUTE_DIRECTORY) return attributes;
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) throw LastWin32Error("list", path);
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string entry = path + "\\" + name;
    if ((found.dwFileAttributes & kReparseOrFolder) == FILE_ATTRIBUTE_DIRECTORY) {
      RemoveFolder(entry);
    } else {
      RemoveEntry(entry, found.dwFileAttributes);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return attributes;
}

void RemoveFolder(const std::string& path) { RemoveEntry(path, EmptyFolder(path)); }

}  // namespace

FolderFacts Win32FolderSecurity::Inspect(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
    throw Win32Error(error, "inspect", path);
  }
  FolderFacts facts;
  facts.exists = true;
  facts.is_link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  facts.is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (facts.is_link) return facts;  // what a link's target allows does not matter
  // Read through a handle of the entry itself, so that a link put there meanwhile
  // shows as one instead of lending its target's access.
  const FileHandle entry =
      OpenEntryItself(path, READ_CONTROL, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if ((EntryAttributes(entry) & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    facts.is_link = true;
    return facts;
  }
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD result = GetSecurityInfo(entry.get(), SE_FILE_OBJECT,
                                       OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                       &owner, nullptr, &dacl, nullptr, &descriptor);
  if (result != ERROR_SUCCESS) throw Win32Error(result, "read the access of", path);
  const std::unique_ptr<void, decltype(&LocalFree)> release(descriptor, &LocalFree);
  const TrustedSids trusted;
  facts.owner_trusted = trusted.Owns(owner);
  facts.others_may_write = OthersHave(dacl, trusted, kWriteRights);
  facts.others_may_read = OthersHave(dacl, trusted, kReadRights);
  return facts;
}

void Win32FolderSecurity::CreatePrivateFolder(const std::string& path) {
  PrivateAcl acl;
  SECURITY_DESCRIPTOR descriptor{};
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorOwner(&descriptor, acl.administrators(), FALSE) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, acl.get(), FALSE) ||
      !SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
    throw LastWin32Error("build a private security descriptor");
  }
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), &descriptor, FALSE};
  if (CreateDirectoryA(path.c_str(), &attributes)) return;
  if (GetLastError() != ERROR_ALREADY_EXISTS) throw LastWin32Error("create the folder", path);
}

void Win32FolderSecurity::MakePrivate(const std::string& path) {
  PrivateAcl acl;
  const FileHandle folder = OpenEntry(path, READ_CONTROL | WRITE_DAC, kShareAll, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS);
  const DWORD result = SetSecurityInfo(
      folder.get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      nullptr, nullptr, acl.get(), nullptr);
  if (result != ERROR_SUCCESS) throw Win32Error(result, "make private", path);
}

void Win32FolderSecurity::RemoveTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    throw Win32Error(error, "inspect", path);
  }
  if ((attributes & kReparseOrFolder) != FILE_ATTRIBUTE_DIRECTORY) {
    RemoveEntry(path, attributes);
  } else {
    RemoveFolder(path);
  }
}

}  // namespace quennet
