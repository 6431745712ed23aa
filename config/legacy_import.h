// Import of the reduced settings that the program's older generation kept in
// "Tellaro.ini". The decisions live here; where the values come from and how
// folders are resolved is supplied by the caller. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "config/folder_model.h"
#include "config/options_record.h"

namespace tellaro {

// Reads values of the INI file, as the platform's profile functions do: the
// default comes back when a key is missing.
class LegacyIniReader {
public:
    virtual ~LegacyIniReader() = default;
    virtual int ReadInt(const char* section, const char* key, int defaultValue) = 0;
    virtual std::string ReadString(const char* section, const char* key,
                                   const char* defaultValue) = 0;
};

// What the import needs to know about the running system.
class LegacyImportResolver {
public:
    virtual ~LegacyImportResolver() = default;
    // File-system path of special folder table entry `entryIndex` (0-44), or
    // nothing for a folder the system doesn't know or that has no path.
    virtual std::optional<std::string> SpecialFolderPath(std::size_t entryIndex) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Text of the string-table entry `stringId`.
    virtual std::string DisplayName(int stringId) = 0;
};

namespace legacy_ini {
constexpr const char* kSection = "Setting";
// Stands in for a missing key: a value equal to it means the key is absent.
constexpr const char* kMissingMarker = "9D4E2B70_5C8F_11d3_A41C_00603F8B2D15";
constexpr int kMinimumVersion = 100;
constexpr int kMaxNumberedEntries = 100;
}  // namespace legacy_ini

// Replaces the folder list and the click, double-click and hotkey options
// with those of the INI. 0 when imported; -1 when the INI's version is too
// old or missing, and then nothing is changed. Order arrays and the options
// the INI never had are left alone.
int ImportLegacySettings(LegacyIniReader& reader, LegacyImportResolver& resolver,
                         OptionsRecord& options, FolderSettings& settings);

}  // namespace tellaro
