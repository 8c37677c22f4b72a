// The settings-file members of OstrelDiskFileS.
#include "OstrelDll.h"
#include "OstrelNarrow.h"
#include "ProfileFile.h"

namespace {
// The classic read buffer held 102 bytes: at most 101 bytes of value and its terminating NUL.
constexpr size_t kReadBufferBytes = 102;

} // namespace

std::u16string OstrelDiskFileS::GetIniValue(std::u16string clsName, std::u16string key, std::u16string& IniFilePath)
{
    std::string value = ProfileFile::Read(OstrelNarrow::Utf8(IniFilePath), clsName, key);
    const size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    return OstrelNarrow::Decode(OstrelNarrow::CutToBytes(value, kReadBufferBytes - 1));
}

void OstrelDiskFileS::SetIniValue(std::u16string clsName, std::u16string key, std::u16string KeyValue,
                                  std::u16string& IniFilePath)
{
    ProfileFile::Write(OstrelNarrow::Utf8(IniFilePath), clsName, key, OstrelNarrow::Encode(KeyValue));
}
