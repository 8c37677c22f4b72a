// A table or column name quoted for a SQLite statement.
#pragma once

#include <string>

namespace jet {

inline std::string QuoteSqlName(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace jet
