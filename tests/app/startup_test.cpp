// Start-up pieces run in the test's own process: the command-line check, the
// start dialog's choices (cancel, the named design, the open dialog and its
// cancel), the transparencies of the settings file and the saved placement.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "app/app.h"
#include "app/file.h"
#include "kit/gui_kit.h"
#include "platform/qzt_display.h"
#include "platform/qzt_placement.h"
#include "platform/qzt_runtime.h"
#include "res/app_ids.h"

namespace {

// Runs `body` on a thread of its own, watched from its first instruction, so
// that the test can look at and press the dialogs it opens.
class WatchedThread {
public:
    explicit WatchedThread(std::function<int()> body) : body_(std::move(body))
    {
        thread_ = CreateThread(nullptr, 0, Run, this, CREATE_SUSPENDED, &id_);
        watch_ = new KIT_DialogWatch(id_);
        ResumeThread(thread_);
    }
    ~WatchedThread()
    {
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        delete watch_;
    }
    KIT_DialogWatch& Watch() { return *watch_; }
    // Waits, pumping, until the thread ends; its result.
    int Result()
    {
        KIT_PumpUntil([&] { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; });
        return result_;
    }

private:
    static DWORD WINAPI Run(LPVOID self)
    {
        WatchedThread* t = (WatchedThread*)self;
        t->result_ = t->body_();
        return 0;
    }
    std::function<int()> body_;
    HANDLE thread_;
    DWORD id_ = 0;
    KIT_DialogWatch* watch_;
    int result_ = -99;
};

void Press(HWND hDlg, int id)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, id));
}

const char* START_CAPTION = "QZ-Viewer";

}  // namespace

TEST(StartUp, CommandLineMustEndInTpwOfOneCase)
{
    struct Row {
        const char* path;
        int tpw;
    };
    const Row rows[] = {
        {"C:\\d\\board.tpw", 1}, {"C:\\d\\BOARD.TPW", 1}, {"board.Tpw", 0},
        {"board.tpW", 0},        {"board.pcb", 0},        {"tpw", 1},
        {"pw", 0},               {"", 0},
    };
    for (const Row& r : rows) EXPECT_EQ(APP_IsTpwPath(r.path), r.tpw) << r.path;
    // Another extension ends the program at once, before any dialog.
    KIT_DialogWatch watch;
    EXPECT_EQ(APP_InitStartMode(GetModuleHandleA(nullptr), "\"C:\\d\\board.Tpw\""), 0);
    EXPECT_EQ(watch.Count(), 0u);
}

TEST(StartUp, CancelOfTheStartDialogEndsTheProgram)
{
    WatchedThread t([] { return APP_InitStartMode(GetModuleHandleA(nullptr), ""); });
    ASSERT_TRUE(t.Watch().WaitForCount(1));
    HWND dlg = t.Watch().LastWindow();
    EXPECT_EQ(t.Watch().Seen()[0].caption, START_CAPTION);
    // No design named: only open and cancel end the dialog.
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_START_OPEN_NAMED)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_START_FILE)));
    EXPECT_EQ(KIT_WindowText(GetDlgItem(dlg, IDC_START_VERSION)), "Viewer Version 27.00");
    // Escape does not end it.
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    Press(dlg, IDC_START_CANCEL);
    EXPECT_EQ(t.Result(), 0);
    EXPECT_EQ(g_StartChoice.startMode, APP_START_CANCEL);
}

TEST(StartUp, NamedDesignOpensByItsFullPath)
{
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    WatchedThread t([] { return APP_InitStartMode(GetModuleHandleA(nullptr), "\"sub\\my.board.TPW\""); });
    ASSERT_TRUE(t.Watch().WaitForCount(1));
    HWND dlg = t.Watch().LastWindow();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, IDC_START_OPEN_NAMED)));
    EXPECT_EQ(KIT_WindowText(GetDlgItem(dlg, IDC_START_FILE)), "sub\\my.board.TPW") << "quotes removed";
    Press(dlg, IDC_START_OPEN_NAMED);
    EXPECT_EQ(t.Result(), 1);
    EXPECT_EQ(g_StartChoice.startMode, APP_START_OPEN_NAMED);
    std::string folder = std::string(cwd) + (cwd[std::strlen(cwd) - 1] == '\\' ? "" : "\\") + "sub\\";
    EXPECT_STREQ(g_DesignPathBuffer.folder, folder.c_str());
    EXPECT_STREQ(g_DesignPathBuffer.name, "my.board.TPW");
    EXPECT_STREQ(g_FontName, "TEXT");
}

