// The figure-line information command: pick the line or arc under each point
// given, mark it, show it in the information dialog, release it. It asks for
// points until finish or cancel, and never agrees to give way to another
// command of its level: the user ends it first.
#include "app/cmd.h"
#include "app/cmd_own_request.h"
#include "edit/line_info.h"
#include "edit/pick_line.h"
#include "view/bar.h"
#include "view/cnv.h"

namespace {

constexpr int PROMPT_PICK_LINE = 13;  // "ラインを指定して下さい"
constexpr int LINE_KIND_LINES = 1;    // lines, arcs, pins and VIAs

int Start(CommandRecord* record, Request* request)
{
    if (!CMD_Push(record)) {
        DIN_SetBusy(0, request);
        return CMD_STATE_WAIT;
    }
    BAR_FuncSetLineKind(LINE_KIND_LINES);
    Request* own = CMD_PushOwnRequest(record, REQ_POINT1, PROMPT_PICK_LINE);
    if (!own) {
        // Without a request of its own the command could never be answered
        // and the request below would stay busy: it ends at once.
        CMD_End(record);
        DIN_SetBusy(0, request);
        return CMD_STATE_WAIT;
    }
    DIN_SetBusy(0, own);
    return CMD_STATE_WAIT;
}

void ShowLineAt(CommandRecord* record, POINT point)
{
    void* page = nullptr;
    LineRecord* line = PICK_LineAtPoint(PICK_KIND_ALL, &point, &page);
    if (!line) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    PICK_SetItemMark(line, 1, page);
    LinePickBlock block = {page, line};
    INFO_LineDlgOpen(record->hWndCanvas ? record->hWndCanvas : CNV_GetWindow(), &block);
    PICK_SetItemMark(line, 0, page);
}

}  // namespace

int INFO_AppLineInfo(CommandRecord* record, int resumed, Request* request)
{
    DIN_SetBusy(1, request);
    if (!resumed) return Start(record, request);
    switch (DIN_GetAnswer(request)) {
    case ANS_INPUT: {
        if (DIN_GetPointCount(request) < 1) {
            // An answer without a point picks nothing.
            MessageBeep(MB_ICONASTERISK);
            DIN_SetBusy(0, request);
            return CMD_STATE_WAIT;
        }
        uint64_t p = DIN_GetPoint(1, request);
        DIN_DropPoint(request);
        ShowLineAt(record, POINT{(LONG)(int32_t)(uint32_t)p, (LONG)(int32_t)(uint32_t)(p >> 32)});
        DIN_SetBusy(0, request);
        return CMD_STATE_WAIT;
    }
    case ANS_FINISH:
    case ANS_CANCEL:
        if (CMD_ClearCoordModes()) {
            DIN_SetBusy(0, request);
            return CMD_STATE_WAIT;
        }
        return CMD_EndOnOwnRequest(record, request);
    case ANS_OPTION:
        DIN_SetBusy(0, request);
        return CMD_STATE_WAIT;
    default:
        // The cancel query and end now included: an information command
        // does not agree to be cancelled.
        DIN_SetBusy(0, request);
        return CMD_STATE_MENU_SELECT;
    }
}
