/* TAVIR_CorvaneWD.sys: an NDIS 5.0 protocol that binds to every adapter NDIS offers and lets
 * VORTAU query and set the six 802.11 OIDs it needs through "\\.\CorvaneNdisProt". Every
 * decision is the core's; this file makes the NDIS and I/O manager calls it answers for. */

#include "driver/core/protocol_core.h"
#include "driver/glue/device_security.h"
#include "driver/glue/ndis_headers.h"

#define CV_POOL_TAG 0x70764E43 /* "CNvp" */

typedef struct CvGlueBinding {
    int slot;
    NDIS_EVENT opened;
    NDIS_STATUS openStatus;
    NDIS_EVENT closed;
    KEVENT idle; /* set while no request runs on the binding */
} CvGlueBinding;

typedef struct CvPendingRequest {
    NDIS_REQUEST ndis;
    NDIS_EVENT done;
    NDIS_STATUS status;
} CvPendingRequest;

static CvCore g_core;
static NDIS_SPIN_LOCK g_lock;
static CvGlueBinding g_bindings[CV_MAX_BINDINGS];
static KEVENT g_bindsComplete;
static NDIS_HANDLE g_protocol;
static PDEVICE_OBJECT g_device;

static const WCHAR kDeviceName[] = L"\\Device\\CorvaneNdisProt";
static const WCHAR kLinkName[] = L"\\DosDevices\\CorvaneNdisProt";
static const WCHAR kProtocolName[] = L"CorvaneNdisprot";

static NTSTATUS NtStatusOf(CvStatus status) {
    switch (status) {
        case CV_OK:
            return STATUS_SUCCESS;
        case CV_INVALID_PARAMETER:
            return STATUS_INVALID_PARAMETER;
        case CV_BUFFER_TOO_SMALL:
            return STATUS_BUFFER_TOO_SMALL;
        case CV_NOT_FOUND:
            return STATUS_OBJECT_NAME_NOT_FOUND;
        case CV_BUSY:
            return STATUS_DEVICE_BUSY;
        case CV_NOT_CONNECTED:
            return STATUS_DEVICE_NOT_CONNECTED;
        case CV_NOT_SUPPORTED:
            return STATUS_NOT_SUPPORTED;
        case CV_NO_RESOURCES:
            return STATUS_INSUFFICIENT_RESOURCES;
        default:
            return STATUS_UNSUCCESSFUL;
    }
}

/* --- NDIS's side ------------------------------------------------------------------------- */

static VOID NTAPI OnOpenAdapterComplete(NDIS_HANDLE context, NDIS_STATUS status,
                                        NDIS_STATUS openError) {
    CvGlueBinding* binding = (CvGlueBinding*)context;
    (void)openError;
    binding->openStatus = status;
    NdisSetEvent(&binding->opened);
}

static VOID NTAPI OnCloseAdapterComplete(NDIS_HANDLE context, NDIS_STATUS status) {
    (void)status;
    NdisSetEvent(&((CvGlueBinding*)context)->closed);
}

static VOID NTAPI OnRequestComplete(NDIS_HANDLE context, PNDIS_REQUEST request,
                                    NDIS_STATUS status) {
    CvPendingRequest* pending = CONTAINING_RECORD(request, CvPendingRequest, ndis);
    (void)context;
    pending->status = status;
    NdisSetEvent(&pending->done);
}

static VOID NTAPI OnBindAdapter(PNDIS_STATUS result, NDIS_HANDLE bindContext,
                                PNDIS_STRING deviceName, PVOID systemSpecific1,
                                PVOID systemSpecific2) {
    (void)bindContext;
    (void)systemSpecific1;
    (void)systemSpecific2;
    int slot = -1;
    NdisAcquireSpinLock(&g_lock);
    CvStatus reserved =
        CvBindBegin(&g_core, (const uint16_t*)deviceName->Buffer, deviceName->Length / 2, &slot);
    NdisReleaseSpinLock(&g_lock);
    if (reserved != CV_OK) {
        *result = NDIS_STATUS_RESOURCES;
        return;
    }
    CvGlueBinding* binding = &g_bindings[slot];
    NDIS_MEDIUM media[] = {NdisMedium802_3};
    NDIS_STATUS status;
    NDIS_STATUS openError;
    NDIS_HANDLE lower = NULL;
    UINT medium = 0;
    NdisInitializeEvent(&binding->opened);
    NdisOpenAdapter(&status, &openError, &lower, &medium, media, 1, g_protocol, binding, deviceName,
                    0, NULL);
    if (status == NDIS_STATUS_PENDING) {
        NdisWaitEvent(&binding->opened, 0);
        status = binding->openStatus;
    }
    NdisAcquireSpinLock(&g_lock);
    CvBindComplete(&g_core, slot, status == NDIS_STATUS_SUCCESS ? CV_OK : CV_FAILED, lower);
    NdisReleaseSpinLock(&g_lock);
    *result = status;
}

