#include "startup/Settings.h"
#include "ModExplor.h"

#include <OstrelDll.h>

namespace Settings {

QString Read(const QString& key, const QString& path)
{
    OstrelDiskFileS file;
    std::u16string p = path.toStdU16String();
    return QString::fromStdU16String(file.GetIniValue(Section.toStdU16String(), key.toStdU16String(), p));
}

void Write(const QString& key, const QString& value, const QString& path)
{
    OstrelDiskFileS file;
    std::u16string p = path.toStdU16String();
    file.SetIniValue(Section.toStdU16String(), key.toStdU16String(), value.toStdU16String(), p);
}

void LoadIntoGlobals()
{
    using namespace ModExplor;
    IniFilePath = GetWindowsFolder() + FileName;
    LanguageFlag = Read(LanguageKey, IniFilePath);
    DataPath = Read(SavePathKey, IniFilePath);
    if (!DataPath.endsWith('/')) DataPath += '/';
}

} // namespace Settings
