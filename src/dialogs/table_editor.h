// The table editor every table dialog of the library is built on: a list
// view in report mode with the table's columns, one row per entry; a cell is
// changed through the input library's entry window for its kind (double
// click on it, or choose the column and press the change button or Enter).
// The editor works on the caller's copy of the table only; writing the copy
// into the engine is the caller's business at OK of the outermost dialog.
#pragma once
#include <windows.h>

#include <cstdint>

struct TedTable;

enum TedKind {
    TED_INT,     // an integer of the row, typed as an integer
    TED_UNITS,   // board units, typed in millimetres
    TED_REAL,    // a double, typed as a real number
    TED_TEXT,    // a text of at most `size - 1` bytes
    TED_CHOICE,  // an index into `choices` (value = index + min)
    TED_SHOWN,   // shown, never changed
};

struct TedColumn {
    const char* title;
    int width;             // in pixels
    TedKind kind;
    int offset;            // the field's byte offset in the row; -1 = get/set below
    int size;              // 1, 2 or 4 bytes (8 for TED_REAL); TED_TEXT: the field's bytes
    int32_t min, max;      // bounds of the value (units for TED_UNITS)
    const char* const* choices;  // TED_CHOICE texts, `max - min + 1` of them
    // Bounds decided when the cell is changed (table capacities, used counts,
    // the environment's size limits); replaces min and max when set.
    void (*bounds)(TedTable* t, int row, int32_t* min, int32_t* max);
    // A field that is not a plain integer of the row.
    int64_t (*get)(TedTable* t, int row);
    void (*set)(TedTable* t, int row, int64_t value);
};

struct TedTable {
    const char* caption;
    const TedColumn* columns;
    int columnCount;
    uint8_t* base;         // row n lives at base + stride * n
    int stride;
    int firstRow;          // the number of the first row shown
    int32_t* lastRow;      // the number of the last row shown (in the copy)
    int maxRow;            // the highest row number the table can hold
    // Sets up row `n` as a new row (after lastRow was raised to n); null: no adding.
    void (*addRow)(TedTable* t, int n);
    // An inner dialog for one row: 1 when it changed the row of the copy.
    int (*detail)(HWND owner, TedTable* t, int row);
    // A sample column of each row's colour (COLORREF), after the others.
    uint32_t (*swatch)(TedTable* t, int row);
    void* user;            // the editor's own data
    int changed;           // set by the editor once any cell changed
    int selected;          // the row selected at the start and at the end (0 none)
};

// Runs the editor modally. 1 when the user pressed OK, 0 on cancel. When
// `pos` is given the dialog opens there (screen coordinates; 0, 0 centres it
// on the owner) and its last position is written back whatever the result.
int TED_Run(HWND owner, TedTable* t, POINT* pos = nullptr);

// The value and text of one cell (as shown).
int64_t TED_GetValue(TedTable* t, int row, int col);
void TED_CellText(TedTable* t, int row, int col, char* out, int outSize);
// Sets one cell within its bounds: 1, or 0 when refused (out of bounds or
// not changeable). Texts go through TED_SetText.
int TED_SetValue(TedTable* t, int row, int col, int64_t value);
int TED_SetText(TedTable* t, int row, int col, const char* text);
void TED_Bounds(TedTable* t, int row, int col, int32_t* min, int32_t* max);

// Bounds helpers shared by the tables.
void TED_SizeBounds(TedTable* t, int row, int32_t* min, int32_t* max);          // environment size limits
void TED_SizeBoundsFromZero(TedTable* t, int row, int32_t* min, int32_t* max);  // the same, 0 allowed
void TED_SizeNumberBounds(TedTable* t, int row, int32_t* min, int32_t* max);    // 0 to the sizes in use
void TED_RuleBounds(TedTable* t, int row, int32_t* min, int32_t* max);          // 0 to the rules in use
void TED_OwnerOrActive(HWND* owner);