/* Waits for the requests that still run on the binding, then closes the adapter. */
static VOID NTAPI OnUnbindAdapter(PNDIS_STATUS result, NDIS_HANDLE context,
                                  NDIS_HANDLE unbindContext) {
    CvGlueBinding* binding = (CvGlueBinding*)context;
    (void)unbindContext;
    void* lower = NULL;
    KeClearEvent(&binding->idle);
    NdisAcquireSpinLock(&g_lock);
    CvStatus status = CvUnbindBegin(&g_core, binding->slot, &lower);
    NdisReleaseSpinLock(&g_lock);
    if (status == CV_NOT_FOUND) {
        KeSetEvent(&binding->idle, IO_NO_INCREMENT, FALSE);
        *result = NDIS_STATUS_SUCCESS;
        return;
    }
    if (status == CV_PENDING) {
        KeWaitForSingleObject(&binding->idle, Executive, KernelMode, FALSE, NULL);
    } else {
        KeSetEvent(&binding->idle, IO_NO_INCREMENT, FALSE);
    }
    NDIS_STATUS closed;
    NdisInitializeEvent(&binding->closed);
    NdisCloseAdapter(&closed, lower);
    if (closed == NDIS_STATUS_PENDING) {
        NdisWaitEvent(&binding->closed, 0);
    }
    NdisAcquireSpinLock(&g_lock);
    CvUnbindComplete(&g_core, binding->slot);
    NdisReleaseSpinLock(&g_lock);
    *result = NDIS_STATUS_SUCCESS;
}

static NDIS_STATUS NTAPI OnPnPEvent(NDIS_HANDLE context, PNET_PNP_EVENT event) {
    (void)context;
    if (event != NULL && event->NetEvent == NetEventBindsComplete) {
        NdisAcquireSpinLock(&g_lock);
        CvBindsComplete(&g_core);
        NdisReleaseSpinLock(&g_lock);
        KeSetEvent(&g_bindsComplete, IO_NO_INCREMENT, FALSE);
    }
    return NDIS_STATUS_SUCCESS;
}

/* The protocol sends nothing and takes no frames. */
static VOID NTAPI OnSendComplete(NDIS_HANDLE context, PNDIS_PACKET packet, NDIS_STATUS status) {
    (void)context;
    (void)packet;
    (void)status;
}

static VOID NTAPI OnTransferDataComplete(NDIS_HANDLE context, PNDIS_PACKET packet,
                                         NDIS_STATUS status, UINT transferred) {
    (void)context;
    (void)packet;
    (void)status;
    (void)transferred;
}

static VOID NTAPI OnResetComplete(NDIS_HANDLE context, NDIS_STATUS status) {
    (void)context;
    (void)status;
}

static NDIS_STATUS NTAPI OnReceive(NDIS_HANDLE context, NDIS_HANDLE receiveContext, PVOID header,
                                   UINT headerSize, PVOID lookAhead, UINT lookAheadSize,
                                   UINT packetSize) {
    (void)context;
    (void)receiveContext;
    (void)header;
    (void)headerSize;
    (void)lookAhead;
    (void)lookAheadSize;
    (void)packetSize;
    return NDIS_STATUS_NOT_ACCEPTED;
}

static INT NTAPI OnReceivePacket(NDIS_HANDLE context, PNDIS_PACKET packet) {
    (void)context;
    (void)packet;
    return 0;
}

static VOID NTAPI OnReceiveComplete(NDIS_HANDLE context) {
    (void)context;
}

static VOID NTAPI OnStatus(NDIS_HANDLE context, NDIS_STATUS status, PVOID buffer, UINT size) {
    (void)context;
    (void)status;
    (void)buffer;
    (void)size;
}

static VOID NTAPI OnStatusComplete(NDIS_HANDLE context) {
    (void)context;
}

