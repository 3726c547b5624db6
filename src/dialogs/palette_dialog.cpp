// The design's palette: red, green and blue of each entry, with a sample of
// the colour drawn in the list.
#include <cstdint>

#include "dialogs/table_editor_run.h"
#include "platform/ddm_scope.h"
#include "platform/qzt_palette.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

namespace {

uint32_t* Colours(TedTable* t) { return (uint32_t*)t->base; }
int64_t GetNumber(TedTable*, int i) { return i; }
int64_t GetRed(TedTable* t, int i) { return GetRValue(Colours(t)[i]); }
int64_t GetGreen(TedTable* t, int i) { return GetGValue(Colours(t)[i]); }
int64_t GetBlue(TedTable* t, int i) { return GetBValue(Colours(t)[i]); }
void SetRed(TedTable* t, int i, int64_t v) { uint32_t c = Colours(t)[i]; Colours(t)[i] = RGB(v, GetGValue(c), GetBValue(c)); }
void SetGreen(TedTable* t, int i, int64_t v) { uint32_t c = Colours(t)[i]; Colours(t)[i] = RGB(GetRValue(c), v, GetBValue(c)); }
void SetBlue(TedTable* t, int i, int64_t v) { uint32_t c = Colours(t)[i]; Colours(t)[i] = RGB(GetRValue(c), GetGValue(c), v); }

// clang-format off
const TedColumn s_columns[] = {
    {"番号", 44, TED_SHOWN, -1, 0, 0, 0,   nullptr, nullptr, GetNumber, nullptr},
    {"赤",   48, TED_INT,   -1, 0, 0, 255, nullptr, nullptr, GetRed,    SetRed},
    {"緑",   48, TED_INT,   -1, 0, 0, 255, nullptr, nullptr, GetGreen,  SetGreen},
    {"青",   48, TED_INT,   -1, 0, 0, 255, nullptr, nullptr, GetBlue,   SetBlue},
};
// clang-format on

}  // namespace

extern "C" int DLG_Palette(void* hDesign)
{
    int32_t last = PLT_COLOURS - 1;
    auto open = [&last](TedTable* ted, uint32_t(*colours)[PLT_COLOURS]) {
        *ted = TED_Sheet("パレット", s_columns, *colours, &last, last);
        ted->firstRow = 0;
        ted->swatch = [](TedTable* t, int i) { return Colours(t)[i]; };
    };
    DesignPalette* engine = DDM_Open_Palette(DdmScope(hDesign));
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), &engine->colour, "DLG_Palette", &ted, open,
                        TED_KeepAsEdited<uint32_t[PLT_COLOURS]>);
}
