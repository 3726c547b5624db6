// Marks of picked lines, arcs and VIAs: the selection mark held while a
// command works on an element, with its reports to the concurrent-design
// service, and the deletion marks that box selections set.
#include "app/app.h"
#include "app/frame_state.h"
#include "edit/pick_line.h"
#include "platform/layout_page.h"
#include "platform/qztdll.h"
#include "view/cnv.h"
#include "view/line_highlight.h"

namespace {

constexpr uint32_t VIA_UNREPORTED = 0x01000000u;  // a VIA whose marks are not reported
constexpr uint32_t DELETE_SELECTED = 0x00000002u;  // selected by delete by kind

void Report(int op, int classCode, uint32_t elementNo)
{
    MDMC_UpdateData(nullptr, op, classCode, 0, 0, (int)elementNo, 0, 0, 0, 0, nullptr);
}

void EndBatch()
{
    MDMC_UpdateData(nullptr, 3, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
}

void Repaint(int classCode, void* record, void* page)
{
    HWND canvas = CNV_GetWindow();
    if (g_UseDirect2D || classCode == (int)PC_VIA) {
        // The canvas's realtime paint draws the record as its status says
        // (highlighted while it carries the selection mark). The flag bit of
        // the word is left clear: it would invert the drawing instead, which
        // a repaint of the canvas in between would leave wrong.
        // Waiting for: the VIA highlight painter of the mixing display, which
        // VIAs will use there instead.
        if (canvas) SendMessageA(canvas, WM_REALTIME_PAINT, (WPARAM)classCode, (LPARAM)record);
        return;
    }
    MEAS_PaintLineHighlight(page, record, 0, 1);
}

// Runs the line box search on the open design and sets the deletion mark on
// every hit; the count.
template <typename Fn>
int MarkHits(int x1, int y1, int x2, int y2, Fn search)
{
    POINT corners[4];
    OppositeAnglePnt2BoxPnt(x1, y1, x2, y2, corners);
    FrameState* fs = ROT_GetWindowData();
    DdmContext* ctx = DDM_Open(fs ? fs->hDesign : nullptr);
    HWND canvas = CNV_GetWindow();
    DisplaySC* sc = DSP_GetDisplaySC(canvas, nullptr, CNV_GetState());
    int count = 0;
    void* page = nullptr;
    for (LineRecord* r = search(sc, 1, corners, &page); r; r = search(sc, 0, corners, &page)) {
        r->status |= DELETE_SELECTED;
        ++count;
    }
    if (sc) DSP_ReleaseSC(canvas, sc);
    DDM_Close(ctx);
    return count;
}

}  // namespace

int PICK_SetItemMark(void* record, int flag, void* page)
{
    LineRecord* r = (LineRecord*)record;
    int classCode = 0;
    if (r) {
        switch (r->code) {
        case FC_LINE:
        case FC_ARC_CW:
        case FC_ARC_CCW: classCode = (int)PC_LINE; break;
        case FC_VIA: classCode = (int)PC_VIA; break;
        default: break;
        }
    }
    if (classCode) {
        r->status &= ~ES_DIALOG_MARK;
        if (flag) r->status |= ES_SELECTED;
        else r->status &= ~ES_SELECTED;
        bool reported = classCode == (int)PC_LINE || !(r->status & VIA_UNREPORTED);
        if (reported) Report(flag ? 4 : 5, classCode, r->elementNo);
        Repaint(classCode, record, page);
    }
    EndBatch();
    return 1;
}

void EDIT_ClearLineMarks(unsigned bits)
{
    for (void* page = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0); page;
         page = dam_NextPage(page, DCODE_LINE, DAM_SEL_ALL, 0)) {
        int count = dam_Get_cnt_of_DataPH(page);
        for (int i = 0; i < count; ++i) ((LineRecord*)PageRecord(page, i, sizeof(LineRecord)))->status &= ~bits;
    }
}

int EDIT_BoxMarkLines(int x1, int y1, int x2, int y2, int markFilter)
{
    int count = MarkHits(x1, y1, x2, y2, [&](DisplaySC* sc, int fresh, const POINT* corners, void** page) {
        return PICK_LineSearch(sc, fresh, PICK_KIND_ALL, markFilter, 4, corners, page);
    });
    if (count == 0) CNV_InvalidateLogicalRect(nullptr, 0, 0);
    return count;
}

int EDIT_MarkLinesInBox(int x1, int y1, int x2, int y2, int level)
{
    EDIT_ClearLineMarks(DELETE_SELECTED);
    return MarkHits(x1, y1, x2, y2, [&](DisplaySC* sc, int fresh, const POINT* corners, void** page) {
        return PICK_LineBoxSearchOnLevel(sc, fresh, level, corners, page);
    });
}
