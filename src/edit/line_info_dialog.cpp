// The figure-line information dialog: the attributes of one picked line or
// arc as rows of a list box; nothing in it can be changed.
#include <cstdarg>
#include <cstdio>

#include "app/frame_state.h"
#include "edit/line_info.h"
#include "platform/layout_page.h"
#include "platform/qzt_nets.h"
#include "platform/qztdll.h"
#include "res/edit_ids.h"

namespace {

constexpr double UNITS_PER_MM = 100000.0;

struct RowWriter {
    HWND list;
    void Add(const char* format, ...)
    {
        char text[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)text);
    }
};

}  // namespace

int INFO_LineDlgInit(HWND hDlg, WPARAM, LinePickBlock* block)
{
    FrameState* fs = ROT_GetWindowData();
    DdmContext* ctx = DDM_Open(fs ? fs->hDesign : nullptr);
    LineTable* lines = TLL_Get_TllClass();
    LevelTable* levels = TLV_Get_TlvClass();
    uint64_t origin = GRD_GetGenten(GRD_GetObject(0));
    int ox = FMT_X((int64_t)origin), oy = FMT_Y((int64_t)origin);

    SetWindowTextA(hDlg, "図形線");
    RowWriter rows = {GetDlgItem(hDlg, IDC_LINE_ROWS)};
    const LineRecord* r = block ? block->record : nullptr;
    if (r) {
        int level = block->page ? dam_Get_key_of_DataPH(block->page, 1) : 0;
        const char* levelName = TLV_Get_LevelName(levels, level);
        char net[80], lgnet[80];
        SigLin_GetNetNo2NetName(ctx, r->net, net);
        SigLin_GetNetNo2NetName(ctx, r->lgnet, lgnet);
        double width = TLL_Get_ZLinWidth(lines, r->lineNo) / UNITS_PER_MM;
        rows.Add("ライン番号　　：　%3d", r->lineNo);
        rows.Add("ライン幅　　　：　%7.3f", width);
        if (r->code == FC_LINE) {
            rows.Add("ライン長　　　：　%7.4f", Distance_Pnt_to_Pnt(r->x1, r->y1, r->x2, r->y2) / UNITS_PER_MM);
            rows.Add("論理レベル　　：　%3d  %-16s", level, levelName ? levelName : "");
            rows.Add("物理レベル　　：　%3d", (int)TLV_Get_Layer(levels, level));
            rows.Add("始点Ｘ　　　　：　%7.5f", ((double)r->x1 - ox) / UNITS_PER_MM);
            rows.Add("始点Ｙ　　　　：　%7.5f", ((double)r->y1 - oy) / UNITS_PER_MM);
            rows.Add("終点Ｘ　　　　：　%7.5f", ((double)r->x2 - ox) / UNITS_PER_MM);
            rows.Add("終点Ｙ　　　　：　%7.5f", ((double)r->y2 - oy) / UNITS_PER_MM);
        } else {
            double start = GetAngle(r->cx, r->cy, r->x1, r->y1);
            double end = GetAngle(r->cx, r->cy, r->x2, r->y2);
            double radius = r->radius / UNITS_PER_MM;
            double length = r->code == FC_ARC_CCW ? GetArcDistance(radius, start, end)
                                                  : GetArcDistance(radius, end, start);
            rows.Add("ライン長　　　：　%7.4f", length);
            rows.Add("論理レベル　　：　%3d  %-16s", level, levelName ? levelName : "");
            rows.Add("物理レベル　　：　%3d", (int)TLV_Get_Layer(levels, level));
            rows.Add("中心Ｘ　　　　：　%7.5f", ((double)r->cx - ox) / UNITS_PER_MM);
            rows.Add("中心Ｙ　　　　：　%7.5f", ((double)r->cy - oy) / UNITS_PER_MM);
            rows.Add("始角　　　　　：　%7.3f", start);
            rows.Add("終角　　　　　：　%7.3f", end);
            rows.Add("半径　　　　　：　%7.4f", radius);
        }
        rows.Add("物理ネット　　：　%s", net);
        rows.Add("論理ネット　　：　%s", lgnet);
    }
    INFO_PlaceElementDialog(hDlg);
    DDM_Close(ctx);
    return 0;
}

INT_PTR CALLBACK INFO_LineDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        // The pick block stays the dialog's user data, where the change form
        // reads it (and replaces it after a level change).
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        INFO_LineDlgInit(hDlg, wParam, (LinePickBlock*)lParam);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) INFO_CloseElementDialog(hDlg);
        break;
    default: break;
    }
    return FALSE;
}

void INFO_LineDlgOpen(HWND owner, LinePickBlock* block)
{
    INFO_RunElementDialog(owner, IDD_LINE_INFO, INFO_LineDlgProc, block);
}
