// TEMPORARY STUB until the real update check (UpdateCheck.cpp) is merged:
// shows nothing and reports that no check was made.
#include "UpdateCheck.h"

int CheckForUpdate(Graphics& /*graphics*/)
{
    return -1;
}
