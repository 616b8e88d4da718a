#include "driver/core/protocol_core.h"

static void Zero(void* memory, size_t length) {
    uint8_t* bytes = (uint8_t*)memory;
    for (size_t i = 0; i < length; ++i) {
        bytes[i] = 0;
    }
}

static uint32_t ReadLittleEndian32(const uint8_t* bytes) {
    return (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 |
           (uint32_t)bytes[3] << 24;
}

/* Adapter names are "\DEVICE\{GUID}": ASCII, compared without case as the object manager
 * does. */
static uint16_t FoldUnit(uint16_t unit) {
    return unit >= 'a' && unit <= 'z' ? (uint16_t)(unit - 'a' + 'A') : unit;
}

static int SameName(const CvBinding* binding, const uint16_t* name, size_t units) {
    if (binding->nameUnits != units) {
        return 0;
    }
    for (size_t i = 0; i < units; ++i) {
        if (FoldUnit(binding->name[i]) != FoldUnit(name[i])) {
            return 0;
        }
    }
    return 1;
}

static int ValidSlot(int slot) {
    return slot >= 0 && slot < CV_MAX_BINDINGS;
}

static void FreeSlot(CvBinding* binding) {
    uint32_t generation = binding->generation + 1;
    Zero(binding, sizeof *binding);
    binding->generation = generation;
}

/* The binding a file holds, if it is still the one the file opened. */
static CvBinding* HeldBinding(CvCore* core, const CvFile* file) {
    if (!ValidSlot(file->slot)) {
        return NULL;
    }
    CvBinding* binding = &core->bindings[file->slot];
    if (binding->generation != file->generation || binding->owner != file) {
        return NULL;
    }
    return binding;
}

void CvCoreInit(CvCore* core) {
    Zero(core, sizeof *core);
}

void CvFileInit(CvFile* file) {
    file->slot = -1;
    file->generation = 0;
}

CvStatus CvBindBegin(CvCore* core, const uint16_t* name, size_t nameUnits, int* slot) {
    if (name == NULL || nameUnits == 0 || nameUnits > CV_MAX_NAME_UNITS) {
        return CV_INVALID_PARAMETER;
    }
    int free = -1;
    for (int i = 0; i < CV_MAX_BINDINGS; ++i) {
        CvBinding* binding = &core->bindings[i];
        if (binding->state == CV_BINDING_FREE) {
            if (free < 0) {
                free = i;
            }
        } else if (SameName(binding, name, nameUnits)) {
            return CV_BUSY;
        }
    }
    if (free < 0) {
        return CV_NO_RESOURCES;
    }
    CvBinding* binding = &core->bindings[free];
    binding->state = CV_BINDING_OPENING;
    for (size_t i = 0; i < nameUnits; ++i) {
        binding->name[i] = name[i];
    }
    binding->nameUnits = nameUnits;
    *slot = free;
    return CV_OK;
}

void CvBindComplete(CvCore* core, int slot, CvStatus status, void* lower) {
    if (!ValidSlot(slot) || core->bindings[slot].state != CV_BINDING_OPENING) {
        return;
    }
    CvBinding* binding = &core->bindings[slot];
    if (status == CV_OK) {
        binding->state = CV_BINDING_BOUND;
        binding->lower = lower;
    } else {
        FreeSlot(binding);
    }
}

CvStatus CvUnbindBegin(CvCore* core, int slot, void** lower) {
    if (!ValidSlot(slot) || core->bindings[slot].state != CV_BINDING_BOUND) {
        return CV_NOT_FOUND;
    }
    CvBinding* binding = &core->bindings[slot];
    binding->state = CV_BINDING_CLOSING;
    binding->owner = NULL;
    *lower = binding->lower;
    return binding->requests == 0 ? CV_OK : CV_PENDING;
}

void CvUnbindComplete(CvCore* core, int slot) {
    if (ValidSlot(slot) && core->bindings[slot].state == CV_BINDING_CLOSING &&
        core->bindings[slot].requests == 0) {
        FreeSlot(&core->bindings[slot]);
    }
}

void CvBindsComplete(CvCore* core) {
    core->bindsComplete = 1;
}

CvStatus CvBindWait(const CvCore* core) {
    return core->bindsComplete ? CV_OK : CV_PENDING;
}

CvStatus CvOpenDevice(CvCore* core, CvFile* file, const uint8_t* input, size_t inputLength) {
    if (input == NULL || inputLength == 0 || inputLength % 2 != 0 ||
        inputLength > CV_MAX_NAME_UNITS * 2) {
        return CV_INVALID_PARAMETER;
    }
    if (HeldBinding(core, file) != NULL) {
        return CV_BUSY;
    }
    uint16_t name[CV_MAX_NAME_UNITS];
    size_t units = inputLength / 2;
    for (size_t i = 0; i < units; ++i) {
        name[i] = (uint16_t)(input[2 * i] | input[2 * i + 1] << 8);
    }
    for (int i = 0; i < CV_MAX_BINDINGS; ++i) {
        CvBinding* binding = &core->bindings[i];
        if (binding->state != CV_BINDING_BOUND || !SameName(binding, name, units)) {
            continue;
        }
        if (binding->owner != NULL) {
            return CV_BUSY;
        }
        binding->owner = file;
        file->slot = i;
        file->generation = binding->generation;
        return CV_OK;
    }
    return CV_NOT_FOUND;
}

/* The requests the program makes, and nothing else: each OID only as the query or the set it
 * makes of it. */
static int Passes(uint32_t oid, int query) {
    switch (oid) {
        case CV_OID_802_11_SSID:
        case CV_OID_802_11_INFRASTRUCTURE_MODE:
        case CV_OID_802_11_AUTHENTICATION_MODE:
        case CV_OID_802_11_WEP_STATUS:
            return 1;
        case CV_OID_802_11_BSSID_LIST_SCAN:
            return !query;
        case CV_OID_802_11_BSSID_LIST:
            return query;
        default:
            return 0;
    }
}

CvStatus CvRequestBegin(CvCore* core, const CvFile* file, uint32_t code, uint8_t* buffer,
                        size_t inputLength, size_t outputLength, CvRequest* request) {
    int query = code == CV_IOCTL_QUERY_OID_VALUE;
    if (!query && code != CV_IOCTL_SET_OID_VALUE) {
        return CV_NOT_SUPPORTED;
    }
    /* The OID and at least a DWORD of value, within the largest request the program makes;
     * a query's value comes back in place, so its output buffer is as long as its input. */
    if (buffer == NULL || inputLength < 8 || inputLength > CV_MAX_REQUEST_BYTES ||
        (query && outputLength < inputLength)) {
        return CV_INVALID_PARAMETER;
    }
    uint32_t oid = ReadLittleEndian32(buffer);
    if (!Passes(oid, query)) {
        return CV_NOT_SUPPORTED;
    }
    CvBinding* binding = HeldBinding(core, file);
    if (binding == NULL || binding->state != CV_BINDING_BOUND) {
        return CV_NOT_CONNECTED;
    }
    ++binding->requests;
    request->query = query;
    request->oid = oid;
    request->value = buffer + 4;
    request->valueLength = (uint32_t)(inputLength - 4);
    request->slot = file->slot;
    request->generation = binding->generation;
    request->lower = binding->lower;
    return CV_OK;
}

CvStatus CvRequestEnd(CvCore* core, const CvRequest* request, CvStatus adapterStatus, uint32_t done,
                      size_t outputLength, size_t* returned, int* idle) {
    *returned = 0;
    *idle = 0;
    if (ValidSlot(request->slot) &&
        core->bindings[request->slot].generation == request->generation) {
        CvBinding* binding = &core->bindings[request->slot];
        if (binding->requests > 0) {
            --binding->requests;
        }
        *idle = binding->state == CV_BINDING_CLOSING && binding->requests == 0;
    }
    if (adapterStatus != CV_OK) {
        return CV_FAILED;
    }
    /* A miniport that claims more than the room it was given is not believed. */
    if (done > request->valueLength) {
        return CV_FAILED;
    }
    /* The buffer comes back with the OID and what the adapter wrote or read; the I/O manager
     * copies that many bytes to the caller, so never more than its output buffer holds. */
    if (4u + (size_t)done <= outputLength) {
        *returned = 4u + done;
    } else if (request->query) {
        return CV_FAILED;
    }
    return CV_OK;
}

void CvFileCleanup(CvCore* core, CvFile* file) {
    CvBinding* binding = HeldBinding(core, file);
    if (binding != NULL) {
        binding->owner = NULL;
    }
    CvFileInit(file);
}

int CvNextBound(const CvCore* core, int after) {
    for (int i = after < 0 ? 0 : after + 1; i < CV_MAX_BINDINGS; ++i) {
        if (core->bindings[i].state == CV_BINDING_BOUND) {
            return i;
        }
    }
    return -1;
}
