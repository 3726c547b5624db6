// The report of a changed option to the running command: answer code 7
// through the request channel. With no command waiting the channel drops
// it; the panel has written its block already, so the command finds the
// new value when it next reads it.
#include "app/din.h"
#include "panels/pnl.h"

void PNL_ReportChange(int word, intptr_t value)
{
    DIN_CompleteRequest(ANS_OPTION, word, value);
}