TEST(StartUp, CancelledOpenDialogReturnsToTheStartDialog)
{
    WatchedThread t([] { return APP_InitStartMode(GetModuleHandleA(nullptr), ""); });
    KIT_DialogWatch& w = t.Watch();
    w.Answer(IDC_START_OPEN, START_CAPTION);
    w.Answer(IDCANCEL, "開く");
    w.Answer(IDC_START_CANCEL, START_CAPTION);
    EXPECT_EQ(t.Result(), 0);
    auto seen = w.Seen();
    std::string order;
    for (const auto& d : seen) order += "[" + d.caption + "]";
    // Under load the system's file dialog may show a window of its own in
    // between; what matters is the order start, open, start.
    ASSERT_GE(seen.size(), 3u) << order;
    EXPECT_EQ(seen.front().caption, START_CAPTION) << order;
    EXPECT_NE(order.find("[開く]"), std::string::npos) << order;
    EXPECT_EQ(seen.back().caption, START_CAPTION) << order << ": the start dialog comes back";
}

TEST(StartUp, TransparenciesOnlyInTheOpenUnitRange)
{
    // The only test that writes the settings file of the program folder.
    std::string ini = ENV_GetBinPath("torva.ini");
    std::ofstream(ini, std::ios::binary) << "%ALPHA_SOLIDLINE:0\r\n"
                                            "%ALPHA_STRING:-1\r\n"
                                            "%ALPHA_LINE_OUTLINE:1.5\r\n"
                                            "%ALPHA_NURIKOMI_OUTLINE:0.25\r\n"
                                            "%ALPHA_NURIKOMI:1.0\r\n"
                                            "%ALPHA_SOLIDVIA:\r\n";
    void (*const setters[])(float) = {D2D_SetALPHA_LINE_SOLID,       D2D_SetALPHA_STRING,
                                      D2D_SetALPHA_LINE_OUTLINE,     D2D_SetALPHA_NURIKOMI_OUTLINE,
                                      D2D_SetALPHA_NURIKOMI_SOLID,   D2D_SetALPHA_VIA,
                                      D2D_SetALPHA_HOLE,             D2D_SetALPHA_THERMAL};
    for (auto set : setters) set(0.5f);
    EXPECT_EQ(APP_ApplyTransparencies(), 2);
    DeleteFileA(ini.c_str());
    EXPECT_EQ(D2D_GetALPHA_LINE_SOLID(), 0.5f) << "0 ignored";
    EXPECT_EQ(D2D_GetALPHA_STRING(), 0.5f) << "-1 ignored";
    EXPECT_EQ(D2D_GetALPHA_LINE_OUTLINE(), 0.5f) << "1.5 ignored";
    EXPECT_EQ(D2D_GetALPHA_NURIKOMI_OUTLINE(), 0.25f);
    EXPECT_EQ(D2D_GetALPHA_NURIKOMI_SOLID(), 1.0f);
    EXPECT_EQ(D2D_GetALPHA_VIA(), 0.5f) << "an empty value is no value";
    EXPECT_EQ(D2D_GetALPHA_THERMAL(), 0.5f) << "a missing key leaves the value";
}

