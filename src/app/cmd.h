// The command table, the command stack and the command thread.
//
// Every interactive command is one record of a static table; the command
// thread picks records by command id (a command was chosen) and by state id
// (a running command returned the state it wants next) and calls the
// record's state procedure. The records of the running commands form the
// command stack; its top is the running command.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/din.h"

struct CommandRecord;

// A state procedure: (record, resumed flag, current request) -> next state.
// Called with 0 when the command starts and 1 each time its request is
// answered; returns 0 to wait for the next answer and 2 to hand the answer
// to the menu-selection state.
typedef int (*StateProc)(CommandRecord* record, int resumed, Request* request);

struct CommandRecord {
    // Constant part.
    int32_t commandId;    // menu, tool or on-screen id; 0 system states; -1 ends the table
    int32_t stateId;      // entry state; 4 for a one-shot command
    StateProc stateProc;  // null when the frame runs the command itself
    int32_t level;        // 0 system, 1 top menu, 8 main, 10 table view, 15 view
    const char* name;     // Japanese name, caption of the command's message boxes
    // Run-time part, filled from the push to the end.
    HWND hWndFrame;
    HWND hWndCanvas;      // owner of the command's message boxes
    int32_t leakBytes;
    void* workBlock1;     // freed by CMD_End
    void* workBlock2;
};

// Levels of the records.
enum : int32_t {
    CMD_LEVEL_SYSTEM = 0,
    CMD_LEVEL_TOP_MENU = 1,
    CMD_LEVEL_MAIN = 8,
    CMD_LEVEL_TABLE = 10,
    CMD_LEVEL_VIEW = 15,
};

// State ids with a fixed meaning.
enum : int32_t {
    CMD_STATE_WAIT = 0,         // wait for the next answer to the top request
    CMD_STATE_ROOT = 1,
    CMD_STATE_MENU_SELECT = 2,  // hand the answer to the menu selection
    CMD_STATE_REL_BASE = 3,     // the relative-base command keeps the relative mode at its end
    CMD_STATE_ONE_SHOT = 4,
};

constexpr int CMD_TABLE_SIZE = 110;  // records before the terminator
constexpr int CMD_STACK_SIZE = 16;

// Messages the command thread sends to the frame.
enum : UINT {
    CMD_MSG_MENU_RESET = WM_USER + 5,   // clear the on-screen menu's selection
    CMD_MSG_CURSOR_MODE = WM_USER + 8,  // wParam: cursor mode; returns the previous one
};

// Cursor modes of message 0x408.
enum : int {
    CMD_CURSOR_NORMAL = 0,
    CMD_CURSOR_WAIT = 2,
    CMD_CURSOR_CLICK = 3,
};

// ---- Table and stack ---------------------------------------------------------

// Record n of the table (0 to 110, 110 being the terminator).
CommandRecord* CMD_TableRecord(int n);
// The first record with this command id / entry state; null when none.
CommandRecord* CMD_FindById(int commandId);
CommandRecord* CMD_FindByState(int stateId);
// The level of the first record with this command id; 0 when none.
int CMD_FindLevel(int commandId);

CommandRecord* CMD_StackTop();
int CMD_StackDepth();
// Pushes a record: 1, or 0 when the stack already holds 16 records. Stores
// the frame and canvas windows in the record and clears its leak counter.
int CMD_Push(CommandRecord* record);

// ---- The end of a command ------------------------------------------------------

// The common end of every command: flush the work space, report a leak,
// switch the coordinate modes off, pop the stack, free the work blocks,
// reset the function bar, jump the cursor, clear the on-screen menu. 1, or 0
// when the flush failed (nothing else happens then) or the stack was empty.
int CMD_End(CommandRecord* record);
// Switches off the coordinate-input modes that are on; a mask of those that
// were: 1 absolute, 2 relative, 4 assign-in.
int CMD_ClearCoordModes();

// ---- Message boxes and the mouse cursor ----------------------------------------

// A message box for commands: shows the cursor, releases the capture, then
// repaints the canvas after the box.
int CMD_MessageBox(HWND hOwner, const char* text, const char* caption, UINT type);
// Puts the cursor at the centre of the canvas.
void CMD_CentreCursor();
// Takes the cursor off the canvas: erases the cross-hair, frees clip and
// capture, moves the cursor 60 pixels right of and below the canvas corner.
void CMD_ReleaseViewCursor(HWND hWndCanvas);

// ---- The command thread ----------------------------------------------------------

// The thread procedure; never returns.
DWORD WINAPI CMD_ThreadMain(LPVOID);
int CMD_RootState(CommandRecord* record, int resumed, Request* request);
int CMD_WaitAnswerState(CommandRecord* record, int resumed, Request* request);
int CMD_MenuSelectState(CommandRecord* record, int resumed, Request* request);
// One pass of the thread's loop: calls the procedure of `state` and returns
// the next state. A state without a record or procedure beeps and goes back
// to the menu selection.
int CMD_RunState(int state, Request* request);
// The cancel protocol on `request` (whose answer code is put back
// afterwards): asks `running` with answer 10 and, when it agrees and
// `endNow` is 1, ends it with answer 99. 1 when it gave way, 0 when it
// refused or its request is busy.
int CMD_AskToGiveWay(CommandRecord* running, Request* request, int endNow);
