// The measuring panels under a stand-in frame: what they show from their
// blocks, the flags their check boxes toggle, the net name the chain-length
// panel writes on the canvas, and the clearance history of the line-count
// panel.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/frame_state.h"
#include "kit/gui_kit.h"
#include "panel_frame.h"
#include "../view/entry_typing.h"
#include "panels/pnl.h"
#include "platform/layout_canvas.h"
#include "platform/qzt_env.h"
#include "platform/qzt_tables.h"

namespace {

// Sends the panel a command that opens an entry window, typing `line` into it.
void CommandTyping(HWND panel, int id, int code, const std::string& line)
{
    EXPECT_TRUE(ET_TypeWhile(line, [&] {
        SendMessageA(panel, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)GetDlgItem(panel, id));
    }));
}

class MeasurePanels : public ::testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE inst = GetModuleHandleA(nullptr);
        fs_ = std::make_unique<FrameState>();
        fs_->rcMenuList = {600, 30, 120, 560};
        frame_ = PF_CreateFrame(fs_.get(), 0, 0, 800, 700);
        ASSERT_NE(frame_, nullptr);
        g_hWndFrame = frame_;
        fs_->hWndCanvas = CreateWindowA("static", "", WS_CHILD | WS_VISIBLE | SS_WHITERECT, 0, 30, 590, 560, frame_,
                                        nullptr, inst, nullptr);
        SetWindowLongPtrA(fs_->hWndCanvas, 0, (LONG_PTR)&canvas_);
        env_ = ENV_GetENVClass();
        env_->chainNetName = 0;
        for (int i = 0; i < 5; i++) env_->clearanceHistory[i] = 0.0;
    }
    void TearDown() override
    {
        g_hWndFrame = nullptr;
        if (frame_) DestroyWindow(frame_);
    }

    void Create() { ASSERT_EQ(PNL_CreateAllPanels(frame_, GetModuleHandleA(nullptr)), 1); }
    HWND Panel(int n) { return fs_->panels.hPanel[n]; }
    std::string Text(int panel, int id)
    {
        char text[128] = {};
        GetDlgItemTextA(Panel(panel), id, text, sizeof text);
        return text;
    }
    void Command(int panel, int id, int code)
    {
        SendMessageA(Panel(panel), WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)GetDlgItem(Panel(panel), id));
    }
    bool Checked(int panel, int id) { return IsDlgButtonChecked(Panel(panel), id) == BST_CHECKED; }

    std::unique_ptr<FrameState> fs_;
    HWND frame_ = nullptr;
    CanvasState canvas_ = {};
    EnvRecord* env_ = nullptr;
};

TEST_F(MeasurePanels, DistanceAndAngleShowTheirValueAndToggleOnlyFromTheCheckBox)
{
    // Left over from an earlier run: creation clears them.
    fs_->panels.gridDistance = {5.0, 1};
    fs_->panels.gridAngle = {5.0, 1};
    Create();
    struct Row {
        int panel, edit, check;
        GridValueOptions* block;
    } rows[] = {
        {23, 1382, 1381, &fs_->panels.gridDistance},
        {24, 1378, 1379, &fs_->panels.gridAngle},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.panel);
        EXPECT_EQ(row.block->value, 0.0);
        EXPECT_EQ(row.block->gridOn, 0u);
        row.block->value = 1234.56789;
        row.block->gridOn = 1;
        ASSERT_EQ(PNL_ShowCommandPanel(fs_.get(), row.panel), 1);
        EXPECT_EQ(Text(row.panel, row.edit), "1234.5679");
        EXPECT_TRUE(Checked(row.panel, row.check));

        Command(row.panel, row.edit, EN_SETFOCUS);
        EXPECT_EQ(row.block->gridOn, 1u) << "clicking into the read-out changes nothing";
        SendDlgItemMessageA(Panel(row.panel), row.check, BM_CLICK, 0, 0);
        EXPECT_EQ(row.block->gridOn, 0u);
        EXPECT_FALSE(Checked(row.panel, row.check));
        SendDlgItemMessageA(Panel(row.panel), row.check, BM_CLICK, 0, 0);
        EXPECT_EQ(row.block->gridOn, 1u);
        PNL_HideCommandPanel(fs_.get());
    }
}

