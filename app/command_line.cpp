#include "app/command_line.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(const char* text, const char* word) {
    for (; *text != '\0' && *word != '\0'; ++text, ++word) {
        if (LowerAscii(*text) != LowerAscii(*word)) {
            return false;
        }
    }
    return *text == '\0' && *word == '\0';
}

} // namespace

bool IsUninstallSwitch(const char* commandLine) {
    // Blanks, control characters and every byte of 128 or more before the switch are skipped.
    while (*commandLine != '\0' && static_cast<signed char>(*commandLine) <= 32) {
        ++commandLine;
    }
    return EqualIgnoringCase(commandLine, "/uninstall") ||
           EqualIgnoringCase(commandLine, "-uninstall");
}
