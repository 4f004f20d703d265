// Reads arbitrary command lines: only the two spellings of the switch, after leading bytes of
// 32 or less or 128 or more, in any case, uninstall; and nothing is read past the line's NUL
// (the line is allocated to its exact length, so AddressSanitizer sees any read beyond).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A command line holds bytes 1 to 255; a NUL ends it.
    std::string line;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != 0) {
            line.push_back(static_cast<char>(data[i]));
        }
    }
    char* exact = new char[line.size() + 1];
    line.copy(exact, line.size());
    exact[line.size()] = '\0';
    const bool uninstalls = IsUninstallSwitch(exact);
    delete[] exact;

    // What is left once the leading bytes of 32 or less and of 128 or more are dropped.
    std::string rest;
    for (const char byte : line) {
        const unsigned char c = static_cast<unsigned char>(byte);
        if (!rest.empty() || (c > 32 && c < 128)) {
            rest.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : static_cast<char>(c));
        }
    }
    const bool expected = rest == "/uninstall" || rest == "-uninstall";
    if (uninstalls != expected) {
        std::fprintf(stderr, "command_line_fuzz: \"%s\" %s the switch\n", line.c_str(),
                     uninstalls ? "taken for" : "not taken for");
        std::abort();
    }
    return 0;
}
