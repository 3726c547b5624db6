// Inside the command engine: the pop that only CMD_End uses, and the engine's
// calls into the frame, the canvas and the bars. Each of those calls goes
// through one function here, so that the owner of the window it reaches can
// take it over in one place.
#pragma once
#include <windows.h>

#include "app/cmd.h"

// Drops the top slot of the command stack; the record that was there, or
// null when the stack was empty or the slot held none.
CommandRecord* CMD_PopTop();

// The drawing canvas window: the request channel posts it the message that
// arms it for a request, and commands own their message boxes through it.
extern HWND g_hWndCanvas;

// Shows a prompt text in the status bar.
void DIN_ShowPrompt(const char* text);
// Posts the canvas one of the arming messages (nothing when there is no
// canvas).
void DIN_PostToCanvas(UINT msg, LPARAM lParam);
// Sends the frame one of the command thread's messages; 0 when there is no
// frame.
LRESULT CMD_SendToFrame(UINT msg, WPARAM wParam);

// What the end of a command resets outside the engine.
void CMD_ResetFunctionBar();
// Clears the setting bar's indicator of a coordinate mode (button 156
// absolute, 157 relative, 173 assign-in) and invalidates its button.
void CMD_ClearCoordMark(int buttonId);
// The canvas's capture flag, and its left-button flag.
void CMD_SetCanvasCapture(int capture);
void CMD_ClearCanvasLeftDown();
// Erases the cross-hair at the last cursor position.
void CMD_EraseCrossHair(HWND hWndCanvas);