TEST_F(MeasurePanels, ChainLengthWritesTheNetNameOnTheCanvasOnlyWhenAsked)
{
    Create();
    ChainLengthOptions& block = fs_->panels.chainLength;
    EXPECT_EQ(block.netName[0], 0);
    canvas_.ptLastCursor = {200, 300};
    const COLORREF mark = RGB(240, 220, 220);
    struct Row {
        const char* name;
        int envFlag;
        bool drawn;
    } rows[] = {{"no name", 1, false}, {"GND", 0, false}, {"GND", 1, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.name << " " << row.envFlag);
        RedrawWindow(fs_->hWndCanvas, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        block.length = 12.5;
        strcpy(block.netName, row.name);
        block.copyLength = 1;
        block.copyNetName = 0;
        env_->chainNetName = row.envFlag;
        ASSERT_EQ(PNL_ShowCommandPanel(fs_.get(), 96), 1);
        EXPECT_EQ(Text(96, 1382), "  12.5000");
        EXPECT_EQ(Text(96, 1383), row.name);
        EXPECT_TRUE(Checked(96, 1954));
        EXPECT_FALSE(Checked(96, 1955));
        HDC dc = GetDC(fs_->hWndCanvas);
        bool found = false;
        for (int x = 200; x < 240 && !found; x++)
            for (int y = 250; y < 266 && !found; y++) found = GetPixel(dc, x, y) == mark;
        ReleaseDC(fs_->hWndCanvas, dc);
        EXPECT_EQ(found, row.drawn);
        PNL_HideCommandPanel(fs_.get());
    }
    SendDlgItemMessageA(Panel(96), 1955, BM_CLICK, 0, 0);
    SendDlgItemMessageA(Panel(96), 1954, BM_CLICK, 0, 0);
    EXPECT_EQ(block.copyNetName, 1u);
    EXPECT_EQ(block.copyLength, 0u);
}

TEST_F(MeasurePanels, ClearanceHistoryDropsRepeatsAndNegativesAndMovesAChoiceToTheFront)
{
    const double history[5] = {2.5, -1.0, 2.5, 0.1, 3.0};
    for (int i = 0; i < 5; i++) env_->clearanceHistory[i] = history[i];
    Create();
    HWND combo = GetDlgItem(Panel(25), 2049);
    auto entries = [&] {
        std::string all;
        int n = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < n; i++) {
            char text[32] = {};
            SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)text);
            all += std::string(text) + "|";
        }
        return all;
    };
    EXPECT_EQ(entries(), "2.500|0.000|0.000|0.100|3.000|");
    EXPECT_EQ((double)env_->clearanceHistory[2], 0.0) << "the repeat is written back as 0";
    EXPECT_EQ((double)env_->clearanceHistory[1], 0.0) << "a negative value is kept as 0";
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(25, 1382), "   1");

    SendMessageA(combo, CB_SETCURSEL, 3, 0);
    Command(25, 2049, CBN_SELCHANGE);
    EXPECT_EQ(entries(), "0.100|2.500|0.000|0.000|3.000|");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ((double)env_->clearanceHistory[0], 0.1);
    EXPECT_EQ((double)env_->clearanceHistory[1], 2.5);

    // A clearance typed again moves to the front without a repeat; a new one
    // pushes the oldest out.
    CommandTyping(Panel(25), 2048, BN_CLICKED, "3");
    EXPECT_EQ(entries(), "3.000|0.100|2.500|0.000|0.000|");
    CommandTyping(Panel(25), 2048, BN_CLICKED, "0.25");
    EXPECT_EQ(entries(), "0.250|3.000|0.100|2.500|0.000|");
    EXPECT_EQ((double)env_->clearanceHistory[3], 2.5);

    SendDlgItemMessageA(Panel(25), 1380, BM_CLICK, 0, 0);
    EXPECT_EQ(fs_->panels.lineCount.lineChange, 1u);
    EXPECT_EQ(fs_->panels.lineCount.levelChange, 0u);
}

TEST_F(MeasurePanels, DistanceLevelListsLevelsOfTypeZeroOrElevenAndKeepsTheCurrentOne)
{
    LevelTable* levels = TLV_Get_TlvClass();
    const int types[5] = {0, 0, 2, 11, 0};
    levels->levelUseNum = 4;
    for (int k = 1; k <= 4; k++) {
        levels->entry[k].kind = types[k];
        snprintf(levels->entry[k].name, sizeof levels->entry[k].name, "L%d", k);
    }
    TLL_Get_TllClass()->useNum = 3;
    env_->currentLevel = 3;
    env_->currentLineNo = 0;
    Create();
    HWND combo = GetDlgItem(Panel(109), 1267);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
    char text[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, 1, (LPARAM)text);
    EXPECT_EQ(std::string(text), std::string("3 L3") + std::string(30, ' '));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendDlgItemMessageA(Panel(109), 1268, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessageA(Panel(109), 1268, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ((int)env_->currentLineNo, 1) << "line number 0 becomes 1";
    EXPECT_EQ(Text(109, 2040), " ");

    // A current level that is not listed gives way to the first listed.
    env_->currentLevel = 2;
    PNL_DistanceLevelSync();
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3) << "the list is filled anew, not added to";
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ((int)env_->currentLevel, 1);
    levels->levelUseNum = 0;
    TLL_Get_TllClass()->useNum = 0;
}

}  // namespace