TEST(StartUp, SavedPlacementShowState)
{
    // The only test that writes the placement profile of the program folder.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PlacementTestWindow";
    RegisterClassA(&wc);
    struct Row {
        UINT showCmd;
        bool maximised;
        bool moved;
    };
    for (Row r : {Row{1, true, true}, Row{0, false, true}, Row{7, false, false}}) {
        HWND w = CreateWindowExA(0, "PlacementTestWindow", "p", WS_OVERLAPPEDWINDOW, 50, 60, 400, 300, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof(wp);
        wp.showCmd = r.showCmd;
        wp.rcNormalPosition = RECT{120, 130, 620, 530};
        ASSERT_TRUE(WritePrivateProfileStructA("WINDOW", "PLACEMENT", &wp, sizeof(wp), ENV_GetPlacementProfile()));
        APP_RestorePlacement(w);
        KIT_PumpPending();
        EXPECT_TRUE(IsWindowVisible(w)) << r.showCmd;
        EXPECT_EQ(IsZoomed(w) != 0, r.maximised) << r.showCmd;
        WINDOWPLACEMENT now = {};
        now.length = sizeof(now);
        GetWindowPlacement(w, &now);
        EXPECT_EQ(now.rcNormalPosition.left == 120, r.moved) << r.showCmd;
        DestroyWindow(w);
    }
    DeleteFileA(ENV_GetPlacementProfile());
}

TEST(StartUp, DesignDialogRules)
{
    struct Row {
        FileDialogKind kind;
        const char* path;
        const char* ext;
        FileVerdict verdict;
    };
    const Row rows[] = {
        {FILE_KIND_DESIGN, "C:\\a\\b.pcb", "pcb", FILE_ASK_AGAIN},  // the board dialogs take boards, silently
        {FILE_KIND_DESIGN, "C:\\a\\b.dxf", "dxf", FILE_REFUSE},
        {FILE_KIND_BOARD, "C:\\a\\b.PCB", "PCB", FILE_ADVISE},
        {FILE_KIND_BOARD, "C:\\a\\b.tpw", "tpw", FILE_ACCEPT},
        {FILE_KIND_BOARD_ONLY, "C:\\a\\b.tpw", "tpw", FILE_REFUSE},
        {FILE_KIND_DESIGN_OR_BOARD, "C:\\a\\b.ttp", "ttp", FILE_REFUSE},
        {FILE_KIND_TEMPLATE, "C:\\a\\b.xyz", "xyz", FILE_ACCEPT},
        {FILE_KIND_FONT, "C:\\prog\\ABCDEFGH.fnt", "fnt", FILE_ACCEPT},
        {FILE_KIND_FONT, "C:\\prog\\ABCDEFGHI.fnt", "fnt", FILE_REFUSE},
        {FILE_KIND_FONT, "C:\\other\\A.fnt", "fnt", FILE_REFUSE},
        {FILE_KIND_FONT, "C:\\prog\\A.txt", "txt", FILE_REFUSE},
    };
    for (const Row& r : rows)
        EXPECT_EQ(FILE_CheckChoice(r.kind, r.path, r.ext, "C:\\prog\\").verdict, r.verdict) << r.path;
    EXPECT_STREQ(FILE_CheckChoice(FILE_KIND_FONT, "C:\\prog\\ABCDEFGHI.fnt", "fnt", "C:\\prog\\").message,
                 "フォントファイル名の長さは半角8文字以下にしてください。");
    EXPECT_STREQ(FILE_CheckChoice(FILE_KIND_FONT, "C:\\other\\A.fnt", "fnt", "C:\\prog\\").caption, "フォントファイル選択");
}

TEST(StartUp, FolderProposalCutsTheNameAtItsLastDot)
{
    DesignPathBuffer buf = {};
    std::strcpy(buf.folder, "C:\\B\\");
    std::strcpy(buf.name, "A.PCB");
    FolderDlgParam param = {0, &buf};
    char out[300];
    APP_ProposeFolder(&param, out, sizeof(out));
    EXPECT_STREQ(out, "C:\\B\\A\\");
    std::strcpy(buf.name, "my.board.pcb");
    APP_ProposeFolder(&param, out, sizeof(out));
    EXPECT_STREQ(out, "C:\\B\\my.board\\");
    param.mode = 3;
    APP_ProposeFolder(&param, out, sizeof(out));
    EXPECT_STREQ(out, "C:\\B\\");
}

TEST(StartUp, ClipboardTextIsCutAt1024)
{
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    std::string longText(2000, 'x');
    longText[1023] = 'y';
    ASSERT_EQ(APP_CopyTextToClipboard(longText.c_str(), owner), 0);
    ASSERT_TRUE(OpenClipboard(owner));
    std::string got = (const char*)GlobalLock(GetClipboardData(CF_TEXT));
    CloseClipboard();
    EXPECT_EQ(got.size(), 1024u);
    EXPECT_EQ(got.back(), 'y');
    ASSERT_EQ(APP_CopyTextToClipboard("", owner), 0);
    ASSERT_TRUE(OpenClipboard(owner));
    EXPECT_STREQ((const char*)GlobalLock(GetClipboardData(CF_TEXT)), "");
    CloseClipboard();
    DestroyWindow(owner);
}
