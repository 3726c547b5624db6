// The design's palette: red, green and blue of each entry, with a sample of
// the colour drawn in the list.
#include <cstdint>

#include "dialogs/table_copy.h"
#include "dialogs/table_editor.h"
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
    HWND owner = DLG_OwnerOf(hDesign);
    DesignPalette* engine = DDM_Open_Palette(DDM_Open(hDesign));
    TableCopy copy;
    if (!copy.Take(owner, engine->colour, sizeof engine->colour, "DLG_Palette")) return 0;
    int32_t last = PLT_COLOURS - 1;
    TedTable ted{};
    ted.caption = "パレット";
    ted.columns = s_columns;
    ted.columnCount = (int)(sizeof s_columns / sizeof s_columns[0]);
    ted.base = (uint8_t*)copy.copy;
    ted.stride = sizeof(uint32_t);
    ted.firstRow = 0;
    ted.lastRow = &last;
    ted.maxRow = last;
    ted.swatch = [](TedTable* t, int i) { return Colours(t)[i]; };
    if (!TED_Run(owner, &ted) || !ted.changed) return 0;
    copy.Commit();
    return 1;
}
