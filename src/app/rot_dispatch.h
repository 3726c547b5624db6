// The menu command dispatcher: the gate that applies the command thread's
// level rules on the user-interface thread, the cancel of the running
// command, and what the dispatcher and design loading call of parts that are
// built elsewhere.
#pragma once
#include <windows.h>

#include <cstddef>

#include "app/cmd.h"
#include "app/frame_state.h"

// 1 admit, 0 refuse. *runningId is -1, then the running command's id once
// both records are known. An equal level (8 or 10) is admitted only after the
// running command agreed to the cancel query (answer 10) and was ended (99).
int CMD_AdmitCommand(int id, int* runningId);
// Cancels the running command from this thread: 1 cancelled (or a view
// command, which is left running), 0 refused or busy. With `endFlag` 0 only
// the query is asked.
int CMD_CancelRunning(int* runningId, int endFlag);

// The folder of the manual: the program folder cut at its second-last
// backslash, followed by "\Help".
void ROT_HelpFolder(const char* binPath, char* out, size_t outSize);
// The open command (40140) with its notification code.
void ROT_OpenDesignCommand(HWND hWnd, int notifyCode);

// 1 while a pre-command dialog runs.
extern int g_PreCommandActive;

// ---- Neighbours --------------------------------------------------------------------
// Each of these belongs to another part of the program; rot_waiting.cpp holds
// the least the dispatcher and design loading need until that part is built.

// The modal dialog run before a command; non-zero when it changed something.
int ROT_PreCommandDialog(HWND hWnd, int id);
// Printing.
void PRN_Command(HWND hWnd);
// The part-list output.
void PLB_PartListOutput(HWND hWnd);
// Zooms to the part whose assignment name is asked for.
void VIEW_ZoomToAssignPart();
// Reads the shortcut panel's setup file into the frame state.
void SCP_ReadSetup(FrameState* fs);
// Creates the shortcut panel (shown at once when `show`).
HWND SCP_CreatePanel(HWND hWndFrame, int show);
// Closes the bulletin board.
void BBS_DialogClose(HWND hWndCanvas);

