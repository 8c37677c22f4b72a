// Scratch folders and environment changes that a library test undoes when it ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class ScratchFolder {
public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/ostrel-test-XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // An executable shell script; tests put stand-ins for system programs on PATH with it.
    std::string script(const std::string& name, const std::string& body) const
    {
        const std::string p = file(name);
        std::ofstream(p) << "#!/bin/sh\n" << body << "\n";
        chmod(p.c_str(), 0755);
        return p;
    }

private:
    std::string path_;
};

// Sets (or with nullopt unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
