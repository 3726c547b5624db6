// A command's own request: the one it pushes over the request it was started
// on, waits on while it runs, and closes at its end.
#pragma once
#include "app/cmd.h"

// Makes a request of `kind` with `prompt` that returns to the record's state
// and pushes it. The request, or null when it could not be made or pushed:
// nothing of it is left behind then.
Request* CMD_PushOwnRequest(const CommandRecord* record, int kind, int prompt);
// The plain end of a command on its own request `own`: closes it, shows the
// prompt of the request below, ends the record and clears the busy mark of
// the request below. CMD_STATE_WAIT.
int CMD_EndOnOwnRequest(CommandRecord* record, Request* own);
