// The pre-command dialogs on the display, on the demo board: the table
// editors driven as a person would, what reaches the engine and the waiting
// command after OK, nothing after cancel, the pre-command flag inside and
// after every case (also when a case ends for want of memory), and the
// bars' lists refilled only when the dialog changed something.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/din.h"
#include "app/pre_command.h"
#include "app/rot_dispatch.h"
#include "dialogs/dialog_driver.h"
#include "dispatch_fixture.h"
#include "kit/gui_kit.h"
#include "platform/qzt_env.h"
#include "platform/qzt_file.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_palette.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "view/bar.h"

using namespace drv;

namespace {

std::string Sjis(const char8_t* s) { return KIT_Sjis(s); }
std::string Bytes(const void* p, size_t n) { return std::string((const char*)p, n); }

const char SENTINEL[] = "sentinel";

// A running level-8 command waiting for a point; it records its answers.
int WaitingCommand(CommandRecord*, int, Request*) { return 0; }

class PreCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path_ = std::string(dir) + "precmd_" + std::to_string(GetCurrentProcessId()) + ".wps";
        DeleteFileA(path_.c_str());
        hDesign_ = WPS_Open(path_.c_str());
        ASSERT_NE(hDesign_, nullptr);
        uint32_t version = 0;
        char what[256] = "";
        ASSERT_EQ(DDM_ReadDesignFile(DEMO_BOARD, 1, &version, what), DFE_OK) << what;

        f = DF_Create();
        f->fs.hDesign = hDesign_;
        HINSTANCE inst = GetModuleHandleA(nullptr);
        // A function bar with the three lists the dialogs refill.
        funcBar_ = CreateWindowA("DispTestBar", "", WS_CHILD | WS_VISIBLE, 0, 450, 400, 40, f->frame, nullptr, inst,
                                 nullptr);
        for (int id : {164, 167, 169})
            CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 100, 200, funcBar_,
                          (HMENU)(INT_PTR)id, inst, nullptr);
        f->fs.hWndFuncBar = funcBar_;
        CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, 0, 40, 20, f->attrBar,
                      (HMENU)199, inst, nullptr);
        ResetLists();
        DF_MarkUnanswered();
        g_PreCommandActive = 0;
    }
    void TearDown() override
    {
        if (f) DF_Destroy(f);
        WPS_Delete(path_.c_str());
    }

    void ResetLists()
    {
        for (int id : {164, 167, 169}) {
            HWND list = GetDlgItem(funcBar_, id);
            SendMessageA(list, CB_RESETCONTENT, 0, 0);
            SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)SENTINEL);
        }
    }
    // Whether the list still holds only the sentinel (nothing refilled it).
    bool Untouched(int id)
    {
        HWND list = GetDlgItem(funcBar_, id);
        char text[64] = "";
        SendMessageA(list, CB_GETLBTEXT, 0, (LPARAM)text);
        return SendMessageA(list, CB_GETCOUNT, 0, 0) == 1 && std::string(text) == SENTINEL;
    }

    int Run(int id, std::vector<Step> steps, size_t* done = nullptr)
    {
        return RunSteps([&] { return ROT_PreCommandDialog(f->frame, id); }, std::move(steps), done);
    }

    // The dialog of a case: the flag is up while it shows.
    static Step FlagIsUp(const std::string& caption)
    {
        return Check([caption](HWND e) {
            EXPECT_EQ(g_PreCommandActive, 1) << caption;
            EXPECT_EQ(Caption(e).rfind(caption, 0), 0u) << Caption(e);
        });
    }

    std::string path_;
    void* hDesign_ = nullptr;
    DispatchFixture* f = nullptr;
    HWND funcBar_ = nullptr;
};

}  // namespace

