// The folders Tamsi works in, chosen once at start-up.
#pragma once

// Sets programDirectory from the command line, and baseDirectory to it when it can be written;
// otherwise to %LOCALAPPDATA%\Tamsi (made if missing), into which a Tamsi.ini beside the
// program is copied the first time.
void ChooseBaseDirectory(const char* commandLine);
