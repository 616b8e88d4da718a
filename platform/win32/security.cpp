#include "platform/security.h"

#include <windows.h>

#include <cstddef>

namespace platform {

static_assert(sizeof(SECURITY_DESCRIPTOR) == sizeof(SecurityDescriptor));
static_assert(offsetof(SECURITY_DESCRIPTOR, Dacl) == offsetof(SecurityDescriptor, Dacl));
static_assert(sizeof(ACL) == sizeof(Acl));
static_assert(sizeof(ACE_HEADER) == sizeof(AceHeader));
static_assert(sizeof(ACL_SIZE_INFORMATION) == sizeof(AclSizeInformation));

bool GetFileSecurityA(const char* path, uint32_t information, void* descriptor, uint32_t size,
                      uint32_t* needed) {
    DWORD length = 0;
    BOOL ok = ::GetFileSecurityA(path, information, descriptor, size, &length);
    *needed = length;
    return ok != FALSE;
}

bool SetFileSecurityA(const char* path, uint32_t information, SecurityDescriptor* descriptor) {
    return ::SetFileSecurityA(path, information, descriptor) != FALSE;
}

bool AllocateAndInitializeSid(const uint8_t (&authority)[6], uint32_t subAuthority, Sid* sid) {
    SID_IDENTIFIER_AUTHORITY identifier;
    for (int i = 0; i < 6; ++i) {
        identifier.Value[i] = authority[i];
    }
    PSID allocated = nullptr;
    BOOL ok =
        ::AllocateAndInitializeSid(&identifier, 1, subAuthority, 0, 0, 0, 0, 0, 0, 0, &allocated);
    *sid = allocated;
    return ok != FALSE;
}

void FreeSid(Sid sid) {
    ::FreeSid(sid);
}

uint32_t GetLengthSid(const void* sid) {
    return ::GetLengthSid(const_cast<void*>(sid));
}

bool EqualSid(const void* a, const void* b) {
    return ::EqualSid(const_cast<void*>(a), const_cast<void*>(b)) != FALSE;
}

bool InitializeSecurityDescriptor(SecurityDescriptor* descriptor) {
    return ::InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) != FALSE;
}

bool GetSecurityDescriptorDacl(const void* descriptor, bool* present, Acl** acl, bool* defaulted) {
    BOOL isPresent = FALSE;
    BOOL isDefaulted = FALSE;
    PACL dacl = nullptr;
    BOOL ok =
        ::GetSecurityDescriptorDacl(const_cast<void*>(descriptor), &isPresent, &dacl, &isDefaulted);
    *present = isPresent != FALSE;
    *defaulted = isDefaulted != FALSE;
    *acl = reinterpret_cast<Acl*>(dacl);
    return ok != FALSE;
}

bool SetSecurityDescriptorDacl(SecurityDescriptor* descriptor, bool present, Acl* acl,
                               bool defaulted) {
    return ::SetSecurityDescriptorDacl(descriptor, present, reinterpret_cast<PACL>(acl),
                                       defaulted) != FALSE;
}

bool GetSecurityDescriptorControl(const void* descriptor, uint16_t* control, uint32_t* revision) {
    SECURITY_DESCRIPTOR_CONTROL bits = 0;
    DWORD level = 0;
    BOOL ok = ::GetSecurityDescriptorControl(const_cast<void*>(descriptor), &bits, &level);
    *control = bits;
    *revision = level;
    return ok != FALSE;
}

bool InitializeAcl(Acl* acl, uint32_t size) {
    return ::InitializeAcl(reinterpret_cast<PACL>(acl), size, ACL_REVISION) != FALSE;
}

bool GetAclInformation(const Acl* acl, AclSizeInformation* information) {
    return ::GetAclInformation(reinterpret_cast<PACL>(const_cast<Acl*>(acl)), information,
                               sizeof *information, ::AclSizeInformation) != FALSE;
}

bool GetAce(const Acl* acl, uint32_t index, AceHeader** ace) {
    void* found = nullptr;
    BOOL ok = ::GetAce(reinterpret_cast<PACL>(const_cast<Acl*>(acl)), index, &found);
    *ace = static_cast<AceHeader*>(found);
    return ok != FALSE;
}

bool AddAce(Acl* acl, const void* aces, uint32_t size) {
    return ::AddAce(reinterpret_cast<PACL>(acl), ACL_REVISION, MAXDWORD, const_cast<void*>(aces),
                    size) != FALSE;
}

}  // namespace platform
