// Starting other programs: a helper whose answer we wait for (a dialog
// tool), and a detached one we never hear from again (the web browser).
#pragma once

#include <string>
#include <vector>

namespace orv::platform {

// A started program whose standard output is collected until it exits.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // a program still running is killed and reaped
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Runs argv[0], looked up in the PATH of `environment` (entries
    // "NAME=value"), with that environment. False when it could not start.
    bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    // Collects output and checks for the exit without blocking; true once
    // the program has exited (then ExitCode and Output are final).
    bool Poll();
    // A descriptor that becomes readable when there is output or the program
    // ends, for a wait that also watches other descriptors; -1 when none.
    int WaitDescriptor() const { return outputFd; }
    int ExitCode() const { return exitCode; }
    const std::string& Output() const { return output; }

private:
    int pid = -1;
    int outputFd = -1;
    int exitCode = -1;
    bool exited = false;
    std::string output;
};

// Starts the program in a session of its own and forgets it: it outlives
// us, is never a zombie of ours and never blocks the caller.
bool SpawnDetached(const std::vector<std::string>& argv, const std::vector<std::string>& environment);

// Where the program called name is in the PATH of environment; "" when none.
std::string FindProgram(const std::string& name, const std::vector<std::string>& environment);

// This process's environment as "NAME=value" entries.
std::vector<std::string> CurrentEnvironment();

}  // namespace orv::platform
