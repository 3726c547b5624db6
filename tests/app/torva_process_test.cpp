// The built Torva.exe run as a person runs it: copied into a folder of its
// own (its program folder, with its own settings file and work space), its
// start dialog answered, its frame closed. Windows of the child are found by
// its process id and driven with posted messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "kit/gui_kit.h"
#include "res/app_ids.h"

namespace {

// The exe path as CMake knows it (a path of the build machine, which Wine
// shows as drive Z:).
std::string ExePath()
{
    std::string p = TORVA_EXE;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p.size() > 1 && p[1] == ':' ? p : "Z:" + p;
}

class ProgramFolder {
public:
    explicit ProgramFolder(const char* tag)
    {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        dir_ = std::string(tmp) + "torva_run_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
        CopyFileA(ExePath().c_str(), (dir_ + "Torva.exe").c_str(), FALSE);
    }
    ~ProgramFolder()
    {
        for (const char* f : {"Torva.exe", "torva.ini", "QZtemp.wps", "QzTorva.ini", "$TEMP"}) DeleteFileA((dir_ + f).c_str());
        RemoveDirectoryA((dir_ + "QZtemp.wps").c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    const std::string& Dir() const { return dir_; }
    void WriteIni(const std::string& text) const { std::ofstream(dir_ + "torva.ini", std::ios::binary) << text; }

private:
    std::string dir_;
};

class Child {
public:
    Child(const ProgramFolder& folder, const std::string& args)
    {
        std::string cmd = "\"" + folder.Dir() + "Torva.exe\"" + (args.empty() ? "" : " " + args);
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        ok_ = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.Dir().c_str(), &si, &pi_);
    }
    ~Child()
    {
        if (!ok_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 5000);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool Started() const { return ok_; }
    // A visible top-level window of the child with this class (and caption,
    // when given), waited for while the child runs.
    HWND WaitWindow(const char* cls, const std::string& caption = "", DWORD limitMs = 20000)
    {
        HWND found = nullptr;
        KIT_PumpUntil(
            [&] {
                found = Find(cls, caption);
                return found || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0;
            },
            limitMs);
        return found;
    }
    // The exit code once the child ended, or -1.
    int WaitExit(DWORD limitMs = 20000)
    {
        KIT_PumpUntil([&] { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }, limitMs);
        DWORD code = 0;
        if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0 || !GetExitCodeProcess(pi_.hProcess, &code)) return -1;
        return (int)code;
    }

private:
    struct FindArg {
        DWORD pid;
        const char* cls;
        const std::string* caption;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND h, LPARAM lp)
    {
        FindArg* a = (FindArg*)lp;
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        char cls[64] = "";
        GetClassNameA(h, cls, sizeof(cls));
        if (pid == a->pid && IsWindowVisible(h) && lstrcmpiA(cls, a->cls) == 0 &&
            (a->caption->empty() || KIT_WindowText(h) == *a->caption)) {
            a->found = h;
            return FALSE;
        }
        return TRUE;
    }
    HWND Find(const char* cls, const std::string& caption)
    {
        FindArg a = {pi_.dwProcessId, cls, &caption, nullptr};
        EnumWindows(Match, (LPARAM)&a);
        return a.found;
    }
    PROCESS_INFORMATION pi_ = {};
    bool ok_ = false;
};

void Press(HWND hDlg, int id)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, id));
}

}  // namespace

