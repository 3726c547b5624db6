// The test kit on the real display: windows, dialogs from resource templates
// with Japanese captions, message boxes on another thread, window capture.
#include <gtest/gtest.h>

#include "kit/gui_kit.h"
#include "kit/kit_test_ids.h"

static LRESULT CALLBACK RedWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd, &ps);
        RECT rc;
        GetClientRect(hWnd, &rc);
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, &rc, blue);
        DeleteObject(blue);
        RECT red = {10, 10, 20, 20};
        HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &red, brush);
        DeleteObject(brush);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

static HWND MakeTestWindow(const char* cls)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RedWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    return CreateWindowA(cls, "試験", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 150, nullptr,
                         nullptr, wc.hInstance, nullptr);
}

TEST(Kit, WindowOfRegisteredClassIsCreatedAndDestroyed)
{
    HWND h = MakeTestWindow("KitTest_CLASS");
    ASSERT_NE(h, nullptr) << "no display? GetLastError " << GetLastError();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(KIT_WindowText(h), "試験");
    DestroyWindow(h);
    EXPECT_FALSE(IsWindow(h));
}

TEST(Kit, CapturedClientAreaHasThePaintedPixels)
{
    HWND h = MakeTestWindow("KitPaint_CLASS");
    ASSERT_NE(h, nullptr);
    KIT_PumpPending();
    KIT_Image img = KIT_CaptureClient(h);
    ASSERT_GT(img.width, 20);
    ASSERT_GT(img.height, 20);
    EXPECT_EQ(img.At(15, 15), 0xff0000u);
    EXPECT_EQ(img.At(5, 5), 0x0000ffu);
    EXPECT_EQ(img.At(20, 20), 0x0000ffu) << "FillRect's right and bottom edges are exclusive";
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    lstrcatA(path, "kit_capture.bmp");
    EXPECT_TRUE(KIT_WriteBmp(img, path));
    DeleteFileA(path);
    DestroyWindow(h);
}

static INT_PTR CALLBACK KitDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

TEST(Kit, DialogFromTemplateIsAnsweredWithItsJapaneseCaption)
{
    KIT_DialogWatch watch;
    watch.Answer(IDCANCEL, "部品情報");
    INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_KIT_TEST), nullptr,
                                KitDlgProc, 0);
    EXPECT_EQ(r, IDCANCEL);
    auto seen = watch.Seen();
    ASSERT_EQ(seen.size(), 1u);
    // The caption comes back as Shift-JIS bytes: 部品情報.
    EXPECT_EQ(seen[0].caption, "\x95\x94\x95\x69\x8f\xee\x95\xf1");
    EXPECT_EQ(seen[0].text, "部品名を確認してください");
    EXPECT_EQ(seen[0].answeredWith, IDCANCEL);
}

static DWORD WINAPI AskOnWorker(LPVOID param)
{
    *(int*)param = MessageBoxA(nullptr, "終了しますか？", "終了", MB_OKCANCEL | MB_ICONQUESTION);
    return 0;
}

TEST(Kit, MessageBoxOnAnotherThreadIsAnsweredWhileThisThreadPumps)
{
    int result = -1;
    DWORD tid = 0;
    HANDLE th = CreateThread(nullptr, 0, AskOnWorker, &result, CREATE_SUSPENDED, &tid);
    ASSERT_NE(th, nullptr);
    {
        KIT_DialogWatch watch(tid);
        watch.Answer(IDOK);
        ResumeThread(th);
        ASSERT_TRUE(KIT_PumpUntil([&] { return WaitForSingleObject(th, 0) == WAIT_OBJECT_0; }));
        auto seen = watch.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, "終了");
        EXPECT_EQ(seen[0].text, "終了しますか？");
    }
    EXPECT_EQ(result, IDOK);
    CloseHandle(th);
}
