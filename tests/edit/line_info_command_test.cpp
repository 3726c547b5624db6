// The figure-line information command on the display, run by the real
// command thread over the real command table: a point answered on the
// request channel as the canvas answers a click picks the line or arc
// there, marks it and shows dialog 184 with its rows; closing the dialog
// releases the line. Checked: the rows of a line and of an arc, the beep
// on empty board, stacked lines in turn, the reports to the concurrent-design
// service, and the place the dialog opens at.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/cmd.h"
#include "app/frame_state.h"
#include "engine/board_builder.h"
#include "kit/gui_kit.h"
#include "platform/layout_page.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "platform/qztdll.h"
#include "res/edit_ids.h"
#include "view/cnv.h"

namespace {

constexpr int MM = 100000;
constexpr int LINE_INFO_COMMAND = 40198;

// The board, in millimetres, with the design origin at (1, 2):
//   the known line: level 1 "SIG1" (layer 1), line 2 (0.5 mm), (-10, 5) to
//     (20, 5), physical and logical net 1 "GND";
//   three lines crossing at (30, 0): level 1 line 1, level 2 line 2, level 3
//     line 3, in this order;
//   an arc: level 2 "SIG2" (layer 2), line 3 (1 mm), anticlockwise about
//     (-20, -20) from (-15, -20) to (-20, -15).
struct Board {
    LineRecord* known = nullptr;
    LineRecord* stacked[3] = {};
    LineRecord* arc = nullptr;
};

struct Env {
    std::string path;
    void* hDesign = nullptr;
    HWND frame = nullptr;
    HWND canvas = nullptr;
    FrameState fs = {};
    DWORD commandThread = 0;
    Board board;
};
Env* s_env;

LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void Build(Board* b)
{
    BLD_AddLevel("SIG1", 2, 1, 0x01000001);
    BLD_AddLevel("SIG2", 2, 2, 0x01000002);
    BLD_AddLevel("SILK", 1, 0, 0x01000007);
    int thin = BLD_AddLine(MM / 4), mid = BLD_AddLine(MM / 2), wide = BLD_AddLine(MM);
    int gnd = BLD_Net("GND");
    b->known = BLD_Line(1, mid, -10 * MM, 5 * MM, 20 * MM, 5 * MM, gnd);
    b->known->lgnet = gnd;
    b->known->level = 0;  // the rows show the page's level, not this word
    b->stacked[0] = BLD_Line(1, thin, 25 * MM, 0, 35 * MM, 0);
    b->stacked[1] = BLD_Line(2, mid, 30 * MM, -5 * MM, 30 * MM, 5 * MM);
    b->stacked[2] = BLD_Line(3, wide, 25 * MM, -5 * MM, 35 * MM, 5 * MM);
    b->arc = BLD_Arc(2, wide, false, {-15 * MM, -20 * MM}, {-20 * MM, -15 * MM}, {-20 * MM, -20 * MM});
    GRD_SetGenten(GRD_GetObject(0), 0, MM, 2 * MM);
}

bool WaitIdle()
{
    return KIT_PumpUntil([] {
        Request* top = DIN_TopRequest();
        return top && DIN_IsWaiting(top) && !DIN_IsBusy(top);
    });
}

// Answers the waiting point request with a board point, as the canvas does
// for a click.
void Click(int x, int y)
{
    ASSERT_TRUE(WaitIdle());
    RequestPoint p = {};
    p.x = x;
    p.y = y;
    p.flag = 4;
    ASSERT_EQ(DIN_AddRequestPoint(DIN_TopRequest(), p), 1);
    ASSERT_EQ(DIN_CompleteRequest(ANS_INPUT, 0, 0), 1);
}

std::vector<std::string> Rows(HWND dlg)
{
    std::vector<std::string> rows;
    HWND list = GetDlgItem(dlg, IDC_LINE_ROWS);
    int n = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        char text[512] = {};
        SendMessageA(list, LB_GETTEXT, (WPARAM)i, (LPARAM)text);
        rows.push_back(text);
    }
    return rows;
}

// The operations of the reports since the log was cleared (byte counts must
// be 0: the command never sends a record).
std::vector<int> Ops()
{
    std::vector<int> ops;
    for (const MdmcCall& c : MDMC_GetCallLog()) {
        if (c.call != "MDMC_UpdateData") continue;
        EXPECT_EQ(c.byteCount, 0);
        EXPECT_EQ(c.words[10], 0);
        ops.push_back((int)c.words[1]);
    }
    return ops;
}

class LineInfoCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_env = new Env;
        Env& e = *s_env;
        HINSTANCE inst = GetModuleHandleA(nullptr);
        ASSERT_EQ(DIN_Initialize(inst), 1);
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        e.path = std::string(dir) + "line_info_" + std::to_string(GetCurrentProcessId()) + ".wps";
        DeleteFileA(e.path.c_str());
        e.hDesign = WPS_Open(e.path.c_str());
        DdmContext* ctx = DDM_Open(e.hDesign);
        Build(&e.board);
        ENV_SetCenter(ctx->env, 0);
        ENV_SetZoom(ctx->env, 1.0);
        DDM_Close(ctx);

        WNDCLASSA wc = {};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = inst;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.lpszClassName = "LineInfoTestFrame";
        RegisterClassA(&wc);
        e.frame = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, inst, nullptr);
        e.fs.hDesign = e.hDesign;
        SetWindowLongPtrA(e.frame, 0, (LONG_PTR)&e.fs);
        g_hWndFrame = e.frame;
        CNV_RegisterClass(inst);
        e.canvas = CreateWindowExA(0, CNV_CLASS_NAME, "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                   nullptr, inst, nullptr);
        ASSERT_TRUE(e.canvas);
        e.fs.hWndCanvas = e.canvas;
        CNV_ZoomToRect(0, -45 * MM, -30 * MM, 45 * MM, 30 * MM);
        KIT_PumpPending();

        HANDLE thread = CreateThread(nullptr, 0, CMD_ThreadMain, nullptr, 0, &e.commandThread);
        ASSERT_NE(thread, nullptr);
        CloseHandle(thread);
        DIN_SignalReady();
        ASSERT_TRUE(WaitIdle());
    }

    static void TearDownTestSuite()
    {
        // The command thread sleeps on the root request now and touches
        // neither window nor design again. The scratch work space goes, so
        // that no run leaves its file behind.
        Env& e = *s_env;
        if (e.canvas) DestroyWindow(e.canvas);
        KIT_PumpPending();  // takes the canvas's WM_QUIT off the queue
        g_hWndFrame = nullptr;
        if (e.frame) DestroyWindow(e.frame);
        WPS_Delete(e.path.c_str());
    }

    void SetUp() override
    {
        // The command starts from the menu choice, as the dispatcher posts it.
        ASSERT_TRUE(WaitIdle());
        ASSERT_EQ(DIN_CompleteRequest(ANS_COMMAND, LINE_INFO_COMMAND, 0), 1);
        ASSERT_TRUE(WaitIdle());
        ASSERT_EQ(CMD_StackTop(), CMD_FindById(LINE_INFO_COMMAND));
        ASSERT_EQ(DIN_GetKind(DIN_TopRequest()), REQ_POINT1);
        ASSERT_EQ(DIN_GetPromptIndex(DIN_TopRequest()), 13);
        MDMC_ClearCallLog();
    }

    void TearDown() override
    {
        // Finish ends the command; the menu selection waits again.
        ASSERT_TRUE(WaitIdle());
        ASSERT_EQ(DIN_CompleteRequest(ANS_FINISH, 0, 0), 1);
        ASSERT_TRUE(WaitIdle());
        EXPECT_EQ(CMD_StackDepth(), 1);
        EXPECT_EQ(DIN_GetKind(DIN_TopRequest()), REQ_ROOT);
    }

    // Clicks at (x, y), waits for the dialog and hands back its rows; the
    // dialog stays open.
    static HWND OpenAt(KIT_DialogWatch& watch, int x, int y)
    {
        size_t before = watch.Count();
        Click(x, y);
        if (!watch.WaitForCount(before + 1)) return nullptr;
        return watch.LastWindow();
    }

    static void Close(HWND dlg, int id = IDOK)
    {
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        EXPECT_TRUE(KIT_PumpUntil([dlg] { return !IsWindow(dlg); }));
        EXPECT_TRUE(WaitIdle());
    }
};

// The canvas pixel of a board point, and its colour as the screen shows it
// now (0xRRGGBB).
POINT Pixel(int x, int y)
{
    POINT p = {x, y};
    DisplaySC* sc = DSP_GetDisplaySC(s_env->canvas, nullptr, CNV_GetState());
    DSP_LPtoDPz(sc, &p);
    DSP_ReleaseSC(s_env->canvas, sc);
    return p;
}

uint32_t PixelNow(POINT p)
{
    HDC dc = GetDC(s_env->canvas);
    COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(s_env->canvas, dc);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void Repaint()
{
    InvalidateRect(s_env->canvas, nullptr, TRUE);
    UpdateWindow(s_env->canvas);
}

}  // namespace

