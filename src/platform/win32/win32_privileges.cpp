#include "platform/win32/win32_privileges.h"

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_error.h"

namespace quennet {

bool Win32Privileges::Elevated() {
  SID_IDENTIFIER_AUTHORITY nt_authority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&nt_authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
    throw LastWin32Error("build the Administrators SID");
  }
  BOOL member = FALSE;
  const BOOL checked = CheckTokenMembership(nullptr, administrators, &member);
  const DWORD error = checked ? ERROR_SUCCESS : GetLastError();  // before FreeSid can change it
  FreeSid(administrators);
  if (!checked) throw Win32Error(error, "check membership of Administrators");
  return member != FALSE;
}

}  // namespace quennet
