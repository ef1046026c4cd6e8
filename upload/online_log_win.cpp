// The online log upload; the requests come with the upload itself.
#include "upload/online_log.h"

void UpdateOnlineLog() {}
