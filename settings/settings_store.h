// Loading the settings at start-up and saving them at shut-down.
#pragma once

// Fills the global Settings from Tamsi.ini in the base directory, or with the defaults.
void LoadSettings();
// Writes the global Settings whole; tells the rower in a warning box when it cannot.
void SaveSettings();
