// Outside Windows the host is never Adobe Premiere.
#include "host/HostIdentity.h"

bool IsPremiereHost() { return false; }
