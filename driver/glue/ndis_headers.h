#pragma once
/* The DDK's NDIS 5.0 headers, made to compile: ntddndis.h and ndis.h both declare the request
 * type enumeration (the first copy is renamed away), one declaration in ndis.h lacks a comma
 * between its parameters (it is turned into one we never call), and ndis.h defines again the
 * protocol identifiers ntddndis.h defined (they are undefined in between). */

#define NDIS50 1

/* In the order ndis.h includes them: each needs the one before. */
/* clang-format off */
#include <ntddk.h>
#include <netpnp.h>
#include <ntstatus.h>
/* clang-format on */

typedef int NDIS_STATUS, *PNDIS_STATUS;

#define _NDIS_REQUEST_TYPE CvUnusedRequestTypeTag
#define NDIS_REQUEST_TYPE CvUnusedRequestType
#define PNDIS_REQUEST_TYPE CvUnusedRequestTypePointer
#define NdisRequestQueryInformation CvUnusedQueryInformation
#define NdisRequestSetInformation CvUnusedSetInformation
#define NdisRequestQueryStatistics CvUnusedQueryStatistics
#define NdisRequestOpen CvUnusedOpen
#define NdisRequestClose CvUnusedClose
#define NdisRequestSend CvUnusedSend
#define NdisRequestTransferData CvUnusedTransferData
#define NdisRequestReset CvUnusedReset
#define NdisRequestGeneric1 CvUnusedGeneric1
#define NdisRequestGeneric2 CvUnusedGeneric2
#define NdisRequestGeneric3 CvUnusedGeneric3
#define NdisRequestGeneric4 CvUnusedGeneric4
#include <ntddndis.h>
#undef _NDIS_REQUEST_TYPE
#undef NDIS_REQUEST_TYPE
#undef PNDIS_REQUEST_TYPE
#undef NdisRequestQueryInformation
#undef NdisRequestSetInformation
#undef NdisRequestQueryStatistics
#undef NdisRequestOpen
#undef NdisRequestClose
#undef NdisRequestSend
#undef NdisRequestTransferData
#undef NdisRequestReset
#undef NdisRequestGeneric1
#undef NdisRequestGeneric2
#undef NdisRequestGeneric3
#undef NdisRequestGeneric4

#undef NDIS_PROTOCOL_ID_DEFAULT
#undef NDIS_PROTOCOL_ID_TCP_IP
#undef NDIS_PROTOCOL_ID_IPX
#undef NDIS_PROTOCOL_ID_NBF
#undef NDIS_PROTOCOL_ID_MAX
#undef NDIS_PROTOCOL_ID_MASK

#define NdisMWanIndicateReceiveComplete(parameters) CvUnusedWanIndicateReceiveComplete(void)
#include <ndis.h>
#undef NdisMWanIndicateReceiveComplete