/* --- The I/O manager's side -------------------------------------------------------------- */

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

/* A query or set, sent to the adapter and waited for; the value stays in the IRP's buffer. */
static NTSTATUS SendRequest(CvFile* file, ULONG code, PVOID buffer, ULONG input, ULONG output,
                            ULONG_PTR* information) {
    CvRequest request;
    NdisAcquireSpinLock(&g_lock);
    CvStatus status =
        CvRequestBegin(&g_core, file, code, (uint8_t*)buffer, input, output, &request);
    NdisReleaseSpinLock(&g_lock);
    if (status != CV_OK) {
        return NtStatusOf(status);
    }
    CvPendingRequest pending;
    NdisZeroMemory(&pending, sizeof pending);
    NdisInitializeEvent(&pending.done);
    pending.ndis.RequestType =
        request.query ? NdisRequestQueryInformation : NdisRequestSetInformation;
    pending.ndis.DATA.QUERY_INFORMATION.Oid = request.oid;
    pending.ndis.DATA.QUERY_INFORMATION.InformationBuffer = request.value;
    pending.ndis.DATA.QUERY_INFORMATION.InformationBufferLength = request.valueLength;
    NDIS_STATUS sent;
    NdisRequest(&sent, request.lower, &pending.ndis);
    if (sent == NDIS_STATUS_PENDING) {
        NdisWaitEvent(&pending.done, 0);
        sent = pending.status;
    }
    /* The set's fields lie where the query's do in the request's union. */
    UINT done = request.query ? pending.ndis.DATA.QUERY_INFORMATION.BytesWritten
                              : pending.ndis.DATA.SET_INFORMATION.BytesRead;
    size_t returned = 0;
    int idle = 0;
    NdisAcquireSpinLock(&g_lock);
    status = CvRequestEnd(&g_core, &request, sent == NDIS_STATUS_SUCCESS ? CV_OK : CV_FAILED, done,
                          output, &returned, &idle);
    NdisReleaseSpinLock(&g_lock);
    if (idle) {
        KeSetEvent(&g_bindings[request.slot].idle, IO_NO_INCREMENT, FALSE);
    }
    *information = returned;
    return NtStatusOf(status);
}

static NTSTATUS DeviceControl(PIO_STACK_LOCATION stack, PIRP irp) {
    CvFile* file = (CvFile*)stack->FileObject->FsContext;
    ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    ULONG input = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG output = stack->Parameters.DeviceIoControl.OutputBufferLength;
    PVOID buffer = irp->AssociatedIrp.SystemBuffer;
    ULONG_PTR information = 0;
    CvStatus status;
    switch (code) {
        case CV_IOCTL_BIND_WAIT: {
            NdisAcquireSpinLock(&g_lock);
            status = CvBindWait(&g_core);
            NdisReleaseSpinLock(&g_lock);
            if (status == CV_PENDING) {
                LARGE_INTEGER timeout;
                timeout.QuadPart = -(LONGLONG)CV_BIND_WAIT_MS * 10000;
                KeWaitForSingleObject(&g_bindsComplete, Executive, KernelMode, FALSE, &timeout);
            }
            return Complete(irp, STATUS_SUCCESS, 0);
        }
        case CV_IOCTL_OPEN_DEVICE:
            NdisAcquireSpinLock(&g_lock);
            status = CvOpenDevice(&g_core, file, (const uint8_t*)buffer, input);
            NdisReleaseSpinLock(&g_lock);
            return Complete(irp, NtStatusOf(status), 0);
        case CV_IOCTL_QUERY_OID_VALUE:
        case CV_IOCTL_SET_OID_VALUE: {
            NTSTATUS sent = SendRequest(file, code, buffer, input, output, &information);
            return Complete(irp, sent, information);
        }
        default:
            return Complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
    }
}