TEST_F(LineInfoCommand, TheLineIsDrawnHighlightedWhileItsDialogIsOpen)
{
    KIT_DialogWatch watch(s_env->commandThread);
    // The dialog opens beside the canvas, so that it covers none of it.
    s_env->fs.ptInfoDlg = {700, 0};
    POINT p = Pixel(0, 5 * MM);
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode ? "standard display" : "mixing display");
        g_UseDirect2D = mode;
        Repaint();
        uint32_t plain = PixelNow(p);
        ASSERT_NE(plain, 0xFFFFFFu);
        ASSERT_NE(plain, 0u);
        HWND dlg = OpenAt(watch, 0, 5 * MM);
        ASSERT_TRUE(dlg);
        EXPECT_TRUE(KIT_PumpUntil([&] { return PixelNow(p) == 0xFFFFFFu; }, 3000)) << std::hex << PixelNow(p);
        // A repaint of the whole canvas meanwhile keeps it highlighted.
        Repaint();
        EXPECT_EQ(PixelNow(p), 0xFFFFFFu);
        Close(dlg);
        EXPECT_TRUE(KIT_PumpUntil([&] { return PixelNow(p) == plain; }, 3000)) << std::hex << PixelNow(p);
    }
    g_UseDirect2D = 1;
}

TEST_F(LineInfoCommand, AClickOnALineShowsItsRowsAndMarksItWhileOpen)
{
    KIT_DialogWatch watch(s_env->commandThread);
    LineRecord* known = s_env->board.known;
    HWND dlg = OpenAt(watch, 0, 5 * MM);
    ASSERT_TRUE(dlg);
    EXPECT_EQ(KIT_WindowText(dlg), "図形線");
    const std::vector<std::string> expected = {
        "ライン番号　　：　  2",
        "ライン幅　　　：　  0.500",
        "ライン長　　　：　30.0000",
        "論理レベル　　：　  1  SIG1            ",
        "物理レベル　　：　  1",
        "始点Ｘ　　　　：　-11.00000",
        "始点Ｙ　　　　：　3.00000",
        "終点Ｘ　　　　：　19.00000",
        "終点Ｙ　　　　：　3.00000",
        "物理ネット　　：　GND",
        "論理ネット　　：　GND",
    };
    EXPECT_EQ(Rows(dlg), expected);
    // Marked while the dialog is open: operation 4 and the end of the batch.
    EXPECT_EQ(known->status & ES_SELECTED, ES_SELECTED);
    EXPECT_EQ(Ops(), (std::vector<int>{4, 3}));
    std::vector<MdmcCall> log = MDMC_GetCallLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().words[2], 0x24010);
    EXPECT_EQ(log.front().words[5], (intptr_t)known->elementNo);
    Close(dlg);
    // Released afterwards, and nothing else: no record is sent.
    EXPECT_EQ(known->status & ES_SELECTED, 0u);
    EXPECT_EQ(Ops(), (std::vector<int>{4, 3, 5, 3}));
    log = MDMC_GetCallLog();
    for (const MdmcCall& c : log) {
        if (c.call == "MDMC_UpdateData" && c.words[1] == 3) {
            EXPECT_EQ(c.words[2], 0);
        }
    }
}

TEST_F(LineInfoCommand, AnArcShowsItsCentreAnglesAndRadius)
{
    KIT_DialogWatch watch(s_env->commandThread);
    // A point on the arc at 45 degrees.
    int d = (int)(5 * MM * 0.70710678);
    HWND dlg = OpenAt(watch, -20 * MM + d, -20 * MM + d);
    ASSERT_TRUE(dlg);
    const std::vector<std::string> expected = {
        "ライン番号　　：　  3",
        "ライン幅　　　：　  1.000",
        "ライン長　　　：　 7.8540",
        "論理レベル　　：　  2  SIG2            ",
        "物理レベル　　：　  2",
        "中心Ｘ　　　　：　-21.00000",
        "中心Ｙ　　　　：　-22.00000",
        "始角　　　　　：　  0.000",
        "終角　　　　　：　 90.000",
        "半径　　　　　：　 5.0000",
        "物理ネット　　：　",
        "論理ネット　　：　",
    };
    EXPECT_EQ(Rows(dlg), expected);
    Close(dlg);
    EXPECT_EQ(Ops(), (std::vector<int>{4, 3, 5, 3}));
}

