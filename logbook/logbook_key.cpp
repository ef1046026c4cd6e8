// The key the logbook's maker issued for this copy, from the build settings
// TAMSI_LOGBOOK_CLIENT_ID, TAMSI_LOGBOOK_CLIENT_SECRET and TAMSI_LOGBOOK_PORT.
#include "logbook/logbook_key.h"

const char* const logbookClientId = TAMSI_LOGBOOK_CLIENT_ID;
const char* const logbookClientSecret = TAMSI_LOGBOOK_CLIENT_SECRET;
const int logbookRedirectPort = TAMSI_LOGBOOK_PORT;
