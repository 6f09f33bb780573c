#include "platform/Terminal.h"

#include <unistd.h>

namespace orv::platform {

bool StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

}  // namespace orv::platform
