// The steps every table dialog shares: setting up the editor on an array of
// rows, running it, and the capacity of a table.
#include "dialogs/table_editor_run.h"

#include "platform/ddm_scope.h"
#include "platform/qzt_tables.h"

TedTable TED_Sheet(const char* caption, const TedColumn* columns, int columnCount, void* rows, int stride,
                   int32_t* lastRow, int maxRow, TedAddRow addRow, TedDetail detail)
{
    TedTable ted{};
    ted.caption = caption;
    ted.columns = columns;
    ted.columnCount = columnCount;
    ted.base = (uint8_t*)rows;
    ted.stride = stride;
    ted.firstRow = 1;
    ted.lastRow = lastRow;
    ted.maxRow = maxRow;
    ted.addRow = addRow;
    ted.detail = detail;
    return ted;
}

bool TED_RunChanged(HWND owner, TedTable* ted, POINT* pos) { return TED_Run(owner, ted, pos) && ted->changed; }

int TED_TableMax(void* hDesign, int code) { return SYS_GetTblMax(DdmScope(hDesign), code); }
