// Stepping to the next or the previous input grid of the current grid
// group: the first defined slot after (before) the current one, going round;
// nothing changes when no other slot is defined.
#include "app/cmd.h"
#include "app/cmd_procs.h"
#include "app/din.h"
#include "platform/qzt_grid.h"
#include "view/bar.h"
#include "view/view.h"

namespace {

int Step(Request* request, int direction)
{
    GridObject* grid = GRD_GetObject();
    if (!grid || grid->currentGroup < 0 || grid->currentGroup > 7) return CMD_STATE_WAIT;
    int old = DIN_SetBusy(1, request);
    GridGroupRec& g = grid->group[grid->currentGroup];
    int current = g.activeSlot <= 4 ? g.activeSlot : 0;
    for (int k = 1; k < 5; ++k) {
        int slot = (current + direction * k + 5) % 5;
        if (g.slot[slot] < 0) continue;
        g.activeSlot = (uint16_t)slot;
        VIEW_EraseCursorFigures();
        CNV_FullRepaint();
        BAR_SettingShowGridName();
        break;
    }
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}

}  // namespace

int VIEW_NextInputGrid(CommandRecord* record, int resumed, Request* request) { return Step(request, 1); }

int VIEW_PrevInputGrid(CommandRecord* record, int resumed, Request* request) { return Step(request, -1); }
