#include "platform/win32/win32_privileges.h"

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_error.h"

namespace quennet {

bool Win32Privileges::Elevated() {
  SID_IDENTIFIER_AUTHORITY nt_authority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&nt_authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                0, 0, &administrators)) {
    throw LastWin32Error();
  }
  BOOL member = FALSE;
  const BOOL checked = CheckTokenMembership(nullptr, administrators, &member);
  FreeSid(administrators);
  if (!checked) throw LastWin32Error();
  return member != FALSE;
}

}  // namespace quennet
