// The canvas's keyboard and choice entries: a text, real, integer or
// coordinate request (or a parts-list or file choice) on top of the request
// stack is answered through the input library's entry windows.
//
// Entry results: 1 confirmed (answer 0), 2 cancelled or the alternative
// (answer 3), 0 no window (answer 4); anything else answers nothing and the
// command keeps waiting.
#include <cstring>

#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/xwinput.h"
#include "view/cnv.h"

namespace {

int AnswerOf(int result)
{
    switch (result) {
    case 1: return ANS_INPUT;
    case 2: return ANS_FINISH;
    case 0: return ANS_CANCEL;
    default: return -1;
    }
}

int RunEntry(HWND hWnd, int kind, void* block)
{
    switch (kind) {
    case REQ_STRING: {
        StringIO* io = (StringIO*)block;
        // The text buffer holds 63 bytes and its NUL, whatever length the
        // block asks for.
        int maxLength = io->maxLength;
        if (maxLength < 0 || maxLength > (int)sizeof(io->text) - 1) maxLength = (int)sizeof(io->text) - 1;
        return XWinputString(hWnd, io->text, maxLength, io->word, io->mode);
    }
    case REQ_REAL: {
        RealEntry* e = (RealEntry*)block;
        double value = e->value;
        int r = XWinputFloat(hWnd, &value, e->minimum, e->maximum, 1, e->word);
        e->value = value;
        return r;
    }
    case REQ_INTEGER: {
        IntegerEntry* e = (IntegerEntry*)block;
        int32_t value = e->value;
        int r = XWinputInteger(hWnd, &value, e->minimum, e->maximum, 1, e->word);
        e->value = value;
        return r;
    }
    case REQ_COORD: {
        CoordEntry* e = (CoordEntry*)block;
        int32_t pair[2] = {e->x, e->y};
        int r = XWinputZahyou2(hWnd, pair, e->minimum, e->maximum, e->minimum, e->maximum, 1, e->word);
        e->x = pair[0];
        e->y = pair[1];
        return r;
    }
    case REQ_PARTS_LIST:
        return CNV_PartsListChoice(hWnd, block) ? 1 : 0;
    case REQ_FILE:
        return CNV_FileChoice(hWnd, block) ? 1 : 0;
    }
    return -1;
}

}  // namespace

void CNV_OnEntryRequest(HWND hWnd, int kind)
{
    Request* request = DIN_TopRequest();
    if (!request || DIN_GetKind(request) != kind || !request->dataBlock) return;
    CNV_CancelDrag();
    int result = RunEntry(hWnd, kind, request->dataBlock);
    UpdateWindow(hWnd);
    // The two choices answer 0 for any non-zero result.
    if ((kind == REQ_PARTS_LIST || kind == REQ_FILE) && result != 0) result = 1;
    int answer = AnswerOf(result);
    if (answer >= 0) DIN_CompleteRequest(answer, 0, 0);
}

int CNV_PartsListChoice(HWND hWnd, void* block)
{
    // Waiting for the parts-list choice (dialog 166 with PLB_SelectDlgProc):
    // until it exists, the choice is cancelled.
    (void)hWnd;
    (void)block;
    return 0;
}

int CNV_FileChoice(HWND hWnd, void* block)
{
    // Waiting for the part-file choice (PLB_VEROraruvPartsDlgReadHD): until
    // it exists, the choice is cancelled.
    (void)hWnd;
    (void)block;
    return 0;
}

int CNV_GetViaHoleSize(const ViaDef* via)
{
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    int size = 0;
    int drill = via ? TVT_Get_DrlNo(via) : 0;
    if (drill >= 1) {
        if (HoleEntry* hole = THL_Get_HoleTblRec(ctx, drill)) size = (int)(uint32_t)THL_GetHoleSize(ctx, hole);
    }
    DDM_Close(ctx);
    return size;
}