TEST_F(LineInfoCommand, EmptyBoardBeepsAndTheCommandWaitsForTheNextPoint)
{
    KIT_DialogWatch watch(s_env->commandThread);
    Click(-40 * MM, 40 * MM);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(watch.Count(), 0u);
    EXPECT_EQ(CMD_StackTop(), CMD_FindById(LINE_INFO_COMMAND));
    EXPECT_EQ(DIN_GetKind(DIN_TopRequest()), REQ_POINT1);
    EXPECT_EQ(DIN_GetPointCount(DIN_TopRequest()), 0);
    EXPECT_TRUE(Ops().empty());
    // The next point is taken as usual.
    HWND dlg = OpenAt(watch, 0, 5 * MM);
    ASSERT_TRUE(dlg);
    Close(dlg);
}

TEST_F(LineInfoCommand, StackedLinesComeUpInTurnOnClicksAtOnePoint)
{
    KIT_DialogWatch watch(s_env->commandThread);
    const char* first = "ライン番号　　：　  1";
    const char* expected[] = {first, "ライン番号　　：　  2", "ライン番号　　：　  3", first};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        HWND dlg = OpenAt(watch, 30 * MM, 0);
        ASSERT_TRUE(dlg);
        std::vector<std::string> rows = Rows(dlg);
        ASSERT_EQ(rows.size(), 11u);
        EXPECT_EQ(rows[0], expected[i]);
        EXPECT_EQ(s_env->board.stacked[i % 3]->status & ES_SELECTED, ES_SELECTED);
        Close(dlg);
    }
    EXPECT_EQ(Ops(), (std::vector<int>{4, 3, 5, 3, 4, 3, 5, 3, 4, 3, 5, 3, 4, 3, 5, 3}));
}

TEST_F(LineInfoCommand, TheDialogOpensWhereTheLastOneWasClosed)
{
    KIT_DialogWatch watch(s_env->commandThread);
    s_env->fs.ptInfoDlg = {123, 77};
    HWND dlg = OpenAt(watch, 0, 5 * MM);
    ASSERT_TRUE(dlg);
    RECT rc;
    GetWindowRect(dlg, &rc);
    EXPECT_EQ(rc.left, 123);
    EXPECT_EQ(rc.top, 77);
    // Moved, then closed with Escape: the corner is kept as with "閉じる".
    SetWindowPos(dlg, nullptr, 201, 149, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Close(dlg, IDCANCEL);
    EXPECT_EQ(s_env->fs.ptInfoDlg.x, 201);
    EXPECT_EQ(s_env->fs.ptInfoDlg.y, 149);
    dlg = OpenAt(watch, 30 * MM, 0);
    ASSERT_TRUE(dlg);
    GetWindowRect(dlg, &rc);
    EXPECT_EQ(rc.left, 201);
    EXPECT_EQ(rc.top, 149);
    Close(dlg);
}

TEST_F(LineInfoCommand, AnotherCommandOfItsLevelDoesNotReplaceIt)
{
    // The distance measurement (level 8) chosen while the information
    // command waits: the information command does not give way.
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(DIN_CompleteRequest(ANS_COMMAND, 40122, 0), 1);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(CMD_StackTop(), CMD_FindById(LINE_INFO_COMMAND));
}

TEST_F(LineInfoCommand, AClickOnTheCanvasPicksTheLineUnderIt)
{
    // A 1 mm input grid about the design origin, no pin or end-point catch:
    // the click lands on a grid point of the known line.
    GridObject* g = GRD_GetObject();
    g->currentGroup = 0;
    g->group[0].activeSlot = 0;
    g->group[0].slot[0] = 0;
    g->input[0].px = g->input[0].py = MM;
    ENV_SetLeadin(ENV_GetENVClass(), 0);
    ENV_SetEdge(ENV_GetENVClass(), 0);
    s_env->fs.ptInfoDlg = {700, 0};
    KIT_DialogWatch watch(s_env->commandThread);
    ASSERT_TRUE(WaitIdle());
    POINT p = Pixel(0, 5 * MM);
    PostMessageA(s_env->canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x + 1, p.y - 1));
    PostMessageA(s_env->canvas, WM_LBUTTONUP, 0, MAKELPARAM(p.x + 1, p.y - 1));
    ASSERT_TRUE(watch.WaitForCount(1));
    HWND dlg = watch.LastWindow();
    std::vector<std::string> rows = Rows(dlg);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0], "ライン番号　　：　  2");
    EXPECT_EQ(rows[3], "論理レベル　　：　  1  SIG1            ");
    Close(dlg);
    EXPECT_EQ(s_env->board.known->status & ES_SELECTED, 0u);
}
