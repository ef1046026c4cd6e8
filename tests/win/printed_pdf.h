// What the PDF printer made of a print job, read on the host with poppler's tools.
#pragma once
#include <string>

// Runs a shell command on the host and returns what it wrote.
std::string Host(std::string command);

// Once the PDF printer is idle: the number of jobs it completed, and what the newest PDF made
// since the last call shows ("title: pages, pages turned to landscape: distance per page").
struct Outcome {
    int jobs;
    std::string pdf;
};
Outcome Printed();
