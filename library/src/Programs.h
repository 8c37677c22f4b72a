// Starting the system's own programs (power service, dial-up daemon).
#pragma once

#include <string>
#include <vector>

namespace OstrelPrograms {

// Full path of an executable named name on $PATH, then in extraFolders; "" when there is none.
std::string Find(const std::string& name, const std::vector<std::string>& extraFolders = {});

// Runs program with args and waits for it; the exit status, or -1 when it could not start or was killed.
int Run(const std::string& program, const std::vector<std::string>& args);

// Starts program with args in a session of its own and does not wait (nor leave a zombie behind).
bool StartDetached(const std::string& program, const std::vector<std::string>& args);

} // namespace OstrelPrograms
