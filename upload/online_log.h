// Sending results to the online ranking log.
#pragma once

// Tools, Update Online Log: sends every result recorded since the last successful upload.
void UpdateOnlineLog();
