// A frame for the dispatcher's and the on-screen menu's tests: a frame
// window that hands WM_COMMAND to ROT_OnCommand and records what it gets, the
// real menu list box 135 subclassed as the frame does, a setting bar and a
// canvas that record their messages, and the command stack with the root
// record and the root request, as the command thread leaves them while it
// waits in the menu selection. Nothing runs the command thread: what
// "reaches" it is the answer stored in the top request.
#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "app/cmd.h"
#include "app/frame_state.h"
#include "platform/layout_canvas.h"

struct DispatchFixture {
    HWND frame = nullptr, list = nullptr, settingBar = nullptr, canvas = nullptr, attrBar = nullptr;
    FrameState fs = {};
    CanvasState cs = {};
    // Every WM_COMMAND the frame received: (id, notification code).
    std::vector<std::pair<int, int>> frameCommands;
    std::vector<int> barCommands;    // ids the setting bar received
    std::vector<UINT> canvasPosts;
    int menuResets = 0;              // WM_USER+5 sent to the frame
    int closes = 0;                  // WM_CLOSE
    Request* root = nullptr;
};

DispatchFixture* DF_Create();
void DF_Destroy(DispatchFixture* f);
// The frame's commands without the menu list's focus notifications
// (LBN_SETFOCUS, LBN_KILLFOCUS): the list sends those whenever a window of
// another program takes the activation or gives it back, at any moment of a
// test run beside others.
std::vector<std::pair<int, int>> DF_Commands(const DispatchFixture* f);
// Marks the top request's answer with a value no path writes, so a test can
// tell whether anything answered.
void DF_MarkUnanswered();
// Pushes a running command (record and its own request of `kind`, return
// state = the record's entry state). The caller owns the record.
Request* DF_StartCommand(CommandRecord* record, int kind);
// Pops the command and closes its request, as the end of a command does.
void DF_EndCommand();