TEST_F(PreCommand, LineTableWidthConfirmedReachesTheEngineAndTheWaitingCommand)
{
    CommandRecord running = {};
    running.commandId = 40122;
    running.stateId = 9001;
    running.stateProc = WaitingCommand;
    running.level = 8;
    running.name = "waiting";
    Request* own = DF_StartCommand(&running, REQ_POINT1);
    LineTable* lines = TLL_Get_TllClass();
    ASSERT_EQ(TLL_Get_ZLinWidth(lines, 1), 25000);
    DdmContext* ctx = DDM_Open(hDesign_);
    ENV_SetCursorJump(ctx, 1);
    RECT canvas;
    GetWindowRect(f->canvas, &canvas);
    SetCursorPos(canvas.left + 10, canvas.top + 10);

    size_t done = 0;
    RunSteps(
        [&] {
            SendMessageA(f->frame, WM_COMMAND, 40138, 0);
            return 0;
        },
        {FlagIsUp(Sjis(u8"ライン設定表")), Select(0, Sjis(u8"線幅(mm)")), Press(IDC_TED_CHANGE), Type("0.3"),
         Press(IDOK)},
        &done);
    EXPECT_EQ(done, 5u);
    EXPECT_EQ(TLL_Get_ZLinWidth(lines, 1), 30000);
    EXPECT_EQ(DIN_GetAnswer(own), ANS_LINE_TABLE) << "the waiting command hears of the change";
    EXPECT_FALSE(Untouched(167)) << "the line-table list was refilled";
    EXPECT_FALSE(Untouched(169)) << "the VIA list was refilled";
    EXPECT_EQ(g_PreCommandActive, 0);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, canvas.right + 60) << "with a command running the cursor is taken off the canvas";
    EXPECT_EQ(cursor.y, canvas.top + 60);
    ENV_SetCursorJump(ctx, 0);
    DDM_Close(ctx);
    DF_EndCommand();
}

TEST_F(PreCommand, CancelledEditorsLeaveTheTablesAndTheBarsAsTheyWere)
{
    DdmContext* ctx = DDM_Open(hDesign_);
    struct Case {
        int id;
        const void* table;
        size_t size;
        std::string column;
        std::string value;
    } cases[] = {
        {40138, TLL_Get_TllClass(), sizeof(LineTable), Sjis(u8"線幅(mm)"), "0.5"},
        {40135, TPL_Get_TplClass(), sizeof(LineTable), Sjis(u8"線幅(mm)"), "0.5"},
        {40153, TTL_Get_TtlClass(), sizeof(TextLineTable), Sjis(u8"線幅(mm)"), "0.5"},
        {40042, TSZ_Get_TszClass(), sizeof(SizeTable), Sjis(u8"外形X(mm)"), "1.5"},
        {40169, TVT_Get_TvtClass(), sizeof(ViaTable), Sjis(u8"色"), "7"},
        {40237, DDM_Open_HoleTable(ctx), sizeof(HoleTable), Sjis(u8"径X(mm)"), "0.8"},
        {40133, TLV_Get_TlvClass(), sizeof(LevelTable), Sjis(u8"色"), "9"},
        {40185, DDM_Open_SignalTable(ctx), sizeof(SignalTable), "", ""},
        {40242, DDM_Open_RuleTable(ctx), sizeof(RuleTable), "", ""},
        {40044, DDM_Open_InnerTable(ctx), sizeof(InnerTable), "", ""},
    };
    for (const Case& c : cases) {
        std::string before = Bytes(c.table, c.size);
        std::vector<Step> steps;
        if (!c.column.empty()) steps = {Select(0, c.column), Press(IDC_TED_CHANGE), Type(c.value)};
        steps.push_back(Press(IDC_TED_ADD));
        steps.push_back(Press(IDCANCEL));
        size_t done = 0;
        EXPECT_EQ(Run(c.id, steps, &done), 0) << c.id;
        EXPECT_EQ(done, steps.size()) << c.id;
        EXPECT_TRUE(Bytes(c.table, c.size) == before) << c.id << ": cancel changed the engine's table";
        EXPECT_TRUE(Untouched(164) && Untouched(167) && Untouched(169)) << c.id << ": a bar list was refilled";
        EXPECT_EQ(DIN_GetAnswer(f->root), -7) << c.id;
    }
    DDM_Close(ctx);
}

TEST_F(PreCommand, ViaTableChangedSendsAnswer14)
{
    ViaTable* vias = TVT_Get_TvtClass();
    int r = Run(40169, {Select(0, Sjis(u8"色")), Press(IDC_TED_CHANGE), Type("12"), Press(IDOK)});
    EXPECT_NE(r, 0);
    EXPECT_EQ(vias->color[1] & 0xFF, 12u);
    EXPECT_EQ(DIN_GetAnswer(f->root), ANS_VIA_TABLE);
    EXPECT_FALSE(Untouched(169));

    // Confirmed without a change: nothing to tell.
    DF_MarkUnanswered();
    ResetLists();
    EXPECT_EQ(Run(40169, {Press(IDOK)}), 0);
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
    EXPECT_TRUE(Untouched(169));
}

