// Whether the standard error stream goes to a terminal, which decides if
// progress is shown by default.
// This is the one operating-system query orvhost makes itself; it belongs
// behind a platform/ service header next to the others.
#pragma once

namespace orvhost {

bool StderrIsTerminal();

}  // namespace orvhost
