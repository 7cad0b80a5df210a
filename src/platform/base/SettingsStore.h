// The settings store that stands in for the registry: keys and values under the current
// user's software key, kept in one INI file ($XDG_CONFIG_HOME/Orvane/orvane.ini unless a
// test points it elsewhere). Key paths keep their registry form, e.g.
// "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\USB"; a value is addressed by key path and name.
// Every call reads or writes the file at once, so two running copies see each other's lists.
#pragma once

#include "WinTypes.h"

#include <string>
#include <vector>

namespace SettingsStore {
// Points the store at another INI file (tests); an empty path restores the default.
void SetFilePath(const std::string& path);
std::string FilePath();

bool KeyExists(const std::string& key);
// Creates the key (an empty key is remembered as existing).
void CreateKey(const std::string& key);
// Deletes the key with its values and subkeys.
void DeleteKey(const std::string& key);

bool HasValue(const std::string& key, const std::string& name);
std::string GetString(const std::string& key, const std::string& name, const std::string& def = "");
void SetString(const std::string& key, const std::string& name, const std::string& value);
int GetInt(const std::string& key, const std::string& name, int def = 0);
void SetInt(const std::string& key, const std::string& name, int value);
void DeleteValue(const std::string& key, const std::string& name);
// Value names of the key, sorted.
std::vector<std::string> ValueNames(const std::string& key);
}  // namespace SettingsStore
