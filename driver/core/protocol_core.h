#pragma once
/* The protocol driver's decisions, apart from NDIS and the I/O manager: the table of bound
 * adapters, which file handle holds which adapter, the checks of every control request's
 * buffers, which OID requests pass, the references that keep a binding alive while a request
 * runs on it, and the wait for the binds. The glue (NDIS calls, IRPs, events, locks) calls
 * these functions and does what they answer; nothing here allocates or waits. Every call runs
 * under the glue's one lock of the core. */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CV_MAX_BINDINGS 16
/* An adapter's name as NDIS gives it to a bind, "\DEVICE\{GUID}", in UTF-16 units. */
#define CV_MAX_NAME_UNITS 256
/* The largest value the program queries (a BSSID list of 16384 bytes), and the request
 * header before it: the OID, and the four bytes the program adds to a query. */
#define CV_MAX_OID_VALUE 16384u
#define CV_MAX_REQUEST_BYTES (CV_MAX_OID_VALUE + 8u)
/* How long a bind wait waits for NDIS to announce that its binds are done. */
#define CV_BIND_WAIT_MS 10000u

/* The control codes: network device type, buffered, read and write access. */
#define CV_IOCTL_OPEN_DEVICE 0x0012C800u
#define CV_IOCTL_QUERY_OID_VALUE 0x0012C804u
#define CV_IOCTL_BIND_WAIT 0x0012C810u
#define CV_IOCTL_SET_OID_VALUE 0x0012C814u

#define CV_OID_802_11_SSID 0x0D010102u
#define CV_OID_802_11_INFRASTRUCTURE_MODE 0x0D010108u
#define CV_OID_802_11_AUTHENTICATION_MODE 0x0D010118u
#define CV_OID_802_11_BSSID_LIST_SCAN 0x0D01011Au
#define CV_OID_802_11_WEP_STATUS 0x0D01011Bu
#define CV_OID_802_11_BSSID_LIST 0x0D010217u

typedef enum CvStatus {
    CV_OK = 0,
    CV_PENDING,           /* the glue waits, then calls the matching completion */
    CV_INVALID_PARAMETER, /* a buffer of the wrong length, a name that cannot be one */
    CV_BUFFER_TOO_SMALL,  /* the answer does not fit the caller's output buffer */
    CV_NOT_FOUND,         /* no bound adapter of that name */
    CV_BUSY,              /* the handle already holds an adapter, or another handle does */
    CV_NOT_CONNECTED,     /* the handle holds no adapter, or its adapter is going away */
    CV_NOT_SUPPORTED,     /* a control code or an OID request that does not pass */
    CV_NO_RESOURCES,      /* the binding table is full */
    CV_FAILED             /* the adapter refused the request */
} CvStatus;

typedef enum CvBindingState {
    CV_BINDING_FREE = 0,
    CV_BINDING_OPENING, /* NdisOpenAdapter issued */
    CV_BINDING_BOUND,
    CV_BINDING_CLOSING /* unbind or unload: no new opens or requests */
} CvBindingState;

typedef struct CvBinding {
    CvBindingState state;
    uint32_t generation; /* raised each time the slot is freed, so stale references fail */
    uint16_t name[CV_MAX_NAME_UNITS];
    size_t nameUnits;
    void* lower;                /* NDIS's binding handle, for the glue */
    uint32_t requests;          /* requests running on the binding */
    const struct CvFile* owner; /* the file handle that holds it, if any */
} CvBinding;

/* What a file handle holds; it lives from the create to the close of the file object. */
typedef struct CvFile {
    int slot; /* -1: no adapter */
    uint32_t generation;
} CvFile;

typedef struct CvCore {
    CvBinding bindings[CV_MAX_BINDINGS];
    int bindsComplete; /* NDIS said its binds are done */
} CvCore;

/* One OID request, prepared by the core, sent by the glue, ended by the core. */
typedef struct CvRequest {
    int query;
    uint32_t oid;
    uint8_t* value; /* in the caller's buffer, after the OID */
    uint32_t valueLength;
    int slot;
    uint32_t generation;
    void* lower;
} CvRequest;

void CvCoreInit(CvCore* core);
void CvFileInit(CvFile* file);

/* A bind NDIS offers: reserves a slot for the adapter's name. The glue then opens the adapter
 * and reports with CvBindComplete. */
CvStatus CvBindBegin(CvCore* core, const uint16_t* name, size_t nameUnits, int* slot);
/* The open's outcome: CV_OK with NDIS's handle, anything else frees the slot. */
void CvBindComplete(CvCore* core, int slot, CvStatus status, void* lower);

/* An unbind (or the unload): no new opens or requests; CV_PENDING when requests still run,
 * and the glue waits until CvRequestEnd says the binding went idle. Then the glue closes the
 * adapter and calls CvUnbindComplete. CV_NOT_FOUND for a slot not bound. */
CvStatus CvUnbindBegin(CvCore* core, int slot, void** lower);
void CvUnbindComplete(CvCore* core, int slot);

void CvBindsComplete(CvCore* core);
/* A bind wait: CV_OK at once when the binds are done, else CV_PENDING: the glue waits for
 * the binds-complete event up to CV_BIND_WAIT_MS and completes the request successfully either
 * way, since every adapter bound by then can be opened. */
CvStatus CvBindWait(const CvCore* core);

/* The open-device control request on `file`, with its input buffer. */
CvStatus CvOpenDevice(CvCore* core, CvFile* file, const uint8_t* input, size_t inputLength);

/* A query or set control request: checks the buffers and the OID, and takes a reference on
 * the file's binding for the request, which the glue sends to `request->lower`. */
CvStatus CvRequestBegin(CvCore* core, const CvFile* file, uint32_t code, uint8_t* buffer,
                        size_t inputLength, size_t outputLength, CvRequest* request);
/* The adapter's answer: `done` bytes written (query) or read (set). Gives the control
 * request's status and the bytes it returns (the OID and those bytes, when the output buffer
 * holds them), and drops the reference; `*idle` is set when
 * the binding is closing and this was its last request, so the glue wakes the unbind. */
CvStatus CvRequestEnd(CvCore* core, const CvRequest* request, CvStatus adapterStatus, uint32_t done,
                      size_t outputLength, size_t* returned, int* idle);

/* The last handle to the file closed: the adapter it held is free for another handle.
 * Requests still running on it keep their reference until they end. */
void CvFileCleanup(CvCore* core, CvFile* file);

/* The unload: the slots still bound, which the glue unbinds in turn. */
int CvNextBound(const CvCore* core, int after);

#ifdef __cplusplus
}
#endif
