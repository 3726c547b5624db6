// The test kit. Dialogs are answered by posting WM_COMMAND from a WH_CBT
// hook on HCBT_ACTIVATE: it arrives after WM_INITDIALOG, so the texts are set,
// and posting (rather than sending a click) keeps the dialog's own loop in
// charge. Synthesized input sent from the hook gets lost under Wine, so
// answers are always messages.
#include "kit/gui_kit.h"

#include <algorithm>
#include <cstdio>

bool KIT_PumpUntil(const std::function<bool()>& cond, DWORD limitMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        KIT_PumpPending();
        if (cond()) return true;
        DWORD spent = GetTickCount() - start;
        if (spent >= limitMs) return cond();
        // Wakes on any message or after a short while, so conditions changed
        // by other threads are seen promptly.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(limitMs - spent, 10), QS_ALLINPUT);
    }
}

void KIT_PumpPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string KIT_WindowText(HWND hWnd)
{
    int n = GetWindowTextLengthA(hWnd);
    std::string s((size_t)n + 1, '\0');
    n = GetWindowTextA(hWnd, s.data(), n + 1);
    s.resize((size_t)std::max(n, 0));
    return s;
}

struct StaticTexts {
    std::string joined;
};

static BOOL CALLBACK CollectStatic(HWND hWnd, LPARAM lParam)
{
    char cls[32] = {};
    GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") == 0) {
        std::string t = KIT_WindowText(hWnd);
        if (!t.empty()) {
            StaticTexts* texts = (StaticTexts*)lParam;
            if (!texts->joined.empty()) texts->joined += '\n';
            texts->joined += t;
        }
    }
    return TRUE;
}

std::string KIT_DialogText(HWND hDlg)
{
    if (HWND box = GetDlgItem(hDlg, 0xFFFF)) return KIT_WindowText(box);
    StaticTexts texts;
    EnumChildWindows(hDlg, CollectStatic, (LPARAM)&texts);
    return texts.joined;
}

// One watch per watched thread; the hook procedure finds its watch here.
static std::mutex s_watchLock;
static std::vector<std::pair<DWORD, KIT_DialogWatch*>> s_watches;

// Hands a dialog of the current thread to the thread's watch. Under Wine the
// hooks also run in this thread when a window of another thread or process
// (another test's message box) is activated as this thread's window closes:
// only the watched thread's own dialogs are recorded and answered.
static void SeenOnThisThread(HWND hWnd)
{
    char cls[16] = {};
    GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") != 0 || GetWindowThreadProcessId(hWnd, nullptr) != GetCurrentThreadId()) return;
    KIT_DialogWatch* watch = nullptr;
    {
        std::lock_guard<std::mutex> guard(s_watchLock);
        DWORD tid = GetCurrentThreadId();
        for (auto& w : s_watches)
            if (w.first == tid) watch = w.second;
    }
    if (watch) watch->OnActivate(hWnd);
}

static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) SeenOnThisThread((HWND)wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A dialog is also seen once its WM_INITDIALOG has run, texts set: while
// another program's window is in front, a box without an owner may not be
// activated until that window goes, which can take as long as the other
// test runs.
static LRESULT CALLBACK InitProc(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* m = (const CWPRETSTRUCT*)lParam;
    if (code == HC_ACTION && m->message == WM_INITDIALOG) SeenOnThisThread(m->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

KIT_DialogWatch::KIT_DialogWatch(DWORD threadId)
{
    seenEvent_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    {
        std::lock_guard<std::mutex> guard(s_watchLock);
        s_watches.push_back({threadId, this});
    }
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, threadId);
    initHook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, InitProc, nullptr, threadId);
}

KIT_DialogWatch::~KIT_DialogWatch()
{
    if (hook_) UnhookWindowsHookEx(hook_);
    if (initHook_) UnhookWindowsHookEx(initHook_);
    std::lock_guard<std::mutex> guard(s_watchLock);
    s_watches.erase(std::remove_if(s_watches.begin(), s_watches.end(),
                                   [this](auto& w) { return w.second == this; }),
                    s_watches.end());
    CloseHandle(seenEvent_);
}

void KIT_DialogWatch::Answer(int buttonId, const std::string& caption)
{
    std::lock_guard<std::mutex> guard(lock_);
    answers_.push_back({buttonId, caption});
}

void KIT_DialogWatch::OnActivate(HWND hWnd)
{
    std::lock_guard<std::mutex> guard(lock_);
    // A dialog is activated again when a box it opened closes: record it once.
    if (std::find(handled_.begin(), handled_.end(), hWnd) != handled_.end()) return;
    handled_.push_back(hWnd);
    KIT_SeenDialog seen{KIT_WindowText(hWnd), KIT_DialogText(hWnd), 0};
    for (size_t i = 0; i < answers_.size(); i++) {
        if (answers_[i].caption.empty() || answers_[i].caption == seen.caption) {
            seen.answeredWith = answers_[i].id;
            answers_.erase(answers_.begin() + (long)i);
            PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(seen.answeredWith, BN_CLICKED),
                         (LPARAM)GetDlgItem(hWnd, seen.answeredWith));
            break;
        }
    }
    seen_.push_back(seen);
    last_ = hWnd;
    SetEvent(seenEvent_);
}

