// Reader and writer of initialisation files ("[section]" lines followed by "key=value" lines), with the
// matching rules of the classic private-profile calls: section and key names without regard to case,
// blanks around values removed, a value in matching quotes returned without them.
#pragma once

#include <string>

namespace ProfileFile {
// The value in the file's narrow bytes, or "" when the file, section or key is missing.
std::string Read(const std::string& path, const std::u16string& section, const std::u16string& key);
// Writes key=value (value in narrow bytes) into section, creating file, section and key as needed and keeping
// every other line unchanged. The file is replaced by rename, so it is always the old or the new one.
bool Write(const std::string& path, const std::u16string& section, const std::u16string& key, const std::string& value);
}
