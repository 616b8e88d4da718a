#include "launcher/folder_access.h"

#include <memory>
#include <new>

#include "common/unique_handle.h"
#include "platform/kernel.h"
#include "platform/security.h"

namespace corvane {

namespace {

inline bool ReleaseSid(platform::Sid sid) {
    platform::FreeSid(sid);
    return true;
}
using UniqueSid = UniqueResource<platform::Sid, ReleaseSid>;

std::unique_ptr<uint8_t[]> ZeroedBlock(uint32_t size) {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size]());
}

// The SID an access entry names; null for entry types that put it elsewhere.
const void* SidOf(const platform::AceHeader* ace) {
    constexpr uint8_t kLastSimpleAceType = 3;  // allowed, denied, audit, alarm
    constexpr size_t kSidOffset = 8;           // after the header and the mask
    return ace->AceType <= kLastSimpleAceType ? reinterpret_cast<const uint8_t*>(ace) + kSidOffset
                                              : nullptr;
}

bool CopyAce(const platform::AceHeader* ace, platform::Acl* to) {
    return platform::AddAce(to, ace, ace->AceSize);
}

}  // namespace

int GrantEveryoneReadAndExecute(const char* folderPath) {
    UniqueLibrary advapi32(platform::LoadLibraryA("advapi32.dll"));
    if (!advapi32) {
        return 0;
    }
    auto setControl = reinterpret_cast<platform::SetSecurityDescriptorControlFn>(
        platform::GetProcAddress(advapi32.Get(), "SetSecurityDescriptorControl"));
    auto addAllowedAceEx = reinterpret_cast<platform::AddAccessAllowedAceExFn>(
        platform::GetProcAddress(advapi32.Get(), "AddAccessAllowedAceEx"));
    if (setControl == nullptr || addAllowedAceEx == nullptr) {
        return 0;
    }
    platform::Sid sid = nullptr;
    if (!platform::AllocateAndInitializeSid(platform::kSecurityWorldAuthority,
                                            platform::kSecurityWorldRid, &sid)) {
        return 0;
    }
    UniqueSid everyone(sid);

    uint32_t needed = 0;
    platform::GetFileSecurityA(folderPath, platform::kDaclSecurityInformation, nullptr, 0, &needed);
    if (needed == 0) {
        return 0;
    }
    std::unique_ptr<uint8_t[]> old = ZeroedBlock(needed);
    if (!old || !platform::GetFileSecurityA(folderPath, platform::kDaclSecurityInformation,
                                            old.get(), needed, &needed)) {
        return 0;
    }
    platform::SecurityDescriptor descriptor;
    if (!platform::InitializeSecurityDescriptor(&descriptor)) {
        return 0;
    }
    bool present = false;
    bool defaulted = false;
    platform::Acl* oldAcl = nullptr;
    if (!platform::GetSecurityDescriptorDacl(old.get(), &present, &oldAcl, &defaulted)) {
        present = false;
    }
    present = present && oldAcl != nullptr;
    platform::AclSizeInformation sizes = {0, sizeof(platform::Acl), 0};
    if (present && !platform::GetAclInformation(oldAcl, &sizes)) {
        return 0;
    }

    // The old entries in use, and one more: its header and mask, and the SID.
    uint32_t size = sizes.AclBytesInUse + platform::GetLengthSid(everyone.Get()) + 8;
    std::unique_ptr<uint8_t[]> block = ZeroedBlock(size);
    auto* acl = reinterpret_cast<platform::Acl*>(block.get());
    if (!block || !platform::InitializeAcl(acl, size)) {
        return 0;
    }
    // Explicit entries come before inherited ones: ours goes after the explicit ones that stay.
    uint32_t index = 0;
    for (; present && index < sizes.AceCount; ++index) {
        platform::AceHeader* ace = nullptr;
        if (!platform::GetAce(oldAcl, index, &ace)) {
            return 0;
        }
        if ((ace->AceFlags & platform::kInheritedAce) != 0) {
            break;
        }
        const void* aceSid = SidOf(ace);
        if (aceSid != nullptr && platform::EqualSid(aceSid, everyone.Get())) {
            continue;
        }
        if (!CopyAce(ace, acl)) {
            return 0;
        }
    }
    if (!addAllowedAceEx(acl, platform::kAclRevision,
                         platform::kObjectInheritAce | platform::kContainerInheritAce,
                         platform::kGenericRead | platform::kGenericExecute, everyone.Get())) {
        return 0;
    }
    for (; present && index < sizes.AceCount; ++index) {
        platform::AceHeader* ace = nullptr;
        if (!platform::GetAce(oldAcl, index, &ace) || !CopyAce(ace, acl)) {
            return 0;
        }
    }
    if (!platform::SetSecurityDescriptorDacl(&descriptor, true, acl, false)) {
        return 0;
    }

    uint16_t control = 0;
    uint32_t revision = 0;
    uint16_t bits = 0;
    if (platform::GetSecurityDescriptorControl(old.get(), &control, &revision)) {
        if ((control & platform::kSeDaclAutoInherited) != 0) {
            bits = platform::kSeDaclAutoInheritReq | platform::kSeDaclAutoInherited;
        } else if ((control & platform::kSeDaclProtected) != 0) {
            bits = platform::kSeDaclProtected;
        }
    }
    if (bits != 0) {
        setControl(&descriptor, bits, bits);
    }
    return platform::SetFileSecurityA(folderPath, platform::kDaclSecurityInformation, &descriptor)
               ? 1
               : 0;
}

}  // namespace corvane