TEST_F(PreCommand, DefinedViaTableOnlyWhileDefinedViasAreInUse)
{
    DdmContext* ctx = DDM_Open(hDesign_);
    DefViaTable* defined = DDM_Open_DefViaTable(ctx);
    defined->inUse = 0;
    {
        KIT_DialogWatch watch;
        EXPECT_EQ(ROT_PreCommandDialog(f->frame, 40243), 0);
        EXPECT_EQ(watch.Count(), 0u) << "no dialog without defined VIAs";
        EXPECT_TRUE(Untouched(169));
        EXPECT_EQ(g_PreCommandActive, 0);
    }
    defined->inUse = 1;
    size_t done = 0;
    EXPECT_EQ(Run(40243, {FlagIsUp(Sjis(u8"定義ＶＩＡ表")), Press(IDCANCEL)}, &done), 0);
    EXPECT_EQ(done, 2u);
    // With defined VIAs the inner-layer table opens no dialog and reports their use.
    KIT_DialogWatch watch;
    EXPECT_EQ(ROT_PreCommandDialog(f->frame, 40044), 1);
    EXPECT_EQ(watch.Count(), 0u);
    DDM_Close(ctx);
}

TEST_F(PreCommand, FlagIsUpInsideEveryCaseAndDownAfter)
{
    struct Case {
        int id;
        const char8_t* caption;
    } cases[] = {
        {40133, u8"レベル表"},       {162, u8"レベル表"},           {40042, u8"基準サイズ表"},
        {40135, u8"塗り込み設定表"}, {40153, u8"文字ライン設定表"}, {40138, u8"ライン設定表"},
        {40169, u8"ＱＺＶＩＡ表"},   {40237, u8"ホール表"},         {40044, u8"内層導通表"},
        {40185, u8"信号線設定表"},   {40242, u8"ルール表"},         {40081, u8"パレット"},
        {40401, u8"層構成"},
    };
    for (const Case& c : cases) {
        size_t done = 0;
        Run(c.id, {FlagIsUp(Sjis(c.caption)), Press(IDCANCEL)}, &done);
        EXPECT_EQ(done, 2u) << c.id;
        EXPECT_EQ(g_PreCommandActive, 0) << c.id;
    }
    // Ids whose dialogs are not there, and ids that do nothing.
    for (int id : {40136, 40037, 40495, 40127, 40180, 40306, 40132, 191, 199, 200, 40487, 40050, 12345}) {
        KIT_DialogWatch watch;
        EXPECT_EQ(ROT_PreCommandDialog(f->frame, id), id == 40132 || id == 200 ? 1 : 0) << id;
        EXPECT_EQ(g_PreCommandActive, 0) << id;
        EXPECT_EQ(watch.Count(), 0u) << id;
    }
}

TEST_F(PreCommand, LayerStructureWithoutMemoryEndsWithTheFlagDown)
{
    std::string before = Bytes(TLV_Get_TlvClass(), sizeof(LevelTable));
    MEM_FailNext("ROT_LayerStructure", 1);
    bool flagInside = false;
    std::string text;
    size_t done = 0;
    int r = Run(40401,
                {[&] {
                    HWND box = nullptr;
                    EnumThreadWindows(
                        GetCurrentThreadId(),
                        [](HWND h, LPARAM lp) {
                            char cls[16] = "";
                            GetClassNameA(h, cls, sizeof cls);
                            if (std::string(cls) != "#32770" || !IsWindowVisible(h)) return TRUE;
                            *(HWND*)lp = h;
                            return FALSE;
                        },
                        (LPARAM)&box);
                    if (!box) return false;
                    flagInside = g_PreCommandActive == 1;
                    text = KIT_DialogText(box);
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                    return true;
                }},
                &done);
    MEM_FailNext(nullptr, 0);
    EXPECT_EQ(done, 1u) << "the shortage is told";
    EXPECT_EQ(text, Sjis(u8"層構成を編集するメモリーが確保できません。"));
    EXPECT_TRUE(flagInside);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g_PreCommandActive, 0) << "a flag left up would lock the shortcut panel for good";
    EXPECT_TRUE(Bytes(TLV_Get_TlvClass(), sizeof(LevelTable)) == before);
    EXPECT_EQ(MEM_GetCount("ROT_LayerStructure").blocks, 0);

    // The next run is whole again.
    size_t again = 0;
    Run(40401, {FlagIsUp(Sjis(u8"層構成")), Press(IDCANCEL)}, &again);
    EXPECT_EQ(again, 2u);
    EXPECT_EQ(g_PreCommandActive, 0);
}

