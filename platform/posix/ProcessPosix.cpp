#include "platform/Process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orv::platform {

namespace {

constexpr size_t kReadChunk = 4096;

struct CStrings {
    explicit CStrings(const std::vector<std::string>& strings)
    {
        for (const std::string& s : strings)
            pointers.push_back(const_cast<char*>(s.c_str()));
        pointers.push_back(nullptr);
    }
    char** Get() { return pointers.data(); }
    std::vector<char*> pointers;
};

std::string ValueOf(const std::vector<std::string>& environment, const std::string& name)
{
    const std::string prefix = name + "=";
    for (const std::string& entry : environment)
        if (entry.compare(0, prefix.size(), prefix) == 0)
            return entry.substr(prefix.size());
    return {};
}

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> CurrentEnvironment()
{
    std::vector<std::string> result;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry)
        result.emplace_back(*entry);
    return result;
}

std::string FindProgram(const std::string& name, const std::vector<std::string>& environment)
{
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? name : std::string();
    const std::string path = ValueOf(environment, "PATH");
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string folder = end > start ? path.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

ChildProcess::~ChildProcess()
{
    if (pid > 0 && !exited) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    if (outputFd >= 0)
        close(outputFd);
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    if (argv.empty() || pid > 0)
        return false;
    const std::string program = FindProgram(argv[0], environment);
    if (program.empty())
        return false;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    CStrings args(argv);
    CStrings env(environment);
    pid_t child = -1;
    const int failed = posix_spawn(&child, program.c_str(), &actions, nullptr, args.Get(), env.Get());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (failed != 0) {
        close(pipeFds[0]);
        return false;
    }
    pid = child;
    outputFd = pipeFds[0];
    fcntl(outputFd, F_SETFL, fcntl(outputFd, F_GETFL) | O_NONBLOCK);
    return true;
}

bool ChildProcess::Poll()
{
    if (pid <= 0)
        return true;
    if (outputFd >= 0) {
        char chunk[kReadChunk];
        for (;;) {
            const ssize_t got = read(outputFd, chunk, sizeof chunk);
            if (got > 0) {
                output.append(chunk, static_cast<size_t>(got));
                continue;
            }
            if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                close(outputFd);  // end of output
                outputFd = -1;
            }
            break;
        }
    }
    if (!exited) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    if (exited && outputFd >= 0) {
        // What it wrote just before it ended; a descendant holding the pipe
        // open must not keep us waiting.
        char chunk[kReadChunk];
        ssize_t got = 0;
        while ((got = read(outputFd, chunk, sizeof chunk)) > 0)
            output.append(chunk, static_cast<size_t>(got));
        close(outputFd);
        outputFd = -1;
    }
    return exited;
}

bool SpawnDetached(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    if (argv.empty())
        return false;
    const std::string program = FindProgram(argv[0], environment);
    if (program.empty())
        return false;
    // A shell in a session of its own starts the program in the background
    // and ends at once: the program is then nobody's child of ours (no
    // zombie), and the host's terminal signals never reach it.
    std::vector<std::string> shellArgv{"/bin/sh", "-c", "\"$@\" </dev/null >/dev/null 2>&1 &", "sh", program};
    shellArgv.insert(shellArgv.end(), argv.begin() + 1, argv.end());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    CStrings args(shellArgv);
    CStrings env(environment);
    pid_t shell = -1;
    const int failed = posix_spawn(&shell, "/bin/sh", nullptr, &attributes, args.Get(), env.Get());
    posix_spawnattr_destroy(&attributes);
    if (failed != 0)
        return false;
    int status = 0;
    while (waitpid(shell, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace orv::platform
