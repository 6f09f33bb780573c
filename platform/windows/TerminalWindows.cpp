#include "platform/Terminal.h"

#include <cstdio>
#include <io.h>

namespace orv::platform {

// The C runtime's answer also covers a console handle that was redirected.
bool StandardErrorIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

}  // namespace orv::platform
