#include "StderrTerminal.h"

#include <unistd.h>

namespace orvhost {

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace orvhost
