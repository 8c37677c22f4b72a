#include "ProfileFile.h"
#include "OstrelNarrow.h"

#include <cstdio>
#include <cwctype>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace ProfileFile {

namespace {
struct Line {
    std::string text;      // without its line ending
};

std::string Trim(const std::string& s)
{
    const char* blanks = " \t\r\n";
    const size_t b = s.find_first_not_of(blanks);
    if (b == std::string::npos) return std::string();
    const size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool SameName(const std::string& narrow, const std::u16string& name)
{
    const std::u16string a = OstrelNarrow::Decode(narrow);
    if (a.size() != name.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(name[i])) return false;
    return true;
}

bool ReadLines(const std::string& path, std::vector<Line>& lines, bool& crlf)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string all = ss.str();
    crlf = all.find("\r\n") != std::string::npos || all.find('\n') == std::string::npos;
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        std::string text = all.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        lines.push_back({text});
        start = end + 1;
    }
    return true;
}

// "[name]" -> name; returns false for other lines.
bool SectionName(const std::string& line, std::string& name)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// "key = value" -> key, value; comment lines and lines without "=" are not entries.
bool Entry(const std::string& line, std::string& key, std::string& value)
{
    const std::string t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#') return false;
    const size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

// Where the section starts (its header line) and ends (one past its last entry line); -1 when missing.
void FindSection(const std::vector<Line>& lines, const std::u16string& section, long& header, long& end)
{
    header = -1;
    end = -1;
    std::string name;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!SectionName(lines[i].text, name)) continue;
        if (header >= 0) break;
        if (SameName(name, section)) header = static_cast<long>(i);
    }
    if (header < 0) return;
    end = header + 1;
    for (size_t i = header + 1; i < lines.size(); ++i) {
        if (SectionName(lines[i].text, name)) break;
        if (!Trim(lines[i].text).empty()) end = static_cast<long>(i) + 1;
    }
}
} // namespace

std::string Read(const std::string& path, const std::u16string& section, const std::u16string& key)
{
    std::vector<Line> lines;
    bool crlf = true;
    if (!ReadLines(path, lines, crlf)) return std::string();
    long header, end;
    FindSection(lines, section, header, end);
    if (header < 0) return std::string();
    std::string k, v;
    for (long i = header + 1; i < end; ++i) {
        if (!Entry(lines[i].text, k, v) || !SameName(k, key)) continue;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return v;
    }
    return std::string();
}

bool Write(const std::string& path, const std::u16string& section, const std::u16string& key, const std::string& value)
{
    std::vector<Line> lines;
    bool crlf = true;
    ReadLines(path, lines, crlf);
    long header, end;
    FindSection(lines, section, header, end);
    const std::string keyText = OstrelNarrow::Encode(key);
    const std::string entry = keyText + "=" + value;
    if (header < 0) {
        if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back({std::string()});
        lines.push_back({"[" + OstrelNarrow::Encode(section) + "]"});
        lines.push_back({entry});
    } else {
        bool replaced = false;
        std::string k, v;
        for (long i = header + 1; i < end && !replaced; ++i) {
            if (Entry(lines[i].text, k, v) && SameName(k, key)) {
                lines[i].text = k + "=" + value;
                replaced = true;
            }
        }
        if (!replaced) lines.insert(lines.begin() + end, {entry});
    }

    // Write beside the file and rename over it, so a crash leaves the old or the new file, never half of one.
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        const char* eol = crlf ? "\r\n" : "\n";
        for (const Line& l : lines) out << l.text << eol;
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace ProfileFile
