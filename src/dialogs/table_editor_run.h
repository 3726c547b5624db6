// Running a table dialog on one of the engine's tables. The editor works on
// a working copy of the table; the copy is written over the engine's table
// only when the user pressed OK having changed something, so cancel (or OK
// with nothing changed) leaves the engine's table byte for byte as it was.
#pragma once
#include <windows.h>

#include <cstddef>

#include "dialogs/table_copy.h"
#include "dialogs/table_editor.h"

// An editor with its caption and columns on rows `stride` bytes apart, rows
// 1 to `*lastRow` shown, at most `maxRow`; row n lives at `rows` + stride * n.
// `addRow` and `detail` are the table's row callbacks (null: none); user
// data, swatch and selection are left clear for the caller.
using TedAddRow = void (*)(TedTable* t, int n);
using TedDetail = int (*)(HWND owner, TedTable* t, int row);
TedTable TED_Sheet(const char* caption, const TedColumn* columns, int columnCount, void* rows, int stride,
                   int32_t* lastRow, int maxRow, TedAddRow addRow = nullptr, TedDetail detail = nullptr);

template <class Row, size_t N>
TedTable TED_Sheet(const char* caption, const TedColumn (&columns)[N], Row* rows, int32_t* lastRow, int maxRow,
                   TedAddRow addRow = nullptr, TedDetail detail = nullptr)
{
    return TED_Sheet(caption, columns, (int)N, (void*)rows, (int)sizeof(Row), lastRow, maxRow, addRow, detail);
}

// Runs the editor modally: true when the user pressed OK having changed a cell.
bool TED_RunChanged(HWND owner, TedTable* ted, POINT* pos = nullptr);

// The number of rows the design allows the table named by `code`.
int TED_TableMax(void* hDesign, int code);

// Edits a working copy of `engine`. `open(ted, copy)` points the editor at
// the copy's rows (TED_Sheet plus whatever row callbacks the table has);
// after OK with a change, `settle(ted, copy)` puts the copy in order and
// says whether to keep it, and the copy is written over `engine`. 1 when it
// was; 0 on cancel, with nothing changed, when `settle` refused the copy, or
// when the copy could not be allocated (the user was told).
template <class Table, class Open, class Settle>
int TED_EditCopy(HWND owner, Table* engine, const char* tag, TedTable* ted, Open open, Settle settle,
                 POINT* pos = nullptr)
{
    TableCopy copy;
    if (!copy.Take(owner, engine, sizeof(Table), tag)) return 0;
    Table* t = copy.As<Table>();
    open(ted, t);
    if (!TED_RunChanged(owner, ted, pos) || !settle(ted, t)) return 0;
    copy.Commit();
    return 1;
}

// Settling for a table kept as it was edited.
template <class Table>
bool TED_KeepAsEdited(TedTable*, Table*)
{
    return true;
}

// Settling for a table that counts the rows shown apart from the rows in use
// (`*ted->lastRow`): rows added are shown.
template <class Table>
bool TED_ShowAddedRows(TedTable* ted, Table* t)
{
    if (t->dispNum < *ted->lastRow) t->dispNum = *ted->lastRow;
    return true;
}
