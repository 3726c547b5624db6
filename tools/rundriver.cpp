// Headless run driver: starts the viewer, answers its start dialog as a
// person would (the named design's button when a design was given, else the
// open button is not pressed and the dialog's cancel ends the run), waits
// until the main frame is up and the design has loaded, saves a picture of
// the screen as a BMP file, then ends the viewer.
//   rundriver VIEWER.EXE OUT.BMP [DESIGN]
// Exit 0 when the frame appeared and the picture was written.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

struct FindClassArg {
    DWORD pid;
    const char* cls;
    HWND found;
};

// A visible top-level window of the viewer's process with the given class.
static BOOL CALLBACK FindWindowOfClass(HWND hWnd, LPARAM lParam)
{
    FindClassArg* arg = (FindClassArg*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    if (pid == arg->pid && IsWindowVisible(hWnd) && lstrcmpiA(cls, arg->cls) == 0) {
        arg->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Waits up to `limitMs` for such a window; null when the viewer ended or
// none came.
static HWND WaitForWindow(HANDLE process, DWORD pid, const char* cls, DWORD limitMs)
{
    FindClassArg arg = {pid, cls, nullptr};
    for (DWORD waited = 0; waited < limitMs && !arg.found; waited += 50) {
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) break;
        EnumWindows(FindWindowOfClass, (LPARAM)&arg);
    }
    return arg.found;
}

// The screen's pixels as they are now.
static std::vector<unsigned char> Screen()
{
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<unsigned char> out((unsigned char*)bits, (unsigned char*)bits + (size_t)w * h * 4);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return out;
}

// The design loads on the viewer's command thread after the frame is up,
// behind the load's progress window. Done when no progress window shows and
// the screen has stayed the same for a second; 60 s at most. A message box
// the load shows (a warning about the design) is read, as a person would,
// and closed with OK; what it said goes to stderr.
static void WaitForLoad(HANDLE process, DWORD pid)
{
    std::vector<unsigned char> last;
    HWND answered = nullptr;
    int same = 0;
    for (DWORD waited = 0; waited < 60000 && same < 4; waited += 250) {
        if (WaitForSingleObject(process, 250) == WAIT_OBJECT_0) return;
        FindClassArg box = {pid, "#32770", nullptr};
        EnumWindows(FindWindowOfClass, (LPARAM)&box);
        if (box.found && box.found != answered) {
            answered = box.found;
            char caption[256] = "", text[1024] = "";
            GetWindowTextA(box.found, caption, sizeof(caption));
            GetDlgItemTextA(box.found, 0xFFFF, text, sizeof(text));
            std::fprintf(stderr, "rundriver: the viewer said [%s] %s\n", caption, text);
            PostMessageA(box.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            same = 0;
            continue;
        }
        FindClassArg progress = {pid, "TrvDlg_Doing", nullptr};
        EnumWindows(FindWindowOfClass, (LPARAM)&progress);
        std::vector<unsigned char> now = Screen();
        same = (!progress.found && now == last) ? same + 1 : 0;
        last.swap(now);
    }
}

// The start dialog's button that opens the design named on the command line.
static const int START_OPEN_NAMED = 1819;

static bool WriteScreenBmp(const char* path)
{
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;  // bottom-up, as a BMP file stores it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD stride = ((DWORD)w * 3 + 3) & ~3u;
    DWORD imageSize = stride * (DWORD)h;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4d42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + imageSize;
    bool ok = false;
    if (FILE* f = std::fopen(path, "wb")) {
        ok = std::fwrite(&fh, sizeof(fh), 1, f) == 1 &&
             std::fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f) == 1 &&
             std::fwrite(bits, imageSize, 1, f) == 1;
        ok = (std::fclose(f) == 0) && ok;
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: rundriver VIEWER.EXE OUT.BMP [DESIGN]\n");
        return 2;
    }
    std::string cmd = std::string("\"") + argv[1] + "\"";
    if (argc > 3) cmd += std::string(" \"") + argv[3] + "\"";
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back(0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "rundriver: cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    // The viewer's start-up is quick; 60 s only guards against a viewer that
    // never shows a window (it then has failed, and we say so). The start
    // dialog comes first; its named-design button is pressed as a click
    // would press it.
    HWND start = WaitForWindow(pi.hProcess, pi.dwProcessId, "#32770", 60000);
    if (start && argc > 3) {
        HWND button = GetDlgItem(start, START_OPEN_NAMED);
        PostMessageA(start, WM_COMMAND, MAKEWPARAM(START_OPEN_NAMED, BN_CLICKED), (LPARAM)button);
    } else if (start) {
        std::fprintf(stderr, "rundriver: no design given; the start dialog waits for a choice\n");
    }
    HWND frame = WaitForWindow(pi.hProcess, pi.dwProcessId, "QZTorva_CLASS", argc > 3 ? 60000 : 0);
    int rc = 1;
    if (frame) {
        WaitForInputIdle(pi.hProcess, 10000);
        if (argc > 3) WaitForLoad(pi.hProcess, pi.dwProcessId);
        RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(500);  // let Wine hand the window surface to the X server
        rc = WriteScreenBmp(argv[2]) ? 0 : 1;
        if (rc) std::fprintf(stderr, "rundriver: cannot write %s\n", argv[2]);
    } else {
        std::fprintf(stderr, "rundriver: the viewer showed no main frame\n");
    }
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return rc;
}
