// Reading the PDF printer's output on the host, from a Windows program under Wine.
#include "printed_pdf.h"

#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

// Runs a shell command on the host: Wine starts Unix programs but does not wait for them, so
// the output file appears whole, by a rename, when the command is done.
std::string Host(std::string command) {
    static int serial;
    std::string out =
        "/tmp/tamsi-host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    for (size_t at = 0; (at = command.find('"', at)) != std::string::npos; at += 2)
        command.insert(at, "\\");
    std::string line =
        "/bin/sh -c \"(" + command + ") >" + out + ".part 2>&1; mv " + out + ".part " + out + "\"";
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &start, &process))
        return "";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string windowsPath = "Z:" + out;
    for (char& c : windowsPath) c = c == '/' ? '\\' : c;
    for (int i = 0; i < 600 && GetFileAttributesA(windowsPath.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++i)
        Sleep(50);
    std::string text;
    if (FILE* file = fopen(windowsPath.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
        fclose(file);
    }
    DeleteFileA(windowsPath.c_str());
    return text;
}

Outcome Printed() {
    std::string mark = "/tmp/tamsi-print-mark-" + std::to_string(GetCurrentProcessId());
    std::string text = Host(
        "while lpstat -o PDF | grep -q .; do sleep 0.2; done; lpstat -W completed -o PDF | wc -l;"
        " f=$(find \"$TAMSI_PDF_DIR\" -name '*.pdf' -newer " +
        mark +
        " -printf '%T@ %p\\n'"
        " 2>/dev/null | sort -n | tail -1 | cut -d' ' -f2-); touch " +
        mark +
        ";"
        " [ -z \"$f\" ] && exit;"
        " echo $(pdfinfo \"$f\" | sed -n 's/^Title: *//p'): $(pdfinfo \"$f\" | sed -n"
        " 's/^Pages: *//p'), $(pdfinfo -l 99 \"$f\" | grep -c 'rot: *90$'):"
        " $(pdftotext \"$f\" - | grep -o 'Distance: [0-9.]*')");
    size_t lineEnd = text.find('\n');
    std::string pdf = lineEnd == std::string::npos ? "" : text.substr(lineEnd + 1);
    while (!pdf.empty() && pdf.back() == '\n') pdf.pop_back();
    return {atoi(text.c_str()), pdf};
}