std::vector<KIT_SeenDialog> KIT_DialogWatch::Seen()
{
    std::lock_guard<std::mutex> guard(lock_);
    return seen_;
}

size_t KIT_DialogWatch::Count()
{
    std::lock_guard<std::mutex> guard(lock_);
    return seen_.size();
}

HWND KIT_DialogWatch::LastWindow()
{
    std::lock_guard<std::mutex> guard(lock_);
    return last_;
}

bool KIT_DialogWatch::WaitForCount(size_t n, DWORD limitMs)
{
    return KIT_PumpUntil([&] { return Count() >= n; }, limitMs);
}

KIT_Image KIT_CaptureClient(HWND hWnd)
{
    KIT_Image image;
    RECT rc;
    if (!GetClientRect(hWnd, &rc)) return image;
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    image.width = rc.right;
    image.height = rc.bottom;
    if (image.width <= 0 || image.height <= 0) return image;
    HDC wdc = GetDC(hWnd);
    HDC mem = CreateCompatibleDC(wdc);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = image.width;
    bi.bmiHeader.biHeight = -image.height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, image.width, image.height, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* p = (const uint32_t*)bits;
    image.pixels.assign(p, p + (size_t)image.width * (size_t)image.height);
    for (auto& px : image.pixels) px &= 0x00ffffff;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hWnd, wdc);
    return image;
}

bool KIT_WriteBmp(const KIT_Image& image, const char* path)
{
    DWORD stride = ((DWORD)image.width * 3 + 3) & ~3u;
    DWORD size = stride * (DWORD)image.height;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    fh.bfType = 0x4d42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + size;
    ih.biSize = sizeof(ih);
    ih.biWidth = image.width;
    ih.biHeight = image.height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::vector<unsigned char> rows(size, 0);
    for (int y = 0; y < image.height; y++) {
        unsigned char* row = rows.data() + (size_t)(image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; x++) {
            uint32_t px = image.At(x, y);
            row[x * 3 + 0] = (unsigned char)(px & 0xff);
            row[x * 3 + 1] = (unsigned char)((px >> 8) & 0xff);
            row[x * 3 + 2] = (unsigned char)((px >> 16) & 0xff);
        }
    }
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(&fh, sizeof(fh), 1, f) == 1 && std::fwrite(&ih, sizeof(ih), 1, f) == 1 &&
              (size == 0 || std::fwrite(rows.data(), size, 1, f) == 1);
    return (std::fclose(f) == 0) && ok;
}

void KIT_PostMouseMove(HWND hWnd, int x, int y, WPARAM keys)
{
    PostMessageA(hWnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void KIT_PostClick(HWND hWnd, int x, int y, bool right)
{
    KIT_PostMouseMove(hWnd, x, y);
    PostMessageA(hWnd, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
                 MAKELPARAM(x, y));
    PostMessageA(hWnd, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void KIT_PostKey(HWND hWnd, UINT vk)
{
    UINT scan = MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */);
    PostMessageA(hWnd, WM_KEYDOWN, vk, 1 | ((LPARAM)scan << 16));
    PostMessageA(hWnd, WM_KEYUP, vk, 1 | ((LPARAM)scan << 16) | (1u << 30) | (1u << 31));
}

void KIT_PostChars(HWND hWnd, const std::string& sjis)
{
    for (unsigned char c : sjis) PostMessageA(hWnd, WM_CHAR, c, 1);
}

std::string KIT_Sjis(const char8_t* utf8)
{
    const char* s = (const char*)utf8;
    int wn = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring w((size_t)wn, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s, -1, w.data(), wn);
    int n = WideCharToMultiByte(932, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(932, 0, w.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(out.empty() ? 0 : out.size() - 1);
    return out;
}
