// The settings store: the settings record's values in the registry, and their removal.
//
// The values live in one key, "Software\Brindlewick Software\Dropstakk", in the 32-bit view of
// the registry, so that a 64-bit build shares them with a 32-bit one. The key is machine-wide
// (HKEY_LOCAL_MACHINE), except where Windows refuses a program that is not elevated to write
// there: then the settings are saved under HKEY_CURRENT_USER, and once that key exists it is the
// one loaded and saved.
#pragma once

#include <cstdint>

#include "settings/settings.h"

// Fills every stored field of the record from the registry, or with its default where a value is
// absent, of the wrong size or out of range; returns the record. The derived client size is left
// to the layout.
Settings* LoadSettings(Settings* record);

// Writes all seven values, changed or not. A failure is fatal.
void SaveSettings(const Settings* record);

// Deletes the program's keys, and those of its earlier maker, from both hives; ignores failures.
void Uninstall();

// One 32-bit value of the store's key, or the default when it is absent or not exactly 4 bytes.
int32_t ReadDwordValue(const char* name, int32_t defaultValue);

// Creates the store's key if needed and writes one REG_DWORD. A failure is fatal.
void WriteDwordValue(const char* name, int32_t value);

// Names every entry of the table "None" with score 0.
void SetDefaultHiScores(Settings* record);