TEST_F(PreCommand, LayerStructureRefillsTheLevelListOnlyWhenAFlagIsSet)
{
    struct Case {
        const char* name;
        std::string column;
        std::string value;
        int button;
        bool refilled;
    } cases[] = {
        {"nothing changed", "", "", IDOK, false},
        {"cancelled", Sjis(u8"名称"), "X", IDCANCEL, false},
        {"level name", Sjis(u8"名称"), "TOP2", IDOK, true},
        {"physical layer", Sjis(u8"層"), "6", IDOK, true},
    };
    for (const Case& c : cases) {
        ResetLists();
        BAR_StatusSetText("");
        std::vector<Step> steps;
        if (!c.column.empty()) steps = {Select(0, c.column), Press(IDC_TED_CHANGE), Type(c.value)};
        steps.push_back(Press(c.button));
        size_t done = 0;
        Run(40401, steps, &done);
        EXPECT_EQ(done, steps.size()) << c.name;
        EXPECT_EQ(!Untouched(164), c.refilled) << c.name << ": level list";
        EXPECT_EQ(!Untouched(169), c.refilled) << c.name << ": VIA list";
        char status[128] = "";
        BAR_StatusGetText(status, sizeof status);
        EXPECT_EQ(std::string(status), c.refilled ? Sjis(u8"メニューを選択して下さい") : "") << c.name;
    }
    EXPECT_STREQ(TLV_Get_LevelName(TLV_Get_TlvClass(), 1), "TOP2");
    EXPECT_EQ(TLV_Get_Layer(TLV_Get_TlvClass(), 1), 6);
}

TEST_F(PreCommand, LevelTableOpensAtTheCanvasCornerThenWhereItWasClosed)
{
    *ROT_LevelDialogPlace() = {};
    RECT canvas;
    GetWindowRect(f->canvas, &canvas);
    size_t done = 0;
    Run(40133,
        {Check([&](HWND e) {
             RECT rc;
             GetWindowRect(e, &rc);
             EXPECT_EQ(rc.left, canvas.left);
             EXPECT_EQ(rc.top, canvas.top);
             SetWindowPos(e, nullptr, canvas.left + 50, canvas.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
         }),
         Select(2, Sjis(u8"色")), Press(IDCANCEL)},
        &done);
    EXPECT_EQ(done, 3u);
    EXPECT_EQ(ROT_LevelDialogPlace()->word, 3) << "the level selected last";
    Run(40133,
        {Check([&](HWND e) {
             RECT rc;
             GetWindowRect(e, &rc);
             EXPECT_EQ(rc.left, canvas.left + 50) << "where it was closed, even after cancel";
             EXPECT_EQ(rc.top, canvas.top + 40);
             EXPECT_EQ(SendMessageA(GetDlgItem(e, IDC_TED_LIST), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED), 2);
         }),
         Press(IDCANCEL)},
        &done);
    EXPECT_EQ(done, 2u);
}

TEST_F(PreCommand, LevelColourChangedRefillsTheListsAndReopensTheMap)
{
    CanvasState* cs = &f->cs;
    cs->rcView = {0, 1000000, 1000000, 0};
    SendMessageA(f->frame, WM_COMMAND, 175, 0);
    HWND oldMap = f->fs.hWndMap;
    ASSERT_NE(oldMap, nullptr);
    int r = Run(40133, {Select(0, Sjis(u8"色")), Press(IDC_TED_CHANGE), Type("5"), Press(IDOK)});
    EXPECT_NE(r, 0);
    EXPECT_EQ(TLV_Get_TlvClass()->extra[1].color & 0xFF, 5u);
    EXPECT_FALSE(Untouched(164));
    EXPECT_FALSE(Untouched(169));
    EXPECT_FALSE(IsWindow(oldMap)) << "the old map window is destroyed";
    ASSERT_NE(f->fs.hWndMap, nullptr);
    EXPECT_TRUE(IsWindowVisible(f->fs.hWndMap));
    DestroyWindow(f->fs.hWndMap);
}

// Counts the menu refreshes (WM_USER+5) the on-screen menu list receives.
static int s_menuRefreshes = 0;
static WNDPROC s_listProc = nullptr;
static LRESULT CALLBACK CountingListProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 5) ++s_menuRefreshes;
    return CallWindowProcA(s_listProc, hWnd, msg, wParam, lParam);
}

