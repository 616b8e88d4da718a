#include "driver/glue/device_security.h"

/* Declared by ntifs.h, which does not go together with ndis.h; exported by Windows 2000. */
NTSYSAPI NTSTATUS NTAPI RtlCreateAcl(PACL acl, ULONG length, ULONG revision);
NTSYSAPI NTSTATUS NTAPI RtlAddAccessAllowedAce(PACL acl, ULONG revision, ACCESS_MASK mask,
                                               PSID sid);
NTSYSAPI NTSTATUS NTAPI ZwSetSecurityObject(HANDLE handle, SECURITY_INFORMATION information,
                                            PSECURITY_DESCRIPTOR descriptor);
NTKERNELAPI NTSTATUS NTAPI ObOpenObjectByPointer(PVOID object, ULONG attributes,
                                                 PACCESS_STATE state, ACCESS_MASK access,
                                                 POBJECT_TYPE type, KPROCESSOR_MODE mode,
                                                 PHANDLE handle);

/* A SID of the NT authority with up to two sub-authorities, laid out as SID is. */
typedef struct CvSid {
    UCHAR revision;
    UCHAR subAuthorityCount;
    UCHAR authority[6];
    ULONG subAuthority[2];
} CvSid;

#define CV_SID_LENGTH(count) (8 + 4 * (count))

/* An absolute security descriptor, laid out as SECURITY_DESCRIPTOR is (not in these headers). */
typedef struct CvSecurityDescriptor {
    UCHAR revision;
    UCHAR sbz1;
    USHORT control;
    PVOID owner;
    PVOID group;
    PVOID sacl;
    PVOID dacl;
} CvSecurityDescriptor;

NTSTATUS CvRestrictToAdministrators(PDEVICE_OBJECT device) {
    static const CvSid system = {1, 1, {0, 0, 0, 0, 0, 5}, {18, 0}};           /* S-1-5-18 */
    static const CvSid administrators = {1, 2, {0, 0, 0, 0, 0, 5}, {32, 544}}; /* S-1-5-32-544 */
    /* The ACL's header, and an access-allowed ACE (its header and mask before the SID) each. */
    enum { kAclLength = 8 + 8 + CV_SID_LENGTH(1) + 8 + CV_SID_LENGTH(2) };
    ULONG storage[kAclLength / 4];
    PACL acl = (PACL)storage;
    CvSecurityDescriptor descriptor;

    NTSTATUS status = RtlCreateAcl(acl, kAclLength, ACL_REVISION);
    if (NT_SUCCESS(status)) {
        status = RtlAddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, (PSID)&system);
    }
    if (NT_SUCCESS(status)) {
        status = RtlAddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, (PSID)&administrators);
    }
    if (NT_SUCCESS(status)) {
        status = RtlCreateSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    }
    if (NT_SUCCESS(status)) {
        status = RtlSetDaclSecurityDescriptor(&descriptor, TRUE, acl, FALSE);
    }
    if (!NT_SUCCESS(status)) {
        return status;
    }
    HANDLE handle = NULL;
    status = ObOpenObjectByPointer(device, OBJ_KERNEL_HANDLE, NULL, WRITE_DAC, NULL, KernelMode,
                                   &handle);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    status = ZwSetSecurityObject(handle, DACL_SECURITY_INFORMATION, &descriptor);
    ZwClose(handle);
    return status;
}
