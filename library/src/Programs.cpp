#include "Programs.h"

#include <cerrno>
#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace OstrelPrograms {

namespace {
bool IsExecutable(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::vector<char*> Argv(const std::string& program, const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

pid_t Spawn(const std::string& program, const std::vector<std::string>& args)
{
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    std::vector<char*> argv = Argv(program, args);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    return rc == 0 ? pid : -1;
}

int Wait(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

std::string Find(const std::string& name, const std::vector<std::string>& extraFolders)
{
    std::vector<std::string> folders;
    if (const char* path = std::getenv("PATH")) {
        std::string p = path;
        size_t start = 0;
        while (start <= p.size()) {
            size_t end = p.find(':', start);
            if (end == std::string::npos) end = p.size();
            if (end > start) folders.push_back(p.substr(start, end - start));
            start = end + 1;
        }
    }
    folders.insert(folders.end(), extraFolders.begin(), extraFolders.end());
    for (const std::string& folder : folders) {
        const std::string candidate = folder + "/" + name;
        if (IsExecutable(candidate)) return candidate;
    }
    return {};
}

int Run(const std::string& program, const std::vector<std::string>& args)
{
    const pid_t pid = Spawn(program, args);
    return pid < 0 ? -1 : Wait(pid);
}

bool StartDetached(const std::string& program, const std::vector<std::string>& args)
{
    // A short-lived intermediate process starts the program and exits at once, so the program is
    // adopted by init and never waits as a zombie on a caller that does not reap it. Between fork and
    // exec only async-signal-safe calls are made: the caller may have threads of its own.
    std::vector<char*> argv = Argv(program, args);
    const pid_t middle = fork();
    if (middle < 0) return false;
    if (middle == 0) {
        const pid_t pid = fork();
        if (pid == 0) {
            setsid();
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        _exit(pid < 0 ? 1 : 0);
    }
    return Wait(middle) == 0;
}

} // namespace OstrelPrograms
