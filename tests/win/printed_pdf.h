// What the PDF printer made of a print job, read on the host with poppler's tools.
#pragma once
#include <string>

// Writes a finished workout of the given distance as the row file of startTime in folder.
void WriteWorkout(const std::string& folder, int startTime, double metres);

// Runs a shell command on the host and returns what it wrote.
std::string Host(std::string command);

// Once the PDF printer is idle, what the newest PDF made since the last call shows ("title:
// pages, pages turned to landscape: distance per page"), or "" when none was made.
std::string Printed();
