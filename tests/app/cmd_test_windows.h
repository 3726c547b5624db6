// Stand-ins for the frame and the canvas in the command engine's tests: the
// frame counts the menu resets (0x405) and records the cursor modes (0x408)
// the command thread sends; the canvas records the arming messages posted to
// it and carries a canvas state block at window long 0.
#pragma once
#include <windows.h>

#include <mutex>
#include <vector>

#include "app/frame_state.h"
#include "platform/layout_canvas.h"

struct TestWindows {
    HWND frame = nullptr;
    HWND canvas = nullptr;
    FrameState frameState = {};
    CanvasState canvasState = {};
    int menuResets = 0;
    std::vector<int> cursorModes;
    std::vector<UINT> posted;  // arming messages, oldest first
    std::vector<LPARAM> postedBlocks;
    int currentCursorMode = 0;
};

// Creates both windows on the calling thread and makes them the program's
// frame and canvas. The canvas is a visible 400 x 300 window at (100, 100)
// when `visible`, else a message-only window.
TestWindows* TW_Create(bool visible);
void TW_Destroy(TestWindows* tw);
