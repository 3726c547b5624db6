// The dialog library TrvDlg: its calls, one block per family. Callers
// include this header and declare no dialog-library call elsewhere.
#pragma once
#include <windows.h>

#include <cstdint>

// ---- Progress window (DOING_) ----------------------------------------------------

// The progress object DOING_Start gives. A long operation reports through
// `report` how far it has come (done of total, in any unit); the window
// shows the share. Without reports it shows that work goes on. The engine
// calls it through the pointer, so it needs no link to this library; any
// thread may call it.
struct DoingProgress {
    void (*report)(DoingProgress* self, uint64_t done, uint64_t total);
    void* window;  // the library's own
};

extern "C" {

// Opens the progress window over `hOwner` with the caption `caption` and
// returns its progress object (null when the window cannot be made). The
// window runs on a thread of its own, so it keeps painting whatever its
// caller's thread does.
DoingProgress* DOING_Start(HWND hOwner, const char* caption);
// Closes the window DOING_Start opened last; nothing when none is open.
void DOING_End(void);

}

// The window of the open progress object (null when none), for tests.
HWND DOING_GetWindow(void);

// ---- Table editors and settings dialogs (DLG_, INN_, SLN_, LevStructInfoDLG) ----------
//
// Each shows its table of the open design in a list, lets the user change
// rows through the input library's entry windows, works on a copy and writes
// it into the engine only when the user confirms the outermost dialog;
// cancel leaves the design as it was. Values outside the engine's limits
// (table capacities, the environment's size limits) are refused. Each
// returns non-zero when the user confirmed a change, 0 when nothing changed
// or the dialog was cancelled.
//
// `designOrOwner`: the design handle (hDesign) or an owner window; the
// library works on the open design either way, and a dialog without an owner
// window is owned by the thread's active window.

extern "C" {
// The level table, opened at `pos` (screen; 0, 0 = centred) with level `word`
// selected; the last position and the selected level are written back
// whatever the result. The two trailing words are carried (1, 0).
int DLG_Level(void* designOrOwner, POINT* pos, int16_t* word, int one, int zero);
int DLG_Edtlevel(void* designOrOwner, POINT* pos, int16_t* word, int one, int zero);
int DLG_Size(void* hDesign);       // sizes (apertures)
int DLG_PlaneLine(void* hDesign);  // fill lines
int DLG_TextLine(void* hDesign);   // text lines
int DLG_LineLine(void* hDesign);   // figure and signal lines
int DLG_QZVia(void* hDesign);      // VIAs, with the pads of one VIA per VIA layer
int DLG_DFVia(void* hDesign);      // defined VIAs, with the land slots of one
int DLG_Hole(void* hDesign);       // holes
int DLG_Rule(void* hDesign);       // design rules, with the clearances of one rule
// The palette: red, green and blue of each of the 256 entries.
int DLG_Palette(void* hDesign);
// The inner-layer connection table and the signal-line settings table.
int INN_ModifayDlg(void* hDesign, HWND hOwner = nullptr);
int SLN_ModifayDlg(void* hDesign, HWND hOwner = nullptr);
// The layer structure: each level's name, data type, physical layer and
// polarity. Sets *levelsChanged when names or data types changed and
// *layersChanged when a physical layer or a polarity changed (both set to 0
// first); non-zero when anything changed.
int LevStructInfoDLG(void* hDesign, int* levelsChanged, int* layersChanged, int one, int zero);
}
