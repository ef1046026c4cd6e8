// Reading the PDF printer's output on the host, from a Windows program under Wine.
#include "printed_pdf.h"

#include <windows.h>

#include <fstream>
#include <iomanip>
#include <sstream>

void WriteWorkout(const std::string& folder, int startTime, double metres) {
    std::ofstream file(folder + "\\data\\" + std::to_string(startTime) + ".csv");
    file << "Time,Distance,Pace,Watts,Cals,SPM,HR\n" << std::fixed;
    for (int i = 1; i <= 180; ++i)  // seven minutes at 26 strokes a minute
        file << 42000 * i / 180 << "," << std::setprecision(1) << metres * i / 180 << ","
             << std::setprecision(3) << 420 / metres << "," << 150 + i % 40 << "," << i / 2 << ","
             << 24 + i % 5 << "," << 120 + i / 6 << "\n";
}

// Wine starts Unix programs but does not wait for them: the output file appears whole, by a
// rename, when the command is done.
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
    const std::string path = "Z:" + out;
    for (int i = 0; i < 600 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    DeleteFileA(path.c_str());
    return text.str();
}

std::string Printed() {
    std::string text =
        Host("m=/tmp/tamsi-print-mark-" + std::to_string(GetCurrentProcessId()) +
             "; while lpstat -o PDF | grep -q .; do sleep 0.2; done; [ -e $m ] || touch $m;"
             " f=$(find \"$TAMSI_PDF_DIR\" -name '*.pdf' -newer $m -printf '%T@ %p\\n' | sort -n |"
             " tail -1 | cut -d' ' -f2-); [ -z \"$f\" ] && exit; touch -r \"$f\" $m;"
             " echo $(pdfinfo \"$f\" | sed -n 's/^Title: *//p'): $(pdfinfo \"$f\" | sed -n"
             " 's/^Pages: *//p'), $(pdfinfo -l 99 \"$f\" | grep -c 'rot: *90$'):"
             " $(pdftotext \"$f\" - | grep -o 'Distance: [0-9.]*')");
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}
