// The canvas answering requests: side buttons, entries whose kind is not the
// waiting request's, an integer typed into the input library's window and
// Escape in a text entry; and a highlight painted at once and taken back.
#include <gtest/gtest.h>

#include "app/din.h"
#include "canvas_fixture.h"
#include "entry_typing.h"
#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_records.h"
#include "platform/qzt_tables.h"
#include "view/cnv.h"

namespace {

// Sends the canvas an entry message while typing `line` into the window it
// opens (Escape alone for "\x1b").
void SendTyping(HWND canvas, UINT msg, const std::string& line)
{
    EXPECT_TRUE(ET_TypeWhile(line, [&] { SendMessageA(canvas, msg, 0, 0); }));
}

// The canvas's pixel as it is on the screen now, without a repaint.
uint32_t PixelNow(HWND hWnd, POINT p)
{
    HDC dc = GetDC(hWnd);
    COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(hWnd, dc);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class CanvasRequest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 1); }
    void TearDown() override
    {
        while (Request* top = DIN_TopRequest()) CloseRequest(top);
    }
};

TEST_F(CanvasRequest, SideButtonsAnswerAndOtherKindsAreIgnored)
{
    CanvasFixture f;
    // With no request the side button still answers (the channel drops it).
    EXPECT_EQ(SendMessageA(f.hWnd, WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), 0), 1);
    Request* rq = CreateRequest(nullptr, 2, REQ_INTEGER, 0, 0);
    ASSERT_TRUE(rq);
    ASSERT_EQ(DIN_PushRequest(rq), 1);
    DIN_MarkWaiting(rq);
    SendMessageA(f.hWnd, DIN_MSG_STRING, 0, 0);  // a text entry for an integer request
    SendMessageA(f.hWnd, DIN_MSG_COORD, 0, 0);
    EXPECT_EQ(DIN_IsWaiting(rq), 1);
    EXPECT_EQ(SendMessageA(f.hWnd, WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON2, XBUTTON2), 0), 1);
    EXPECT_EQ(DIN_GetAnswer(rq), ANS_SIDE_BUTTON2);
    EXPECT_EQ(DIN_GetAnswerWord(rq), MK_XBUTTON2);
    EXPECT_EQ(DIN_IsWaiting(rq), 0);
}

TEST_F(CanvasRequest, IntegerTypedAndTextCancelled)
{
    CanvasFixture f;
    IntegerEntry* block = nullptr;
    Request* rq = CreateRequest(nullptr, 2, REQ_INTEGER, 0, 0);
    ASSERT_TRUE(rq);
    block = (IntegerEntry*)rq->dataBlock;
    ASSERT_TRUE(block);
    *block = {1, 10, 0, 5};
    DIN_PushRequest(rq);
    DIN_MarkWaiting(rq);
    SendTyping(f.hWnd, DIN_MSG_INTEGER, "7");
    EXPECT_EQ(DIN_GetAnswer(rq), ANS_INPUT);
    EXPECT_EQ(block->value, 7);
    CloseRequest(rq);

    Request* text = CreateRequest(nullptr, 2, REQ_STRING, 0, 0);
    ASSERT_TRUE(text);
    StringIO* io = (StringIO*)text->dataBlock;
    ASSERT_TRUE(io);
    // A block asking for more than its buffer holds is held to the buffer.
    io->maxLength = 500;
    DIN_PushRequest(text);
    DIN_MarkWaiting(text);
    SendTyping(f.hWnd, DIN_MSG_STRING, "\x1b");
    EXPECT_EQ(DIN_GetAnswer(text), ANS_FINISH);  // Escape ends the request as finish
}

TEST(CanvasRealtime, HighlightIsDrawnAndTakenBackInBothDisplays)
{
    CanvasFixture f;
    LineRecord r{};
    r.code = FC_LINE;
    r.lineNo = 1;
    r.x1 = -4 * MM;
    r.y1 = MM;
    r.x2 = 4 * MM;
    r.y2 = MM;
    void* page = nullptr;
    LineRecord* rec = PDL_InsertNewData(1, &r, &page);
    ASSERT_TRUE(rec);
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode ? "standard" : "mixing");
        KIT_Image before = f.Capture(mode);
        POINT p = f.Pixel(0, MM);
        ASSERT_TRUE(Near(before.At(p.x, p.y), 0xFF0000));
        SendMessageA(f.hWnd, WM_REALTIME_PAINT, 0x24010 | 1, (LPARAM)rec);
        EXPECT_TRUE(Near(PixelNow(f.hWnd, p), 0x00FFFF)) << std::hex << PixelNow(f.hWnd, p);  // red XOR white
        SendMessageA(f.hWnd, WM_REALTIME_PAINT, 0x24010 | 1, (LPARAM)rec);
        EXPECT_EQ(PixelNow(f.hWnd, p), before.At(p.x, p.y));
    }
}

TEST(CanvasRealtime, AThroughViaIsHighlightedThoughItsPadIsOnTwoLevels)
{
    // The same pad on two levels: drawn exclusive-ored once a level, the
    // highlight would take itself away.
    CanvasFixture f;
    TVT_Get_TvtClass()->def[1].apt[1] = 1;
    void* page = dam_NextPage(nullptr, DCODE_VIA, DAM_SEL_ALL, 0);
    ASSERT_TRUE(page);
    const void* via = PageRecord(page, 0, 60);
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode ? "standard" : "mixing");
        KIT_Image before = f.Capture(mode);
        POINT p = f.Pixel(-3 * MM + 60000, -MM);  // on the pad, beside the hole
        uint32_t was = before.At(p.x, p.y);
        ASSERT_NE(was, 0u);
        SendMessageA(f.hWnd, WM_REALTIME_PAINT, PC_VIA | 1, (LPARAM)via);
        EXPECT_EQ(PixelNow(f.hWnd, p), was ^ 0xFFFFFFu) << std::hex << PixelNow(f.hWnd, p);
        SendMessageA(f.hWnd, WM_REALTIME_PAINT, PC_VIA | 1, (LPARAM)via);
        EXPECT_EQ(PixelNow(f.hWnd, p), was);
    }
}

}  // namespace
