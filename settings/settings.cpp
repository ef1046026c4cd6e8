// The program-wide settings record.
#include "settings/settings.h"

Settings settings;