TEST_F(PreCommand, TableEditorsShowTheMenuAgainOnlyWhenNoCommandRuns)
{
    s_listProc = (WNDPROC)SetWindowLongPtrA(f->list, GWLP_WNDPROC, (LONG_PTR)CountingListProc);
    struct Case {
        int id;
        bool running;
        int refreshes;
    } cases[] = {
        {40138, false, 1}, {40133, false, 1}, {40169, false, 1}, {40138, true, 0}, {40185, false, 0}, {40081, false, 0},
    };
    CommandRecord record = {};
    record.commandId = 40122;
    record.stateId = 9001;
    record.stateProc = WaitingCommand;
    record.level = 8;
    record.name = "waiting";
    for (const Case& c : cases) {
        if (c.running) DF_StartCommand(&record, REQ_POINT1);
        s_menuRefreshes = 0;
        size_t done = 0;
        Run(c.id, {Press(IDCANCEL)}, &done);
        EXPECT_EQ(done, 1u) << c.id;
        EXPECT_EQ(s_menuRefreshes, c.refreshes) << c.id << (c.running ? " with a command running" : "");
        if (c.running) DF_EndCommand();
    }
    SetWindowLongPtrA(f->list, GWLP_WNDPROC, (LONG_PTR)s_listProc);
}

TEST_F(PreCommand, PaletteChangeReachesTheDrawingsColours)
{
    int r = Run(40081, {Select(4, Sjis(u8"青")), Press(IDC_TED_CHANGE), Type("77"), Press(IDOK)});
    EXPECT_NE(r, 0);
    EXPECT_EQ(GetBValue(PLT_ResolveColourWord(0x01000004u)), 77);
}

TEST_F(PreCommand, EqualLengthButtonIsClearedAndShortcutPanelToggles)
{
    HWND button = GetDlgItem(f->attrBar, 199);
    SendMessageA(button, BM_SETCHECK, 1, 0);
    ROT_PreCommandDialog(f->frame, 199);
    EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), 0);

    // An open panel is closed and its place kept.
    HWND panel = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 123, 45, 60, 30, f->frame, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    f->fs.hWndShortcut = panel;
    f->fs.bShortcutAtStart = 1;
    ROT_PreCommandDialog(f->frame, 198);
    EXPECT_FALSE(IsWindow(panel));
    EXPECT_EQ(f->fs.hWndShortcut, nullptr);
    EXPECT_EQ(f->fs.ptShortcut.x, 123);
    EXPECT_EQ(f->fs.ptShortcut.y, 45);
    EXPECT_EQ(f->fs.bShortcutAtStart, 0) << "the setup was written";
}

TEST_F(PreCommand, BulletinBoardFirstOpensAtTheCanvasCorner)
{
    EnvRecord* env = ENV_GetENVClass();
    env->own.bbsRect[0] = env->own.bbsRect[1] = 0;
    RECT canvas;
    GetWindowRect(f->canvas, &canvas);
    ROT_PreCommandDialog(f->frame, 200);
    EXPECT_EQ(env->own.bbsRect[0], canvas.left);
    EXPECT_EQ(env->own.bbsRect[1], canvas.top);
    // A kept position stays.
    env->own.bbsRect[0] = 300;
    env->own.bbsRect[1] = 200;
    ROT_PreCommandDialog(f->frame, 200);
    EXPECT_EQ(env->own.bbsRect[0], 300);
    EXPECT_EQ(env->own.bbsRect[1], 200);
}
