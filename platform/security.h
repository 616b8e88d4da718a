#pragma once
// ADVAPI32: security descriptors, SIDs and access control lists of files, in their Windows
// layouts (the ACL, ACE and SID structures are plain memory).

#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr uint32_t kDaclSecurityInformation = 0x04;
constexpr uint32_t kSecurityDescriptorRevision = 1;
constexpr uint32_t kAclRevision = 2;
constexpr uint8_t kSecurityWorldAuthority[6] = {0, 0, 0, 0, 0, 1};
constexpr uint32_t kSecurityWorldRid = 0;

constexpr uint8_t kAccessAllowedAceType = 0;
constexpr uint8_t kObjectInheritAce = 0x01;
constexpr uint8_t kContainerInheritAce = 0x02;
constexpr uint8_t kInheritOnlyAce = 0x08;
constexpr uint8_t kInheritedAce = 0x10;

constexpr uint32_t kGenericRead = 0x80000000u;
constexpr uint32_t kGenericWrite = 0x40000000u;
constexpr uint32_t kGenericExecute = 0x20000000u;
constexpr uint32_t kGenericAll = 0x10000000u;

constexpr uint16_t kSeDaclPresent = 0x0004;
constexpr uint16_t kSeDaclAutoInheritReq = 0x0100;
constexpr uint16_t kSeDaclAutoInherited = 0x0400;
constexpr uint16_t kSeDaclProtected = 0x1000;
constexpr uint16_t kSeSelfRelative = 0x8000;

// SECURITY_DESCRIPTOR in its absolute form.
struct SecurityDescriptor {
    uint8_t Revision;
    uint8_t Sbz1;
    uint16_t Control;
    void* Owner;
    void* Group;
    void* Sacl;
    void* Dacl;
};

struct Acl {
    uint8_t AclRevision;
    uint8_t Sbz1;
    uint16_t AclSize;
    uint16_t AceCount;
    uint16_t Sbz2;
};
static_assert(sizeof(Acl) == 8);

struct AceHeader {
    uint8_t AceType;
    uint8_t AceFlags;
    uint16_t AceSize;
};

// ACL_SIZE_INFORMATION
struct AclSizeInformation {
    uint32_t AceCount;
    uint32_t AclBytesInUse;
    uint32_t AclBytesFree;
};

using Sid = void*;

// `size` bytes at `descriptor` receive a self-relative descriptor; `needed` its size. False
// with ERROR_INSUFFICIENT_BUFFER when it does not fit.
bool GetFileSecurityA(const char* path, uint32_t information, void* descriptor, uint32_t size,
                      uint32_t* needed);
bool SetFileSecurityA(const char* path, uint32_t information, SecurityDescriptor* descriptor);

// A SID of one sub-authority; FreeSid releases it.
bool AllocateAndInitializeSid(const uint8_t (&authority)[6], uint32_t subAuthority, Sid* sid);
void FreeSid(Sid sid);
uint32_t GetLengthSid(const void* sid);
bool EqualSid(const void* a, const void* b);

bool InitializeSecurityDescriptor(SecurityDescriptor* descriptor);
// Either form of descriptor: `acl` is null when the DACL is absent.
bool GetSecurityDescriptorDacl(const void* descriptor, bool* present, Acl** acl, bool* defaulted);
bool SetSecurityDescriptorDacl(SecurityDescriptor* descriptor, bool present, Acl* acl,
                               bool defaulted);
bool GetSecurityDescriptorControl(const void* descriptor, uint16_t* control, uint32_t* revision);

bool InitializeAcl(Acl* acl, uint32_t size);
bool GetAclInformation(const Acl* acl, AclSizeInformation* information);
bool GetAce(const Acl* acl, uint32_t index, AceHeader** ace);
// Appends `size` bytes of ACEs at the end of the list.
bool AddAce(Acl* acl, const void* aces, uint32_t size);

// Found at run time in advapi32.dll: Windows 2000 and later have them.
using SetSecurityDescriptorControlFn = int(PLATFORM_API*)(SecurityDescriptor* descriptor,
                                                          uint16_t mask, uint16_t bits);
using AddAccessAllowedAceExFn = int(PLATFORM_API*)(Acl* acl, uint32_t revision, uint32_t flags,
                                                   uint32_t mask, Sid sid);

}  // namespace platform
