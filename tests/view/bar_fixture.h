// A frame for the bar tests: a test frame window holding a FrameState, the
// four real bars and a real canvas as its children, a scratch work space
// with a small set of tables, and the root request waiting as the command
// thread leaves it in the menu selection. The frame records every
// WM_COMMAND it gets; the canvas counts its paints.
//
// Tables (MM = 100000 board units):
//   levels 1 to 4: 1 "TOP" wiring (data type 2, layer 1), 2 "SILK" (data
//     type 1, no layer), 3 "BOT" wiring (2, layer 2), 4 "PLANE" (15, layer 3)
//   signal-line tables 1 to 10, table k 0.01 k mm wide, table number k
//   VIAs 1 to 4: kinds 2, 3, 0 (not listed), 4
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/din.h"
#include "app/frame_state.h"
#include "kit/gui_kit.h"
#include "platform/layout_canvas.h"

constexpr int BF_MM = 100000;

struct BarFixture {
    std::string path;
    FrameState fs = {};
    HWND frame = nullptr;
    std::vector<std::pair<int, int>> commands;  // (id, code) of WM_COMMAND at the frame
    int canvasPaints = 0;
    Request* root = nullptr;

    BarFixture();
    ~BarFixture();
    BarFixture(const BarFixture&) = delete;
    BarFixture& operator=(const BarFixture&) = delete;

    HWND Func() const { return fs.hWndFuncBar; }
    HWND Attr() const { return fs.hWndAttrBar; }
    HWND Setting() const { return fs.hWndSettingBar; }
    HWND Status() const { return fs.hWndStatusBar; }
    HWND Canvas() const { return fs.hWndCanvas; }
    CanvasState* CanvasData() const;

    // Pumps the posted messages, then tells whether the frame got the id.
    bool FrameGot(int id, int code = 0);
    // Pushes a waiting request over the root, as a command does.
    Request* Wait(int kind = REQ_POINT1);
};

// Text of a control of a bar, and the rows of a drop-down list.
std::string BF_Text(HWND bar, int id);
std::vector<std::string> BF_Rows(HWND bar, int id);
int BF_Selected(HWND bar, int id);
// Chooses a row of a list as the user does: selection and its notice.
void BF_Choose(HWND bar, int id, int row);
bool BF_Checked(HWND bar, int id);
