// The setting bar: the lock mode and angle, the catches, the input grid of
// the current group, and the coordinate-mode marks drawn red while on.
#include <gtest/gtest.h>

#include "app/cmd_private.h"
#include "bar_fixture.h"
#include "platform/layout_env.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "view/bar.h"

namespace {

void Click(const BarFixture& f, int id) { SendDlgItemMessageA(f.Setting(), id, BM_CLICK, 0, 0); }
void Command(const BarFixture& f, int id, int code = 0)
{
    SendMessageA(f.Setting(), WM_COMMAND, MAKEWPARAM(id, code), 0);
}
bool Enabled(const BarFixture& f, int id) { return IsWindowEnabled(GetDlgItem(f.Setting(), id)) != 0; }

int RedPixels(HWND button)
{
    KIT_Image image = KIT_CaptureClient(button);
    int n = 0;
    for (uint32_t p : image.pixels) n += p == 0xFF0000;
    return n;
}

TEST(SettingBar, ASavedAutomaticLockComesUpAsPlainLock)
{
    BarFixture f;
    EnvRecord* env = ENV_GetENVClass();
    DestroyWindow(f.Setting());
    ENV_SetLock(env, 3);
    f.fs.autoLockMode = 1;
    const FrameBox& r = f.fs.rcSettingBar;
    f.fs.hWndSettingBar = CreateWindowA("Setting_Class", "", WS_CHILD | WS_VISIBLE, r.x, r.y, r.width, r.height,
                                        f.frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(f.Setting());
    EXPECT_EQ(ENV_GetLock(env), 1);
    EXPECT_EQ(f.fs.autoLockMode, 0);
    EXPECT_FALSE(Enabled(f, 150));
    BAR_SettingRefresh();
    EXPECT_EQ(BF_Text(f.Setting(), 152), "ロック");
}

TEST(SettingBar, LockButtonStepsTheModeAndTheAngleOnlyWhenAutomatic)
{
    BarFixture f;
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetLock(env, 0);
    env->own.lockAngle = 45;
    BAR_SettingRefresh();
    EXPECT_EQ(BF_Text(f.Setting(), 152), "OFF");
    EXPECT_EQ(BF_Text(f.Setting(), 150), "45ﾟ");

    // Plain lock: OFF and ロック in turn; the angle button does nothing.
    const int plain[] = {1, 0, 1};
    for (int mode : plain) {
        Click(f, 152);
        EXPECT_EQ(ENV_GetLock(env), mode);
        Command(f, 150);
        EXPECT_EQ(ENV_GetLockAngle(env), 45);
        EXPECT_FALSE(Enabled(f, 150));
    }
    Command(f, 321);
    EXPECT_EQ(ENV_GetLock(env), 0);
    Command(f, 322);
    EXPECT_EQ(ENV_GetLock(env), 1);

    // Automatic lock: the two directions in turn, and the angle switches.
    f.fs.autoLockMode = 1;
    const struct {
        int id, mode;
        const char* name;
    } automatic[] = {{152, 2, "順自動"}, {152, 3, "逆自動"}, {152, 2, "順自動"}, {322, 3, "逆自動"}, {321, 2, "順自動"}};
    for (auto& s : automatic) {
        Command(f, s.id);
        EXPECT_EQ(ENV_GetLock(env), s.mode);
        EXPECT_EQ(BF_Text(f.Setting(), 152), s.name);
        EXPECT_TRUE(Enabled(f, 150));
    }
    Command(f, 150);
    EXPECT_EQ(ENV_GetLockAngle(env), 90);
    EXPECT_EQ(BF_Text(f.Setting(), 150), "90ﾟ");
    Command(f, 150);
    EXPECT_EQ(ENV_GetLockAngle(env), 45);

    // The automatic lock direction command.
    Command(f, 264);
    EXPECT_EQ(ENV_GetLock(env), 3);
    Command(f, 264);
    EXPECT_EQ(ENV_GetLock(env), 2);
    f.fs.autoLockMode = 0;
    Command(f, 264);
    EXPECT_EQ(ENV_GetLock(env), 0);
    Command(f, 264);
    EXPECT_EQ(ENV_GetLock(env), 1);
    EXPECT_FALSE(Enabled(f, 150));
}

TEST(SettingBar, CatchesFollowTheirBoxes)
{
    BarFixture f;
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetLeadin(env, 0);
    ENV_SetEdge(env, 0);
    ENV_SetEdgeEnko(env, 0);
    BAR_SettingRefresh();
    Click(f, 148);
    EXPECT_EQ(ENV_GetLeadin(env), 1);
    Command(f, 328);
    EXPECT_EQ(ENV_GetLeadin(env), 0);
    EXPECT_FALSE(BF_Checked(f.Setting(), 148));

    // Edge on arcs switches the edge catch on; the edge catch off takes it
    // away again.
    Click(f, 222);
    EXPECT_EQ(env->own.edgeEnko, 1);
    EXPECT_EQ(ENV_GetEdge(env), 1);
    EXPECT_TRUE(BF_Checked(f.Setting(), 149));
    EXPECT_GT(RedPixels(GetDlgItem(f.Setting(), 222)), 0);
    Click(f, 149);
    EXPECT_EQ(ENV_GetEdge(env), 0);
    EXPECT_EQ(env->own.edgeEnko, 0);
    EXPECT_EQ(RedPixels(GetDlgItem(f.Setting(), 222)), 0);
    Command(f, 329);
    EXPECT_EQ(ENV_GetEdge(env), 1);
    EXPECT_TRUE(BF_Checked(f.Setting(), 149));

    Click(f, 220);
    EXPECT_EQ(ENV_GetDataDisp(env), BF_Checked(f.Setting(), 220) ? 1 : 0);
}

TEST(SettingBar, CoordinateModeMarksAreRedWhileOn)
{
    BarFixture f;
    struct Mark {
        int id;
        void (*set)(int);
        int* flag;
    };
    const Mark marks[] = {{156, BAR_SettingSetAbsMark, &g_AbsCoordMark},
                          {157, BAR_SettingSetRelMark, &g_RelCoordMark},
                          {173, BAR_SettingSetAssignMark, &g_AssignInMark}};
    for (const Mark& m : marks) {
        SCOPED_TRACE(m.id);
        HWND button = GetDlgItem(f.Setting(), m.id);
        EXPECT_EQ(RedPixels(button), 0);
        m.set(1);
        EXPECT_EQ(*m.flag, 1);
        EXPECT_GT(RedPixels(button), 0);
        // The end of a command clears the mark.
        CMD_ClearCoordMark(m.id);
        EXPECT_EQ(*m.flag, 0);
        EXPECT_EQ(RedPixels(button), 0);
    }
    EXPECT_EQ(RedPixels(GetDlgItem(f.Setting(), 196)), 0);
}

TEST(SettingBar, InputGridOfTheCurrentGroup)
{
    BarFixture f;
    GridObject* grid = GRD_GetObject();
    GRD_SetCurrentGridGroupNo(grid, 2);
    BAR_SettingRefresh();
    EXPECT_EQ(BF_Text(f.Setting(), 40136), "C");
    for (int id = 327; id >= 323; --id) {
        Command(f, id, 5);
        EXPECT_EQ(GRD_GetInpGridGroup(2)->activeSlot, id - 323);
        EXPECT_EQ(BF_Text(f.Setting(), 138), GRD_GetCurrentDspGridName(grid));
    }
    GRD_SetCurrentGridGroupNo(grid, 0);

    // Everything else is the frame's.
    for (int id : {193, 191, 192, 198, 196, 138, 40136}) {
        SCOPED_TRACE(id);
        f.commands.clear();
        Click(f, id);
        EXPECT_TRUE(f.FrameGot(id, BN_CLICKED));
    }
}

// A control's rectangle in the bar's client coordinates.
RECT Place(HWND bar, int id)
{
    RECT r;
    GetWindowRect(GetDlgItem(bar, id), &r);
    MapWindowPoints(nullptr, bar, (POINT*)&r, 2);
    return r;
}

TEST(SettingBar, ControlsFillSixRows)
{
    BarFixture f;
    const int W = f.fs.rcSettingBar.width, c = f.fs.charWidth;
    const int h = Place(f.Setting(), 152).bottom;
    ASSERT_GT(h, 4);
    // Rows from the top, the second one pixel higher than the others.
    const int rows[6][3] = {{152, 150, 0},       {138, 193, 40136}, {148, 156, 173},
                            {149, 157, 196},     {222, 220, 0},     {191, 192, 198}};
    int top = 0;
    for (int r = 0; r < 6; ++r) {
        int height = r == 1 ? h + 1 : h;
        for (int id : rows[r]) {
            if (!id) continue;
            SCOPED_TRACE(id);
            RECT p = Place(f.Setting(), id);
            EXPECT_EQ(p.top, top);
            EXPECT_EQ(p.bottom - p.top, height);
            EXPECT_GT(p.right, p.left);
            EXPECT_LE(p.right, W);
        }
        top += height;
    }
    EXPECT_EQ(Place(f.Setting(), 152).right - Place(f.Setting(), 152).left, W - 3 * c);
    EXPECT_EQ(Place(f.Setting(), 150).right, W - 1);
    EXPECT_EQ(Place(f.Setting(), 40136).right, W - 1);
    EXPECT_EQ(Place(f.Setting(), 193).right - Place(f.Setting(), 193).left, 2 * c);
}

}  // namespace
