// Every panel of the catalogue created hidden from its template under a
// stand-in frame, shown under the command list box and hidden again.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "app/frame_state.h"
#include "kit/gui_kit.h"
#include "panel_frame.h"
#include "panels/pnl.h"
#include "platform/qzt_mem.h"

namespace {

// The stand-in frame with every panel created under it.
class PanelFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs_ = std::make_unique<FrameState>();
        fs_->rcMenuList = {600, 30, 120, 560};
        frame_ = PF_CreateFrame(fs_.get(), 0, 0, 800, 700);
        ASSERT_NE(frame_, nullptr);
        ASSERT_EQ(PNL_CreateAllPanels(frame_, GetModuleHandleA(nullptr)), 1);
    }
    void TearDown() override
    {
        if (frame_) DestroyWindow(frame_);
    }
    RECT ChildRect(HWND h)
    {
        RECT rc;
        GetWindowRect(h, &rc);
        MapWindowPoints(nullptr, frame_, (POINT*)&rc, 2);
        return rc;
    }
    std::unique_ptr<FrameState> fs_;
    HWND frame_ = nullptr;
};

bool NamesNoPanel(int n)
{
    return n == 55 || n == 56 || n == 91 || n == 94;
}

std::string ItemText(HWND dlg, int id)
{
    char buf[128] = {};
    GetDlgItemTextA(dlg, id, buf, sizeof buf);
    return buf;
}

}  // namespace

TEST_F(PanelFrame, TheTableNamesEveryPanelOnceWithItsSlotAndBlockInTheFrameState)
{
    int size = 0;
    PNL_PanelEntry* table = ROT_CreatePanels(frame_, &size);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(size, (int)sizeof(PNL_PanelEntry) * PNL_PANEL_COUNT);
    const char* lo = (const char*)&fs_->panels;
    const char* hi = lo + sizeof fs_->panels;
    std::set<HWND*> slots;
    for (int i = 0; i < PNL_PANEL_COUNT; ++i) {
        EXPECT_TRUE(slots.insert(table[i].phWnd).second) << "record " << i << " shares a slot";
        EXPECT_GE((const char*)table[i].phWnd, lo) << i;
        EXPECT_LT((const char*)table[i].param, hi) << i;
        EXPECT_GE((const char*)table[i].param, lo) << i;
        EXPECT_NE(table[i].proc, nullptr) << i;
    }
    // The first and the last records of the creation order.
    EXPECT_EQ(table[0].templateId, 274);
    EXPECT_EQ(table[0].phWnd, &fs_->panels.hPanel[1]);
    EXPECT_EQ(table[PNL_PANEL_COUNT - 1].templateId, 455);
    EXPECT_EQ(table[PNL_PANEL_COUNT - 1].phWnd, &fs_->panels.hPanel[104]);
    MemFree(frame_, table, nullptr);
}

TEST_F(PanelFrame, EveryPanelIsCreatedHiddenAsAChildOfTheFrame)
{
    int made = 0;
    for (int n = 1; n <= PNL_MAX_NUMBER; ++n) {
        HWND h = fs_->panels.hPanel[n];
        if (NamesNoPanel(n)) {
            EXPECT_EQ(h, nullptr) << n;
            EXPECT_EQ(PNL_PanelWindow(fs_.get(), n), nullptr) << n;
            continue;
        }
        ASSERT_NE(h, nullptr) << "panel " << n << " was not created";
        EXPECT_FALSE(IsWindowVisible(h)) << n;
        EXPECT_EQ(GetParent(h), frame_) << n;
        EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & WS_CAPTION, 0) << "panel " << n << " has no caption";
        ++made;
    }
    EXPECT_EQ(made, 112);
    ASSERT_NE(fs_->panels.hTextSplitBar, nullptr);
    ASSERT_NE(fs_->panels.hViewOptionPanel, nullptr);
    EXPECT_FALSE(IsWindowVisible(fs_->panels.hTextSplitBar));
    EXPECT_EQ(KIT_WindowText(fs_->panels.hTextSplitBar), "文字分割");
}

TEST_F(PanelFrame, PanelsGetTheirBlocksAndFamiliesShareOne)
{
    auto block = [&](int n) { return (void*)GetWindowLongPtrA(fs_->panels.hPanel[n], GWLP_USERDATA); };
    EXPECT_EQ(block(35), &fs_->panels.hatchDisplay);
    EXPECT_EQ(block(19), &fs_->panels.dimensionText);
    EXPECT_EQ(block(57), block(19)) << "the dimension and leader panels share one block";
    EXPECT_EQ(block(2), &fs_->panels.textAngle[0]);
    EXPECT_EQ(block(3), &fs_->panels.textAngle[1]);
    EXPECT_EQ(block(16), block(114)) << "both taper groups live in one block";
    EXPECT_EQ(block(52), nullptr) << "the delete panel reaches its block through the frame state";
}

TEST_F(PanelFrame, TemplatesCarryTheCatalogueTexts)
{
    struct Row {
        int panel;
        int id;
        const char* text;
    } rows[] = {
        {35, 1424, "ｱｳﾄﾗｲﾝ"},   {35, 1425, "ﾊｯﾁﾝｸﾞ"},    {52, 1779, "ＡＬＬ"},
        {52, 1621, "追加選択"},  {23, 1381, "ｸﾞﾘｯﾄﾞON"},   {96, 1955, "ネット名コピー"},
        {19, 1662, "ゼロサプレス"}, {58, 1662, "ｾﾞﾛｻﾌﾟﾚｽ"}, {102, 1922, "＋１する"},
        {79, 1812, "同ネット"},  {41, 1501, ""},           {11, 1835, "する"},
        // The contrast check box of the six panels that carry it.
        {29, 1395, "CON"},       {30, 1395, "CON"},        {95, 1395, "CON"},
        {31, 1395, "ｺﾝﾄﾗｽﾄ"},    {32, 1395, "ｺﾝﾄﾗｽﾄ"},
    };
    for (const Row& r : rows) {
        HWND dlg = fs_->panels.hPanel[r.panel];
        ASSERT_NE(GetDlgItem(dlg, r.id), nullptr) << "panel " << r.panel << " control " << r.id;
        EXPECT_EQ(ItemText(dlg, r.id), r.text) << "panel " << r.panel << " control " << r.id;
    }
    EXPECT_EQ(ItemText(fs_->panels.hViewOptionPanel, 1395), "ｺﾝﾄﾗｽﾄ");
}

