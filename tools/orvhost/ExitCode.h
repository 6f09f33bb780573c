// Exit statuses of orvhost, as scripts see them.
#pragma once

namespace orv::host {

enum ExitCode : int {
    kExitSuccess = 0,
    kExitFailure = 1,  // the plug-in could not be loaded or run, or a file could not be written
    kExitUsage = 2,    // the command line was wrong
};

}  // namespace orv::host
