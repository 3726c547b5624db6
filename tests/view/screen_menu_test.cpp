// The on-screen command menu on the display: choices in the list box as a
// click makes them (through the list's own selection and the frame's
// dispatcher), the mouse rules while a command waits, and the popup menu
// built from the current menu with its tail.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/din.h"
#include "app/dispatch_fixture.h"
#include "app/rot.h"
#include "kit/gui_kit.h"
#include "view/cnv.h"

namespace {

CommandRecord MakeWaiting(int commandId)
{
    CommandRecord r = {};
    r.commandId = commandId;
    r.stateId = 9101;
    r.level = 8;
    r.name = "waiting";
    return r;
}

struct PopupItem {
    UINT id;          // command id, or 0 for a separator or a submenu
    std::string text;
    bool grey;
    bool checked;
    bool submenu;
};

std::vector<PopupItem> Items(HMENU menu)
{
    std::vector<PopupItem> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        MENUITEMINFOA mi = {};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        mi.dwTypeData = text;
        mi.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &mi);
        PopupItem item;
        item.id = mi.hSubMenu ? 0 : mi.wID;
        item.text = (mi.fType & MFT_SEPARATOR) ? "-" : text;
        item.grey = (mi.fState & MFS_GRAYED) != 0;
        item.checked = (mi.fState & MFS_CHECKED) != 0;
        item.submenu = mi.hSubMenu != nullptr;
        out.push_back(item);
    }
    return out;
}

class ScreenMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        f = DF_Create();
        DF_MarkUnanswered();
    }
    void TearDown() override { DF_Destroy(f); }

    int RowHeight() { return (int)SendMessageA(f->list, LB_GETITEMHEIGHT, 0, 0); }
    // A left click on row `row`, from x to x + dx. Press and release follow
    // each other with no message between: when a window of another program
    // takes the activation while the button is down, the list ends its
    // tracking as it loses the focus and reports the pressed row chosen
    // before the release could mark a drag.
    void ClickRow(int row, int dx = 0)
    {
        int y = row * RowHeight() + RowHeight() / 2;
        SendMessageA(f->list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
        SendMessageA(f->list, WM_LBUTTONUP, 0, MAKELPARAM(10 + dx, y));
        KIT_PumpPending();
    }
    // Button messages on the title row, whose choice only clears the selection.
    void Post(UINT msg, WPARAM keys, int row = 0)
    {
        PostMessageA(f->list, msg, keys, MAKELPARAM(10, row * RowHeight() + RowHeight() / 2));
        KIT_PumpPending();
    }
    int Selected() { return (int)SendMessageA(f->list, LB_GETCURSEL, 0, 0); }

    DispatchFixture* f = nullptr;
};

}  // namespace

TEST_F(ScreenMenu, ClicksDescendAndStartCommands)
{
    ClickRow(8);  // "  編  集" of the top menu
    EXPECT_EQ(CNV_MenuCurrent(), 15);
    ClickRow(5);  // "  変  更"
    EXPECT_EQ(CNV_MenuCurrent(), 16);
    ClickRow(2);  // "  図形線"
    EXPECT_EQ(DIN_GetAnswer(f->root), ANS_COMMAND);
    EXPECT_EQ(DIN_GetAnswerWord(f->root), 40210);
    EXPECT_EQ(CNV_MenuCurrent(), 16);
    EXPECT_EQ(Selected(), 2);
}

TEST_F(ScreenMenu, GreyEntriesRunNothing)
{
    ClickRow(3);  // "  信号線"
    ASSERT_EQ(CNV_MenuCurrent(), 3);
    ClickRow(2);  // "  ネット", grey, opens its menu of grey entries
    EXPECT_EQ(CNV_MenuCurrent(), 45);
    f->frameCommands.clear();
    ClickRow(2);  // " 内層接続", grey without a way on
    EXPECT_EQ(CNV_MenuCurrent(), 45);
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(DF_Commands(f), (std::vector<std::pair<int, int>>{{135, LBN_SELCHANGE}}));
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
}

TEST_F(ScreenMenu, FocusComingAndGoingChoosesNothing)
{
    CNV_MenuShow(16);
    ClickRow(2);  // "  図形線", a command
    ASSERT_EQ(DIN_GetAnswerWord(f->root), 40210);
    DF_MarkUnanswered();
    f->frameCommands.clear();
    // As when another window takes the activation and gives it back.
    SetFocus(f->list);
    SetFocus(f->frame);
    SetFocus(f->list);
    KIT_PumpPending();
    int focusNotes = 0;
    for (const auto& c : f->frameCommands)
        focusNotes += c.first == 135 && (c.second == LBN_SETFOCUS || c.second == LBN_KILLFOCUS);
    EXPECT_GE(focusNotes, 3);
    EXPECT_TRUE(DF_Commands(f).empty());
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
    EXPECT_EQ(CNV_MenuCurrent(), 16);
    EXPECT_EQ(Selected(), 2);
}