TEST_F(PanelFrame, EachPanelShowsUnderTheShortenedListBoxAndHidesAgain)
{
    const auto full = fs_->rcMenuList;
    for (int n = 1; n <= PNL_MAX_NUMBER; ++n) {
        if (NamesNoPanel(n)) {
            EXPECT_EQ(PNL_ShowCommandPanel(fs_.get(), n), 0) << n;
            continue;
        }
        HWND h = fs_->panels.hPanel[n];
        RECT before;
        GetWindowRect(h, &before);
        int ph = before.bottom - before.top;
        ASSERT_EQ(PNL_ShowCommandPanel(fs_.get(), n), 1) << n;
        EXPECT_TRUE(IsWindowVisible(h)) << n;
        EXPECT_EQ(fs_->iActivePanel, n);
        EXPECT_EQ(fs_->rcMenuList.height, full.height - (ph - 1)) << n;
        RECT lb = ChildRect(fs_->hWndMenuList);
        EXPECT_EQ(lb.bottom - lb.top, fs_->rcMenuList.height) << n;
        RECT pr = ChildRect(h);
        EXPECT_EQ(pr.left, full.x) << n;
        EXPECT_EQ(pr.top, full.y + fs_->rcMenuList.height - 1) << n;
        EXPECT_EQ(pr.right - pr.left, full.width) << n;
        EXPECT_EQ(pr.bottom - pr.top, ph) << n;

        ASSERT_EQ(PNL_HideCommandPanel(fs_.get()), 1) << n;
        EXPECT_FALSE(IsWindowVisible(h)) << n;
        EXPECT_EQ(fs_->iActivePanel, 0);
        EXPECT_EQ(fs_->rcMenuList.height, full.height) << n;
    }
    EXPECT_EQ(PNL_HideCommandPanel(fs_.get()), 0) << "nothing on show";
}

TEST_F(PanelFrame, ShowingASecondPanelGivesTheFirstOnesHeightBackFirst)
{
    const int full = fs_->rcMenuList.height;
    RECT r;
    GetWindowRect(fs_->panels.hPanel[23], &r);
    int h23 = r.bottom - r.top;
    ASSERT_EQ(PNL_ShowCommandPanel(fs_.get(), 52), 1);
    ASSERT_EQ(PNL_ShowCommandPanel(fs_.get(), 23), 1);
    EXPECT_FALSE(IsWindowVisible(fs_->panels.hPanel[52]));
    EXPECT_EQ(fs_->rcMenuList.height, full - (h23 - 1)) << "the list box shrank once";

    // The frame lays the list box out anew at full height; the panel goes
    // back under it.
    fs_->rcMenuList.height = full + 40;
    ASSERT_EQ(PNL_PlaceCommandPanel(fs_.get()), 1);
    EXPECT_EQ(fs_->rcMenuList.height, full + 40 - (h23 - 1));
    EXPECT_EQ(ChildRect(fs_->panels.hPanel[23]).top, fs_->rcMenuList.y + fs_->rcMenuList.height - 1);
    EXPECT_EQ(PNL_HideCommandPanel(fs_.get()), 1);
}

TEST_F(PanelFrame, DestroyingAllPanelsClearsTheirSlots)
{
    HWND one = fs_->panels.hPanel[1];
    ASSERT_EQ(PNL_DestroyAllPanels(frame_), 1);
    EXPECT_FALSE(IsWindow(one));
    for (int n = 1; n <= PNL_MAX_NUMBER; ++n) EXPECT_EQ(fs_->panels.hPanel[n], nullptr) << n;
    EXPECT_EQ(fs_->panels.hTextSplitBar, nullptr);
    // And they can be made again, as the frame's rebuild does.
    ASSERT_EQ(PNL_CreateAllPanels(frame_, GetModuleHandleA(nullptr)), 1);
    EXPECT_NE(fs_->panels.hPanel[1], nullptr);
}

TEST(HeaderClass, RegistersOnceAndShowsItsTitle)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    ASSERT_EQ(PNL_RegisterHeaderClass(inst), 1);
    EXPECT_EQ(PNL_RegisterHeaderClass(inst), 1) << "a second start-up call keeps the class";
    HWND top = CreateWindowA("static", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 60, nullptr, nullptr, inst, nullptr);
    HWND h = CreateWindowA("QZWheader", "層番号", WS_CHILD | WS_VISIBLE, 0, 0, 120, 20, top, nullptr, inst, nullptr);
    ASSERT_NE(h, nullptr);
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(h, WM_SETFONT, (WPARAM)font, TRUE);
    EXPECT_EQ((HFONT)SendMessageA(h, WM_GETFONT, 0, 0), font);
    EXPECT_EQ(KIT_WindowText(h), "層番号");
    KIT_Image img = KIT_CaptureClient(h);
    ASSERT_EQ(img.width, 120);
    std::set<uint32_t> colours;
    for (int x = 0; x < img.width; ++x) colours.insert(img.At(x, img.height / 2));
    EXPECT_GE(colours.size(), 3u) << "edge, face and title text";
    DestroyWindow(top);
}
