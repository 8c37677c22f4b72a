// OstrelDll: general-purpose utilities (settings files, system helpers, amounts in Chinese numerals).
// Plain C++ without Qt. Strings are UTF-16 (std::u16string); "by ref" parameters are non-const references.
#pragma once

#include <cstdint>
#include <string>

class OstrelOperateSysS {
};

class OstrelDiskFileS {
public:
    // Value of key in section clsName of the settings file, or "" when the file, section or key is missing.
    // The value is cut to the first 101 bytes of the locale's character set. IniFilePath is left unchanged.
    std::u16string GetIniValue(std::u16string clsName, std::u16string key, std::u16string& IniFilePath);
    // Stores KeyValue under key in section clsName, creating file, section and key as needed and keeping
    // every other line. Failures are not reported; the file is replaced atomically, never left half written.
    void SetIniValue(std::u16string clsName, std::u16string key, std::u16string KeyValue, std::u16string& IniFilePath);
};

class OstrelInternetS {
};

class OstrelFunctionS {
};