TEST(TorvaProcess, NamedDesignReachesTheFrameAndExitEndsTheLoop)
{
    ProgramFolder folder("frame");
    Child torva(folder, "\"" + folder.Dir() + "board.tpw\"");
    ASSERT_TRUE(torva.Started());
    HWND start = torva.WaitWindow("#32770", "QZ-Viewer");
    ASSERT_TRUE(start) << "the start dialog comes first";
    Press(start, IDC_START_OPEN_NAMED);
    HWND frame = torva.WaitWindow("QZTorva_CLASS");
    ASSERT_TRUE(frame);
    EXPECT_EQ(KIT_WindowText(frame).rfind("QZ-Viewer - [", 0), 0u) << KIT_WindowText(frame);
    // The six children, with the canvas and the status bar by their ids.
    EXPECT_TRUE(GetDlgItem(frame, 113));
    EXPECT_TRUE(GetDlgItem(frame, 114));
    EXPECT_TRUE(GetDlgItem(frame, 135));
    PostMessageA(frame, WM_CLOSE, 0, 0);
    HWND ask = torva.WaitWindow("#32770", "終了");
    ASSERT_TRUE(ask);
    EXPECT_EQ(KIT_DialogText(ask), "Viewerを終了しますか？");
    Press(ask, IDOK);
    EXPECT_EQ(torva.WaitExit(), 0);
    // Destruction kept the grid hide values in the settings file.
    std::ifstream ini(folder.Dir() + "torva.ini");
    std::string all((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
    EXPECT_NE(all.find("%maingrid:"), std::string::npos) << all;
}

TEST(TorvaProcess, CancelOfTheExitQuestionKeepsTheFrame)
{
    ProgramFolder folder("keep");
    Child torva(folder, folder.Dir() + "x.tpw");
    HWND start = torva.WaitWindow("#32770", "QZ-Viewer");
    ASSERT_TRUE(start);
    Press(start, IDC_START_OPEN_NAMED);
    HWND frame = torva.WaitWindow("QZTorva_CLASS");
    ASSERT_TRUE(frame);
    PostMessageA(frame, WM_COMMAND, 40041, 0);  // the menu's exit
    HWND ask = torva.WaitWindow("#32770", "終了");
    ASSERT_TRUE(ask);
    Press(ask, IDCANCEL);
    KIT_PumpUntil([&] { return !IsWindow(ask); });
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_EQ(torva.WaitExit(300), -1) << "still running";
}

TEST(TorvaProcess, FailedWorkSpaceSaysSoAndReturnsOne)
{
    ProgramFolder folder("wps");
    // A folder where the work space file would go: it can be neither
    // deleted nor opened as a file.
    ASSERT_TRUE(CreateDirectoryA((folder.Dir() + "QZtemp.wps").c_str(), nullptr));
    Child torva(folder, folder.Dir() + "board.tpw");
    HWND start = torva.WaitWindow("#32770", "QZ-Viewer");
    ASSERT_TRUE(start);
    Press(start, IDC_START_OPEN_NAMED);
    HWND box = torva.WaitWindow("#32770", "QZ-Torva");
    ASSERT_TRUE(box);
    EXPECT_EQ(KIT_DialogText(box), "WPS が確保できませんでした．");
    Press(box, IDOK);
    EXPECT_EQ(torva.WaitExit(), 1);
}

TEST(TorvaProcess, SecondCopyWithTheSameDesignAsksFirst)
{
    ProgramFolder first("first");
    ProgramFolder second("second");
    // The first copy holds C:\designs\board (its settings file says so) and
    // waits in its start dialog.
    first.WriteIni("%pcbpath:C:\\designs\\\r\n%wpsname:board\r\n%tvmode:0\r\n");
    Child one(first, "");
    ASSERT_TRUE(one.WaitWindow("#32770", "QZ-Viewer"));
    Child two(second, "C:\\designs\\board.tpw");
    HWND ask = two.WaitWindow("#32770", "Torva複数起動中");
    ASSERT_TRUE(ask) << "asked before the start dialog";
    EXPECT_EQ(KIT_DialogText(ask), "同名のファイルが起動中です。継続してよろしいですか？");
    Press(ask, IDCANCEL);
    EXPECT_EQ(two.WaitExit(), 0);
    Press(one.WaitWindow("#32770", "QZ-Viewer"), IDC_START_CANCEL);
    EXPECT_EQ(one.WaitExit(), 0);
}
