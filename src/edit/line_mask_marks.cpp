// The line marks of delete by kind: set, cleared, reported and repainted for
// every line record that carries a bit of a status mask.
#include "app/app.h"
#include "edit/pick_line.h"
#include "platform/layout_page.h"
#include "platform/qztdll.h"
#include "view/line_highlight.h"

namespace {

// Calls `fn(page, record)` for every line record of every page.
template <typename Fn>
void EachLine(Fn fn)
{
    for (void* page = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0); page;
         page = dam_NextPage(page, DCODE_LINE, DAM_SEL_ALL, 0)) {
        int count = dam_Get_cnt_of_DataPH(page);
        for (int i = 0; i < count; ++i) fn(page, (LineRecord*)PageRecord(page, i, sizeof(LineRecord)));
    }
}

}  // namespace

void EDIT_SetLineMarksByMask(void*, unsigned mask, int highlight, int mark)
{
    EachLine([&](void* page, LineRecord* r) {
        if ((r->status & ES_DELETED) || !(r->status & mask)) return;
        if (highlight) r->status |= ES_DIALOG_MARK;
        else r->status &= ~ES_DIALOG_MARK;
        if (mark) {
            r->status |= ES_SELECTED;
            MDMC_UpdateData(nullptr, 4, (int)PC_LINE, 0, 0, (int)r->elementNo, 0, 0, 0, 0, nullptr);
        } else {
            r->status &= ~ES_SELECTED;
            if (r->status & ES_DIALOG_MARK)
                MDMC_UpdateData(nullptr, 3, (int)PC_LINE, 0, 0, (int)r->elementNo, 0, 0, 0,
                                (int)sizeof(LineRecord), r);
            else
                MDMC_UpdateData(nullptr, 5, (int)PC_LINE, 0, 0, (int)r->elementNo, 0, 0, 0, 0, nullptr);
        }
        // Waiting for: the engine's figure tapers, whose display follows the
        // marks of their line (DDM_CripFigTaperInuse); until they exist a line
        // has no taper to mark.
        if (!g_UseDirect2D) MEAS_PaintLineHighlight(page, r, 0, 1);
    });
}

int EDIT_RedrawLinesByMask(void*, int, unsigned mask)
{
    int count = 0;
    EachLine([&](void* page, LineRecord* r) {
        if (!(r->status & mask)) return;
        bool live = !(r->status & (ES_DELETED | ES_DIALOG_MARK));
        MEAS_PaintLineHighlight(page, r, 0, live ? 1 : 0);
        // Waiting for: the engine's figure tapers (DDM_CripFigTaperDispUpdate).
        ++count;
    });
    return count;
}