TEST_F(ScreenMenu, ShowingTheShownMenuKeepsTheSelection)
{
    CNV_MenuShow(16);
    SendMessageA(f->list, LB_SETCURSEL, 4, 0);
    EXPECT_EQ(CNV_MenuShow(16), 1);
    EXPECT_EQ(Selected(), 4);
    EXPECT_EQ(CNV_MenuShow(9999), 0);
    EXPECT_EQ(SendMessageA(f->list, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ScreenMenu, ShowForCommandFindsTheFirstMenuHoldingIt)
{
    struct Case {
        int command, menu, row;
    } cases[] = {
        {40210, 16, 2},
        {40138, 29, 3},  // in menu 29 and menu 8: the first in table order
        {40041, 1, 14},
        {40373, 22, 10},
    };
    for (const Case& c : cases) {
        CNV_MenuShow(0);
        int found = CNV_MenuShowForCommand(c.command);
        EXPECT_EQ(found, 1) << c.command;
        EXPECT_EQ(CNV_MenuCurrent(), c.menu) << c.command;
        EXPECT_EQ(Selected(), c.row) << c.command;
    }
    EXPECT_EQ(CNV_MenuShowForCommand(40459), 0);
}

TEST_F(ScreenMenu, DragAcrossTheListSelectsNothing)
{
    CNV_MenuShow(16);
    f->frameCommands.clear();
    ClickRow(2, 61);
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
    // 60 pixels is still a click.
    ClickRow(2, 60);
    EXPECT_EQ(DIN_GetAnswer(f->root), ANS_COMMAND);
    EXPECT_EQ(DIN_GetAnswerWord(f->root), 40210);
}

TEST_F(ScreenMenu, RightButtonClimbsOnlyInTheMenuSelection)
{
    Post(WM_RBUTTONDOWN, MK_RBUTTON);
    Post(WM_RBUTTONUP, 0);
    EXPECT_EQ(CNV_MenuCurrent(), 0);  // the top menu has no parent
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
    CNV_MenuShow(51);
    Post(WM_RBUTTONDOWN, MK_RBUTTON);
    Post(WM_RBUTTONUP, 0);
    EXPECT_EQ(CNV_MenuCurrent(), 15);
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
}

TEST_F(ScreenMenu, RightButtonAnswersAWaitingPick)
{
    struct Case {
        int kind;
        bool shift;
        int answer;
    } cases[] = {{REQ_POINT1, false, ANS_CANCEL}, {REQ_POINT1, true, ANS_FINISH},   {REQ_THREE2, false, ANS_CANCEL},
                 {REQ_CLICK_CURSOR, false, ANS_RIGHT_CLICK}, {REQ_STRING, false, -7}};
    for (const Case& c : cases) {
        CommandRecord fake = MakeWaiting(40122);
        Request* own = DF_StartCommand(&fake, c.kind);
        CNV_MenuShow(16);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = c.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        Post(WM_RBUTTONDOWN, MK_RBUTTON);
        Post(WM_RBUTTONUP, c.shift ? MK_SHIFT : 0);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(DIN_GetAnswer(own), c.answer) << c.kind << " shift " << c.shift;
        EXPECT_EQ(CNV_MenuCurrent(), 16) << c.kind;  // a waiting command keeps its menu
        DF_EndCommand();
    }
}

TEST_F(ScreenMenu, BothButtonsFinishAPickInEitherReleaseOrder)
{
    struct Case {
        const char* name;
        bool rightFirst;
    } cases[] = {{"left released first", false}, {"right released first", true}};
    for (const Case& c : cases) {
        CommandRecord fake = MakeWaiting(40122);
        Request* own = DF_StartCommand(&fake, REQ_POINT1);
        CNV_MenuShow(16);
        Post(WM_LBUTTONDOWN, MK_LBUTTON);
        Post(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON);
        if (c.rightFirst) {
            Post(WM_RBUTTONUP, MK_LBUTTON);
            EXPECT_EQ(DIN_GetAnswer(own), -7) << c.name;
            Post(WM_LBUTTONUP, 0);
        } else {
            Post(WM_LBUTTONUP, MK_RBUTTON);
            EXPECT_EQ(DIN_GetAnswer(own), -7) << c.name;
            Post(WM_RBUTTONUP, 0);
        }
        EXPECT_EQ(DIN_GetAnswer(own), ANS_FINISH) << c.name;
        DF_EndCommand();
        // The chord is over: a plain click in the menu selects again.
        CNV_MenuShow(16);
        DF_MarkUnanswered();
        ClickRow(2);
        EXPECT_EQ(DIN_GetAnswer(f->root), ANS_COMMAND) << c.name;
        DF_MarkUnanswered();
    }
}

TEST_F(ScreenMenu, ButtonsDoNothingWhileTheRequestIsBusy)
{
    CommandRecord fake = MakeWaiting(40122);
    Request* own = DF_StartCommand(&fake, REQ_POINT1);
    CNV_MenuShow(16);
    DIN_SetBusy(1, own);
    Post(WM_RBUTTONDOWN, MK_RBUTTON);
    Post(WM_RBUTTONUP, 0);
    ClickRow(2);
    EXPECT_EQ(DIN_GetAnswer(own), -7);
    EXPECT_EQ(Selected(), -1);
    DIN_SetBusy(0, own);
    DF_EndCommand();
}

TEST_F(ScreenMenu, PopupHoldsTheCurrentMenuAndItsTail)
{
    CommandRecord fake = MakeWaiting(40122);
    DF_StartCommand(&fake, REQ_POINT1);
    CNV_MenuShow(16);
    int count = 0, longest = 0;
    HMENU popup = CNV_BuildPopupMenu(&count, &longest);
    ASSERT_NE(popup, nullptr);
    std::vector<PopupItem> items = Items(popup);
    std::vector<UINT> ids;
    std::vector<std::string> texts;
    for (const PopupItem& i : items) {
        ids.push_back(i.id);
        texts.push_back(i.text);
    }
    EXPECT_EQ(ids, (std::vector<UINT>{40209, 40210, 40394, 40395, 40211, 40217, 40207, 40208, 40200, 0, 320, 0, 0, 0,
                                      328, 329, 191, 0, 40133}));
    EXPECT_EQ(texts[0], " 図形ＶＩＡ");
    EXPECT_EQ(texts[8], "塗/円弧表示");
    EXPECT_EQ(texts[9], "-");
    EXPECT_EQ(texts[10], "上位メニューへ");
    EXPECT_FALSE(items[10].grey);
    EXPECT_EQ(texts[12], "ロック");
    EXPECT_TRUE(items[12].submenu);
    EXPECT_EQ(texts[13], "入力グリッド");
    EXPECT_TRUE(items[13].submenu);
    EXPECT_EQ(texts[14], "LE-IN");
    EXPECT_EQ(texts[15], "端点");
    EXPECT_EQ(texts[16], "部品リスト");
    EXPECT_EQ(texts[18], "レベル表");
    std::vector<PopupItem> lock = Items(GetSubMenu(popup, 12));
    ASSERT_EQ(lock.size(), 2u);
    EXPECT_EQ(lock[0].id, 321u);
    EXPECT_EQ(lock[1].id, 322u);
    EXPECT_EQ(count, 19);
    EXPECT_EQ(longest, (int)strlen("上位メニューへ"));
    DestroyMenu(popup);
    DF_EndCommand();
}

TEST_F(ScreenMenu, PopupOfTheTopMenuNestsItsSubmenus)
{
    CNV_MenuShow(0);
    int count = 0, longest = 0;
    HMENU popup = CNV_BuildPopupMenu(&count, &longest);
    ASSERT_NE(popup, nullptr);
    std::vector<PopupItem> items = Items(popup);
    ASSERT_EQ(items.size(), 14u + 10u);
    for (int i = 0; i < 14; ++i) EXPECT_TRUE(items[i].submenu) << i;
    EXPECT_EQ(items[0].text, " ファイル");
    EXPECT_EQ(items[15].text, "上位メニューへ");
    EXPECT_TRUE(items[15].grey);  // nothing above the top menu
    // The file menu's popup: thirteen grey entries and the exit command.
    std::vector<PopupItem> file = Items(GetSubMenu(popup, 0));
    ASSERT_EQ(file.size(), 14u);
    EXPECT_EQ(file[13].id, 40041u);
    // Submenus count too: 14 entries of the top menu, every entry of the
    // menus below them, and the tail.
    EXPECT_GT(count, 24);
    DestroyMenu(popup);

    // A short menu is reported as 14 entries at least.
    CNV_MenuShow(51);
    popup = CNV_BuildPopupMenu(&count, &longest);
    EXPECT_EQ(GetMenuItemCount(popup), 3 + 10);
    EXPECT_EQ(count, 14);
    DestroyMenu(popup);
}