static NTSTATUS NTAPI Dispatch(PDEVICE_OBJECT device, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    (void)device;
    switch (stack->MajorFunction) {
        case IRP_MJ_CREATE: {
            CvFile* file = (CvFile*)ExAllocatePoolWithTag(NonPagedPool, sizeof *file, CV_POOL_TAG);
            if (file == NULL) {
                return Complete(irp, STATUS_INSUFFICIENT_RESOURCES, 0);
            }
            CvFileInit(file);
            stack->FileObject->FsContext = file;
            return Complete(irp, STATUS_SUCCESS, 0);
        }
        case IRP_MJ_CLEANUP:
            NdisAcquireSpinLock(&g_lock);
            CvFileCleanup(&g_core, (CvFile*)stack->FileObject->FsContext);
            NdisReleaseSpinLock(&g_lock);
            return Complete(irp, STATUS_SUCCESS, 0);
        case IRP_MJ_CLOSE:
            /* Every request on the file has ended by now: the I/O manager holds the file for
             * each. */
            ExFreePool(stack->FileObject->FsContext);
            stack->FileObject->FsContext = NULL;
            return Complete(irp, STATUS_SUCCESS, 0);
        case IRP_MJ_DEVICE_CONTROL:
            return DeviceControl(stack, irp);
        default:
            return Complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
    }
}

/* --- Load and unload --------------------------------------------------------------------- */

static void DeleteDevice(void) {
    UNICODE_STRING link;
    RtlInitUnicodeString(&link, kLinkName);
    IoDeleteSymbolicLink(&link);
    IoDeleteDevice(g_device);
    g_device = NULL;
    NdisFreeSpinLock(&g_lock);
}

/* NdisDeregisterProtocol unbinds every binding (through OnUnbindAdapter) before it returns. */
static VOID NTAPI Unload(PDRIVER_OBJECT driver) {
    NDIS_STATUS status;
    (void)driver;
    NdisDeregisterProtocol(&status, g_protocol);
    DeleteDevice();
}

static NTSTATUS RegisterProtocol(void) {
    NDIS_PROTOCOL_CHARACTERISTICS protocol;
    NdisZeroMemory(&protocol, sizeof protocol);
    protocol.MajorNdisVersion = 5;
    protocol.MinorNdisVersion = 0;
    NdisInitUnicodeString(&protocol.Name, kProtocolName);
    protocol.OpenAdapterCompleteHandler = OnOpenAdapterComplete;
    protocol.CloseAdapterCompleteHandler = OnCloseAdapterComplete;
    protocol.SendCompleteHandler = OnSendComplete;
    protocol.TransferDataCompleteHandler = OnTransferDataComplete;
    protocol.ResetCompleteHandler = OnResetComplete;
    protocol.RequestCompleteHandler = OnRequestComplete;
    protocol.ReceiveHandler = OnReceive;
    protocol.ReceiveCompleteHandler = OnReceiveComplete;
    protocol.StatusHandler = OnStatus;
    protocol.StatusCompleteHandler = OnStatusComplete;
    protocol.ReceivePacketHandler = OnReceivePacket;
    protocol.BindAdapterHandler = OnBindAdapter;
    protocol.UnbindAdapterHandler = OnUnbindAdapter;
    protocol.PnPEventHandler = OnPnPEvent;
    NDIS_STATUS status;
    NdisRegisterProtocol(&status, &g_protocol, &protocol, sizeof protocol);
    return status == NDIS_STATUS_SUCCESS ? STATUS_SUCCESS : STATUS_UNSUCCESSFUL;
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    (void)registryPath;
    CvCoreInit(&g_core);
    NdisAllocateSpinLock(&g_lock);
    KeInitializeEvent(&g_bindsComplete, NotificationEvent, FALSE);
    for (int i = 0; i < CV_MAX_BINDINGS; ++i) {
        g_bindings[i].slot = i;
        KeInitializeEvent(&g_bindings[i].idle, NotificationEvent, TRUE);
    }

    UNICODE_STRING name;
    UNICODE_STRING link;
    RtlInitUnicodeString(&name, kDeviceName);
    RtlInitUnicodeString(&link, kLinkName);
    NTSTATUS status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_NETWORK, FILE_DEVICE_SECURE_OPEN,
                                     FALSE, &g_device);
    if (!NT_SUCCESS(status)) {
        NdisFreeSpinLock(&g_lock);
        return status;
    }
    status = CvRestrictToAdministrators(g_device);
    if (NT_SUCCESS(status)) {
        status = IoCreateSymbolicLink(&link, &name);
    }
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(g_device);
        g_device = NULL;
        NdisFreeSpinLock(&g_lock);
        return status;
    }
    for (int i = 0; i <= IRP_MJ_MAXIMUM_FUNCTION; ++i) {
        driver->MajorFunction[i] = Dispatch;
    }
    driver->DriverUnload = Unload;
    status = RegisterProtocol();
    if (!NT_SUCCESS(status)) {
        DeleteDevice();
    }
    return status;
}
