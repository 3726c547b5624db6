// The option panels: the creation table, showing and hiding the panel on
// show under the command list box, and the report of a changed option to
// the running command.
#pragma once
#include <windows.h>

#include <cstdint>

struct FrameState;

// One record of the panel creation table: where the panel's window handle
// goes, its template, its procedure and the parameter block it is created
// with (its WM_INITDIALOG parameter). The fields keep their order; the
// addresses are pointer-wide and aligned, so the record is not byte-packed.
struct PNL_PanelEntry {
    HWND* phWnd;
    uint16_t templateId;
    DLGPROC proc;
    void* param;
};

// Records in the creation table.
constexpr int PNL_PANEL_COUNT = 114;

// The creation table for the frame `hFrame` (its FrameState at window long
// 0), in creation order, in a new heap block owned by the frame; its size in
// bytes goes to *outSize. Null when the block cannot be allocated. The caller
// frees it with MemFree (no tag).
PNL_PanelEntry* ROT_CreatePanels(HWND hFrame, int* outSize);

// Creates every panel of the table hidden, as a child of the frame, storing
// each window (null when one cannot be made) in its slot; 1, or 0 when the
// table cannot be built.
int PNL_CreateAllPanels(HWND hFrame, HINSTANCE hInst);
// Destroys every panel in table order, stopping at the first failure;
// 1, or 0 on a failure. Slots of destroyed panels are cleared.
int PNL_DestroyAllPanels(HWND hFrame);

// The window of panel n (1 to 116), or null for a number outside that range,
// a number that names no panel (55, 56, 91, 94) or a panel not created.
HWND PNL_PanelWindow(const FrameState* fs, int n);

// Shows panel n under the command list box: hides the panel on show first,
// shortens the list box by the panel's height less one pixel and puts the
// panel under it at the list box's width. 1, or 0 when n names no panel.
int PNL_ShowCommandPanel(FrameState* fs, int n);
// Hides the panel on show and gives its height back to the list box;
// 1, or 0 when none is on show.
int PNL_HideCommandPanel(FrameState* fs);
// After the frame has laid out the list box anew (WM_SIZE): shortens it
// again and puts the panel on show back under it. 1, or 0 when none is on show.
int PNL_PlaceCommandPanel(FrameState* fs);

// Tells the running command that an option changed: answer code 7 with the
// word the panel gives (0, a control id or a mode number) and a value (0 or
// an address). Nothing happens when no command waits.
void PNL_ReportChange(int word, intptr_t value);

// Fills the level list of the distance-with-level panel (109) again and
// selects the current level; run after the level table changed.
void PNL_DistanceLevelSync();

// The column-header window class "QZWheader": a visible child of this class
// shows its window text as a title over a column of a list. Registered once;
// 1 when the class exists afterwards.
int PNL_RegisterHeaderClass(HINSTANCE hInst);
