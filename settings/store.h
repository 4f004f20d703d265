// The settings store: the settings record's values in the registry, and their removal.
//
// The values live in one key, "Software\Brindlewick Software\Dropstakk", in the 32-bit view of
// the registry, so that a 64-bit build shares them with a 32-bit one. The key is machine-wide
// (HKEY_LOCAL_MACHINE), except where Windows refuses a program that is not elevated to write
// there: then the settings are saved under HKEY_CURRENT_USER, and once that key exists it is the
// one saved. Each value is loaded from the current user's key where that key holds it, else from
// the current user's VirtualStore copy of the machine-wide key (where Windows kept the writes of
// the earlier builds, which carried no manifest), else from the machine-wide key. A player with a
// VirtualStore copy is saved under the current user too. What is taken of the stored bytes, and
// how a save meets another running copy's, is decided in stored_values.h.
#pragma once

#include <cstdint>

#include "settings/settings.h"
#include "settings/stored_values.h"

// Fills every stored field of the record from the registry, or with its default where a value is
// absent, of the wrong size or out of range; returns the record. The derived client size is left
// to the layout.
Settings* LoadSettings(Settings* record);

// Writes all seven values, merged with what the store holds now (see MergeSettings); the merged
// table becomes the record's. Returns false, with the values after the failing one unwritten, if
// the store refuses a write.
bool TrySaveSettings(Settings* record);

// The same, where a failure is fatal: the save at quit.
void SaveSettings(Settings* record);

// Takes the table the store holds now, with this copy's entries not yet saved merged in.
void TakeStoredHiScores(Settings* record);

// Deletes the program's key from both hives and the current user's VirtualStore copies, and the
// keys of its earlier maker from the machine-wide hive; ignores failures.
void Uninstall();

// One 32-bit value of the store, or the default when it is absent or not exactly 4 bytes.
int32_t ReadDwordValue(const char* name, int32_t defaultValue);

// Creates the store's key if needed and writes one REG_DWORD. A failure is fatal.
void WriteDwordValue(const char* name, int32_t value);
