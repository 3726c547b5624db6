// The distance command answered by real clicks on the drawing canvas: the
// command thread runs over the real command table, the canvas turns posted
// button messages into points, and the distance panel shows the result.
#include <gtest/gtest.h>

#include <string>

#include "../app/command_answers.h"
#include "../panels/panel_frame.h"
#include "../view/canvas_fixture.h"
#include "app/cmd.h"
#include "app/cmd_private.h"
#include "app/frame_state.h"
#include "panels/pnl.h"
#include "platform/qzt_env.h"

namespace {

// Idle as the canvas needs it: the top request waits and is free, so that a
// click is taken.
bool WaitIdle()
{
    return KIT_PumpUntil([] {
        Request* top = DIN_TopRequest();
        return top && DIN_IsWaiting(top) && !DIN_IsBusy(top);
    });
}

void Click(HWND canvas, POINT at)
{
    ASSERT_TRUE(WaitIdle());
    PostMessageA(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(canvas, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    KIT_PumpPending();
    ASSERT_TRUE(WaitIdle());
}

TEST(MeasureByClicks, TwoClicksThreeMillimetresApartOnTheGrid)
{
    CanvasFixture f;
    // A 1 mm input grid about the origin; no pin or end-point catching.
    OneMillimetreGrid();
    ENV_SetLeadin(ENV_GetENVClass(), 0);
    ENV_SetEdge(ENV_GetENVClass(), 0);

    HINSTANCE inst = GetModuleHandleA(nullptr);
    ASSERT_EQ(DIN_Initialize(inst), 1);
    // The frame beside the canvas, not over it.
    FrameState* fs = new FrameState();
    fs->rcMenuList = {10, 10, 120, 560};
    HWND frame = PF_CreateFrame(fs, 660, 0, 300, 700);
    ASSERT_NE(frame, nullptr);
    g_hWndFrame = frame;
    fs->hWndCanvas = f.hWnd;
    g_hWndCanvas = f.hWnd;
    ASSERT_EQ(PNL_CreateAllPanels(frame, inst), 1);

    ASSERT_NO_FATAL_FAILURE(CT_StartThread());
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(DIN_CompleteRequest(ANS_COMMAND, 40122, 0), 1);
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(CMD_StackTop(), CMD_FindById(40122));
    fs->panels.gridDistance.gridOn = 1;

    // Both clicks a few pixels off their grid points.
    POINT first = f.Pixel(-MM, MM), second = f.Pixel(2 * MM, MM);
    ASSERT_GT(second.x - first.x, 30) << "a millimetre spans several pixels";
    Click(f.hWnd, {first.x + 2, first.y - 1});
    EXPECT_EQ(DIN_GetPromptIndex(DIN_TopRequest()), 41);
    Click(f.hWnd, {second.x - 1, second.y + 2});
    char text[32] = {};
    GetDlgItemTextA(fs->panels.hPanel[23], 1382, text, sizeof text);
    EXPECT_STREQ(text, "   3.0000");
    EXPECT_EQ(DIN_GetPromptIndex(DIN_TopRequest()), 40);

    // The right button cancels: the command ends back on the root request.
    ASSERT_TRUE(WaitIdle());
    PostMessageA(f.hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(first.x, first.y));
    PostMessageA(f.hWnd, WM_RBUTTONUP, 0, MAKELPARAM(first.x, first.y));
    ASSERT_TRUE(KIT_PumpUntil([] { return CMD_StackDepth() == 1 && DIN_IsWaiting(DIN_TopRequest()); }));
    EXPECT_EQ(DIN_RequestCount(), 1);
    EXPECT_EQ(fs->iActivePanel, 0);
    DestroyWindow(frame);
    g_hWndFrame = nullptr;
}

}  // namespace
