#pragma once
/* The control device opens for SYSTEM and the Administrators only, whatever the default
 * security of a new device would be. */

#include "driver/glue/ndis_headers.h"

NTSTATUS CvRestrictToAdministrators(PDEVICE_OBJECT device);
