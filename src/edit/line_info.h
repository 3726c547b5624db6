// The figure-line information dialog (template 184) and its command, and the
// pattern every element information and change dialog follows: a launcher
// that runs the dialog modally on the command thread with the canvas as its
// owner, one list box of rows "label：　value", and the shared place
// (FrameState::ptInfoDlg) where each such dialog opens and where it leaves
// its corner when closed.
#pragma once
#include <windows.h>

#include "platform/layout_line.h"

struct CommandRecord;
struct Request;

// What a command hands a line dialog: the data address of the line's page
// (0 for a signal line) and the line record, read and written in place.
struct LinePickBlock {
    void* page;
    LineRecord* record;
};

// Runs the information dialog of the picked line with `owner` (the canvas) as
// its owner; returns when the dialog has closed.
void INFO_LineDlgOpen(HWND owner, LinePickBlock* block);
INT_PTR CALLBACK INFO_LineDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Fills the dialog's rows and places it; 0.
int INFO_LineDlgInit(HWND hDlg, WPARAM wParam, LinePickBlock* block);

// The shared steps of the element dialogs: the launcher (cursor shown,
// capture released, modal dialog `templateId` with `block` as its creation
// parameter, owner updated after), the placement at FrameState::ptInfoDlg,
// and the close that stores the dialog's corner there and ends it with 1.
void INFO_RunElementDialog(HWND owner, int templateId, DLGPROC proc, void* block);
void INFO_PlaceElementDialog(HWND hDlg);
void INFO_CloseElementDialog(HWND hDlg);

// The state procedure of the figure-line information command: each point
// picks the line or arc under it, marks it, shows it in the dialog and
// releases it; no change is reported.
int INFO_AppLineInfo(CommandRecord* record, int resumed, Request* request);
