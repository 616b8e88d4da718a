#include "platform/security.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/sim/code_page.h"
#include "platform/sim/pc.h"
#include "platform/sim/system_libraries.h"

// The ACL calls work on the Windows layouts in the caller's memory, as ADVAPI32 does; a file's
// DACL is kept in the PC as entries, so that tests read back what the program wrote.

namespace platform {

namespace {

constexpr uint32_t kErrorInvalidAcl = 1336;
constexpr uint32_t kErrorAllottedSpaceExceeded = 1344;
constexpr uint32_t kSelfRelativeHeader = 20;
constexpr uint16_t kSeDaclDefaulted = 0x0008;
constexpr uint16_t kSettableControl = 0x3F00;  // the auto-inherit and protected bits

uint16_t ReadU16(const void* at) {
    uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

uint32_t ReadU32(const void* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

uint32_t BytesInUse(const Acl* acl) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(acl);
    uint32_t used = sizeof(Acl);
    for (uint16_t i = 0; i < acl->AceCount; ++i) {
        used += ReadU16(bytes + used + 2);
    }
    return used;
}

bool Fail(uint32_t error) {
    SetLastError(error);
    return false;
}

std::string AclBytes(const std::vector<sim::Ace>& aces) {
    std::string entries;
    for (const sim::Ace& ace : aces) {
        auto size = static_cast<uint16_t>(8 + ace.sid.size());
        entries.push_back(static_cast<char>(ace.type));
        entries.push_back(static_cast<char>(ace.flags));
        entries.append(reinterpret_cast<const char*>(&size), 2);
        entries.append(reinterpret_cast<const char*>(&ace.mask), 4);
        entries += ace.sid;
    }
    Acl header = {static_cast<uint8_t>(kAclRevision), 0,
                  static_cast<uint16_t>(sizeof(Acl) + entries.size()),
                  static_cast<uint16_t>(aces.size()), 0};
    return std::string(reinterpret_cast<const char*>(&header), sizeof header) + entries;
}

std::vector<sim::Ace> AcesOf(const Acl* acl) {
    std::vector<sim::Ace> aces;
    const auto* bytes = reinterpret_cast<const uint8_t*>(acl);
    uint32_t at = sizeof(Acl);
    for (uint16_t i = 0; i < acl->AceCount; ++i) {
        uint16_t size = ReadU16(bytes + at + 2);
        aces.push_back({bytes[at], bytes[at + 1], ReadU32(bytes + at + 4),
                        std::string(reinterpret_cast<const char*>(bytes + at + 8), size - 8)});
        at += size;
    }
    return aces;
}

sim::File* FileAt(const char* path) {
    sim::Pc& pc = sim::CurrentPc();
    return pc.FindFile(sim::ToUtf16(path == nullptr ? "" : path, pc.scenario().ansiCodePage));
}

int PLATFORM_API SimSetSecurityDescriptorControl(SecurityDescriptor* descriptor, uint16_t mask,
                                                 uint16_t bits) {
    if ((mask & ~kSettableControl) != 0) {
        return Fail(kErrorInvalidParameter);
    }
    descriptor->Control = static_cast<uint16_t>((descriptor->Control & ~mask) | (bits & mask));
    return 1;
}

int PLATFORM_API SimAddAccessAllowedAceEx(Acl* acl, uint32_t revision, uint32_t flags,
                                          uint32_t mask, Sid sid) {
    if (revision < kAclRevision || (flags & ~0x1Fu) != 0) {
        return Fail(kErrorInvalidParameter);
    }
    uint32_t sidLength = GetLengthSid(sid);
    std::string ace = {static_cast<char>(kAccessAllowedAceType), static_cast<char>(flags)};
    auto size = static_cast<uint16_t>(8 + sidLength);
    ace.append(reinterpret_cast<const char*>(&size), 2);
    ace.append(reinterpret_cast<const char*>(&mask), 4);
    ace.append(static_cast<const char*>(sid), sidLength);
    return AddAce(acl, ace.data(), static_cast<uint32_t>(ace.size())) ? 1 : 0;
}

}  // namespace

bool GetFileSecurityA(const char* path, uint32_t, void* descriptor, uint32_t size,
                      uint32_t* needed) {
    const sim::File* file = FileAt(path);
    if (file == nullptr) {
        return Fail(kErrorFileNotFound);
    }
    std::string bytes(kSelfRelativeHeader, '\0');
    uint16_t control = file->securityControl | kSeSelfRelative;
    if (file->dacl) {
        control |= kSeDaclPresent;
        uint32_t offset = kSelfRelativeHeader;
        std::memcpy(bytes.data() + 16, &offset, 4);
        bytes += AclBytes(*file->dacl);
    }
    bytes[0] = static_cast<char>(kSecurityDescriptorRevision);
    std::memcpy(bytes.data() + 2, &control, 2);
    *needed = static_cast<uint32_t>(bytes.size());
    if (descriptor == nullptr || size < bytes.size()) {
        return Fail(kErrorInsufficientBuffer);
    }
    std::memcpy(descriptor, bytes.data(), bytes.size());
    return true;
}

bool SetFileSecurityA(const char* path, uint32_t, SecurityDescriptor* descriptor) {
    sim::File* file = FileAt(path);
    if (file == nullptr) {
        return Fail(kErrorFileNotFound);
    }
    bool present = false;
    bool defaulted = false;
    Acl* acl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted);
    if (present && acl != nullptr) {
        file->dacl = AcesOf(acl);
    } else {
        file->dacl.reset();
    }
    file->securityControl = descriptor->Control & kSettableControl;
    return true;
}

bool AllocateAndInitializeSid(const uint8_t (&authority)[6], uint32_t subAuthority, Sid* sid) {
    auto* bytes = new uint8_t[12];
    bytes[0] = 1;
    bytes[1] = 1;
    std::memcpy(bytes + 2, authority, 6);
    std::memcpy(bytes + 8, &subAuthority, 4);
    *sid = bytes;
    return true;
}

void FreeSid(Sid sid) {
    delete[] static_cast<uint8_t*>(sid);
}

uint32_t GetLengthSid(const void* sid) {
    return 8 + 4 * static_cast<const uint8_t*>(sid)[1];
}

bool EqualSid(const void* a, const void* b) {
    uint32_t length = GetLengthSid(a);
    return length == GetLengthSid(b) && std::memcmp(a, b, length) == 0;
}

bool InitializeSecurityDescriptor(SecurityDescriptor* descriptor) {
    *descriptor = {};
    descriptor->Revision = kSecurityDescriptorRevision;
    return true;
}

bool GetSecurityDescriptorDacl(const void* descriptor, bool* present, Acl** acl, bool* defaulted) {
    const auto* bytes = static_cast<const uint8_t*>(descriptor);
    uint16_t control = ReadU16(bytes + 2);
    *present = (control & kSeDaclPresent) != 0;
    *defaulted = (control & kSeDaclDefaulted) != 0;
    *acl = nullptr;
    if (!*present) {
        return true;
    }
    if ((control & kSeSelfRelative) != 0) {
        uint32_t offset = ReadU32(bytes + 16);
        *acl = offset == 0 ? nullptr : reinterpret_cast<Acl*>(const_cast<uint8_t*>(bytes + offset));
    } else {
        *acl = static_cast<Acl*>(static_cast<const SecurityDescriptor*>(descriptor)->Dacl);
    }
    return true;
}

bool SetSecurityDescriptorDacl(SecurityDescriptor* descriptor, bool present, Acl* acl,
                               bool defaulted) {
    descriptor->Dacl = present ? acl : nullptr;
    descriptor->Control = static_cast<uint16_t>(
        (descriptor->Control & ~(kSeDaclPresent | kSeDaclDefaulted)) |
        (present ? kSeDaclPresent : 0) | (present && defaulted ? kSeDaclDefaulted : 0));
    return true;
}

bool GetSecurityDescriptorControl(const void* descriptor, uint16_t* control, uint32_t* revision) {
    const auto* bytes = static_cast<const uint8_t*>(descriptor);
    *control = ReadU16(bytes + 2);
    *revision = bytes[0];
    return true;
}

bool InitializeAcl(Acl* acl, uint32_t size) {
    if (size < sizeof(Acl) || size > 0xFFFF) {
        return Fail(kErrorInvalidParameter);
    }
    *acl = {static_cast<uint8_t>(kAclRevision), 0, static_cast<uint16_t>(size), 0, 0};
    return true;
}

bool GetAclInformation(const Acl* acl, AclSizeInformation* information) {
    uint32_t used = BytesInUse(acl);
    *information = {acl->AceCount, used, acl->AclSize - used};
    return true;
}

bool GetAce(const Acl* acl, uint32_t index, AceHeader** ace) {
    if (index >= acl->AceCount) {
        return Fail(kErrorInvalidParameter);
    }
    auto* bytes = reinterpret_cast<uint8_t*>(const_cast<Acl*>(acl));
    uint32_t at = sizeof(Acl);
    for (uint32_t i = 0; i < index; ++i) {
        at += ReadU16(bytes + at + 2);
    }
    *ace = reinterpret_cast<AceHeader*>(bytes + at);
    return true;
}

bool AddAce(Acl* acl, const void* aces, uint32_t size) {
    uint32_t used = BytesInUse(acl);
    if (used + size > acl->AclSize) {
        return Fail(kErrorAllottedSpaceExceeded);
    }
    const auto* from = static_cast<const uint8_t*>(aces);
    uint16_t count = 0;
    for (uint32_t at = 0; at < size; ++count) {
        uint16_t aceSize = ReadU16(from + at + 2);
        if (aceSize < 8 || at + aceSize > size) {
            return Fail(kErrorInvalidAcl);
        }
        at += aceSize;
    }
    std::memcpy(reinterpret_cast<uint8_t*>(acl) + used, aces, size);
    acl->AceCount = static_cast<uint16_t>(acl->AceCount + count);
    return true;
}

}  // namespace platform

void* sim::AdvapiEntryPoint(const char* name) {
    if (std::strcmp(name, "SetSecurityDescriptorControl") == 0) {
        return reinterpret_cast<void*>(&platform::SimSetSecurityDescriptorControl);
    }
    if (std::strcmp(name, "AddAccessAllowedAceEx") == 0) {
        return reinterpret_cast<void*>(&platform::SimAddAccessAllowedAceEx);
    }
    return nullptr;
}
