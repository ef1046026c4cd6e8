// Loading a language's text table and relabelling the main menu with it.
#pragma once

// name is "ENGLISH" or "DANISH", a TEXT resource of the program.
void LoadLanguage(const char* name);
