// The test kit for tests that run on the display: pump messages until a
// condition holds, answer the modal dialogs and message boxes a test expects
// (recording their caption and text), capture a window's client area, and
// post mouse and keyboard input to a window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Pumps this thread's messages until `cond` holds or `limitMs` passes (a
// safety net, never the thing waited for). Returns whether `cond` held.
bool KIT_PumpUntil(const std::function<bool()>& cond, DWORD limitMs = 10000);

// Pumps every message already waiting, then returns.
void KIT_PumpPending();

// One dialog or message box that appeared while a watch was on.
struct KIT_SeenDialog {
    std::string caption;  // Shift-JIS, as GetWindowTextA gives it
    std::string text;     // the message box text, or a dialog's static texts joined by '\n'
    int answeredWith;     // the button id posted, or 0 when left alone
};

// Watches one thread (the calling thread by default) for modal dialogs and
// message boxes (class "#32770") with a WH_CBT hook. Each appearing dialog is
// recorded; when an answer is queued it is answered by posting WM_COMMAND
// with the button id. A dialog with no queued answer is left open for the
// test to drive through `Last()`.
class KIT_DialogWatch {
public:
    explicit KIT_DialogWatch(DWORD threadId = GetCurrentThreadId());
    ~KIT_DialogWatch();
    KIT_DialogWatch(const KIT_DialogWatch&) = delete;
    KIT_DialogWatch& operator=(const KIT_DialogWatch&) = delete;

    // Queues an answer for the next dialog (any caption when `caption` is empty).
    void Answer(int buttonId, const std::string& caption = "");
    // The dialogs seen so far, oldest first.
    std::vector<KIT_SeenDialog> Seen();
    size_t Count();
    // The window of the newest dialog seen (0 when none).
    HWND LastWindow();
    // Waits, pumping messages, until `n` dialogs have been seen.
    bool WaitForCount(size_t n, DWORD limitMs = 10000);

    // Used by the hook.
    void OnActivate(HWND hWnd);

private:
    struct Pending {
        int id;
        std::string caption;
    };
    HHOOK hook_;
    HHOOK initHook_;
    std::mutex lock_;
    std::vector<Pending> answers_;
    std::vector<KIT_SeenDialog> seen_;
    std::vector<HWND> handled_;
    HWND last_ = nullptr;
    HANDLE seenEvent_;
};

// The text of a message box (static id 0xFFFF) or a dialog's static texts.
std::string KIT_DialogText(HWND hDlg);
std::string KIT_WindowText(HWND hWnd);

// A captured image: 0x00RRGGBB pixels, top row first.
struct KIT_Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[(size_t)y * (size_t)width + (size_t)x]; }
};

// Captures the client area as it is drawn now (it is repainted first).
KIT_Image KIT_CaptureClient(HWND hWnd);
// Writes a 24-bit BMP file; returns whether every byte was written.
bool KIT_WriteBmp(const KIT_Image& image, const char* path);

// Input posted to a window, in client coordinates. The messages carry the
// key state a real click or key press would carry.
void KIT_PostMouseMove(HWND hWnd, int x, int y, WPARAM keys = 0);
void KIT_PostClick(HWND hWnd, int x, int y, bool right = false);
void KIT_PostKey(HWND hWnd, UINT vk);
void KIT_PostChars(HWND hWnd, const std::string& sjis);

// Shift-JIS bytes of a UTF-8 literal, for comparing with what the system shows
// when a test names a text in its own (UTF-8) words. Narrow literals of our
// code are already Shift-JIS, so most tests compare with those directly.
std::string KIT_Sjis(const char8_t* utf8);
