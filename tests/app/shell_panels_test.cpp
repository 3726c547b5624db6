// The shell's four option panels, made from their templates under a window
// of the test: the pitch shown afresh at every show, the level designation
// and protect switch kept in step with their buttons, the placement angle
// stepped by quarter turns, and the conversion options with their exclusive
// switches and their typed angle and assign text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/din.h"
#include "kit/gui_kit.h"
#include "panels/panel_area.h"
#include "panels/panel_procs.h"
#include "res/panels_ids.h"

namespace {

// Answers the entry windows the watch sees, in order: the first gets
// `lines[0]` typed and Enter (Escape for "\x1b"), the next `lines[1]`, and
// any further window Escape, so that a test never hangs on one.
struct Typist {
    KIT_DialogWatch* watch;
    std::vector<std::string> lines;
    size_t answered = 0;
    HWND lastAnswered = nullptr;
};
Typist* s_typist;

void CALLBACK TypeLine(HWND, UINT, UINT_PTR, DWORD)
{
    Typist& t = *s_typist;
    HWND dlg = t.watch->LastWindow();
    HWND field = dlg && IsWindow(dlg) ? GetDlgItem(dlg, 101) : nullptr;
    if (!field || dlg == t.lastAnswered) return;
    if (GetFocus() != field) {
        // Another program's window may hold the foreground: take it back
        // and type on the next tick.
        SetForegroundWindow(dlg);
        SetFocus(field);
        return;
    }
    t.lastAnswered = dlg;
    std::string line = t.answered < t.lines.size() ? t.lines[t.answered] : "\x1b";
    t.answered++;
    if (line == "\x1b") {
        KIT_PostKey(field, VK_ESCAPE);
        return;
    }
    KIT_PostChars(field, line);
    KIT_PostKey(field, VK_RETURN);
}

// Gives the field the focus while the typist answers what that opens; the
// number of entry windows that opened.
size_t FocusTyping(HWND field, std::vector<std::string> lines)
{
    KIT_DialogWatch watch;
    Typist t{&watch, std::move(lines)};
    s_typist = &t;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, TypeLine);
    SetFocus(field);
    KIT_PumpUntil([&] { return t.answered >= watch.Count() && !IsWindow(watch.LastWindow()); }, 3000);
    KillTimer(nullptr, timer);
    s_typist = nullptr;
    return watch.Count();
}

std::string Text(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

bool Checked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }
bool Enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }

class ShellPanel : public ::testing::Test {
protected:
    HWND host = nullptr;
    Request* request = nullptr;

    void SetUp() override
    {
        ASSERT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 1);
        host = CreateWindowA("STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(host);
        SetForegroundWindow(host);
        request = CreateRequest(nullptr, 2, REQ_POINT1, 0, 0);
        ASSERT_TRUE(request);
        DIN_PushRequest(request);
        Unanswer();
    }
    void TearDown() override
    {
        while (Request* top = DIN_TopRequest()) CloseRequest(top);
        DestroyWindow(host);
        KIT_PumpPending();
    }
    HWND Create(int templateId, DLGPROC proc, void* block)
    {
        HWND dlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), host, proc,
                                      (LPARAM)block);
        EXPECT_TRUE(dlg);
        return dlg;
    }
    void Unanswer() { DIN_SetAnswer(request, -7); }
    int Answer() { return DIN_GetAnswer(request); }
    int AnswerWord() { return DIN_GetAnswerWord(request); }
};

TEST_F(ShellPanel, PitchShowsDefaultAtEveryShowAndTakesAnEntry)
{
    PlacePitchOptions block{9.0};
    HWND dlg = Create(IDD_PNL_234, PNL_PlacePitchProc, &block);
    EXPECT_FALSE(IsWindowVisible(dlg));  // created hidden
    EXPECT_EQ(block.pitch, 9.0);
    ShowWindow(dlg, SW_SHOW);
    EXPECT_EQ(block.pitch, 1.27);
    EXPECT_EQ(Text(dlg, 1501), "   1.27");

    EXPECT_EQ(FocusTyping(GetDlgItem(dlg, 1501), {"12.5"}), 1u);
    EXPECT_EQ(block.pitch, 12.5);
    EXPECT_EQ(Text(dlg, 1501), "  12.50");
    EXPECT_EQ(Answer(), -7);  // the pitch is not reported

    // A cancelled entry changes nothing.
    SetFocus(host);
    FocusTyping(GetDlgItem(dlg, 1501), {"\x1b"});
    EXPECT_EQ(block.pitch, 12.5);

    ShowWindow(dlg, SW_HIDE);
    ShowWindow(dlg, SW_SHOW);
    EXPECT_EQ(block.pitch, 1.27);
    EXPECT_EQ(Text(dlg, 1501), "   1.27");
    DestroyWindow(dlg);
}

TEST_F(ShellPanel, LevelDesignationFollowsItsButtons)
{
    LevelSpecOptions block{1, 1};
    HWND dlg = Create(IDD_PNL_226, PNL_LevelSpecProc, &block);
    EXPECT_EQ(block.protectRead, 0);
    EXPECT_EQ(block.designation, 1);  // not written at creation
    EXPECT_TRUE(Checked(dlg, 1463));
    ShowWindow(dlg, SW_SHOW);
    EXPECT_FALSE(Checked(dlg, 1465));

    SendDlgItemMessageA(dlg, 1465, BM_CLICK, 0, 0);
    EXPECT_EQ(block.protectRead, 1);
    EXPECT_TRUE(Checked(dlg, 1465));
    SendDlgItemMessageA(dlg, 1465, BM_CLICK, 0, 0);
    EXPECT_EQ(block.protectRead, 0);
    EXPECT_FALSE(Checked(dlg, 1465));

    SendDlgItemMessageA(dlg, 1464, BM_CLICK, 0, 0);
    EXPECT_EQ(block.designation, 1);
    SendDlgItemMessageA(dlg, 1463, BM_CLICK, 0, 0);
    EXPECT_EQ(block.designation, 0);

    // Showing or hiding sets the protect box from the block.
    block.protectRead = 1;
    ShowWindow(dlg, SW_HIDE);
    EXPECT_TRUE(Checked(dlg, 1465));
    EXPECT_EQ(Answer(), -7);  // nothing is reported
    DestroyWindow(dlg);
}

TEST_F(ShellPanel, PlacementAngleStepsByQuarterTurns)
{
    PlaceAngleOptions block{180};
    HWND dlg = Create(IDD_PNL_158, PNL_PlaceAngleProc, &block);
    EXPECT_EQ(Text(dlg, 1106), "");
    ShowWindow(dlg, SW_SHOW);
    EXPECT_EQ(Text(dlg, 1106), "180");
    HWND arrows = GetDlgItem(dlg, 1088);

    struct Case {
        const char* text;
        int code;
        int angle;
    };
    const Case cases[] = {
        {"270", SB_LINEUP, 0},     {"0", SB_LINEDOWN, 270},  {"45", SB_LINEUP, 90},
        {"45", SB_LINEDOWN, 270},  {"-90", SB_LINEUP, 0},    {"725", SB_LINEUP, 450},
        {"725", SB_LINEDOWN, 630}, {"", SB_LINEUP, 90},      {"abc", SB_LINEDOWN, 270},
        {" +95x", SB_LINEUP, 180}, {"99999999999", SB_LINEUP, 2147483340},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetDlgItemTextA(dlg, 1106, c.text);
        Unanswer();
        SendMessageA(dlg, WM_VSCROLL, MAKEWPARAM(c.code, 0), (LPARAM)arrows);
        EXPECT_EQ(block.angle, c.angle);
        EXPECT_EQ(Answer(), ANS_OPTION);
        EXPECT_EQ(AnswerWord(), 0);
        char shown[32];
        snprintf(shown, sizeof shown, "%3d", c.angle);
        EXPECT_EQ(Text(dlg, 1106), shown);
    }

    // Page and thumb codes, and other senders, change nothing.
    block.angle = 90;
    SetDlgItemTextA(dlg, 1106, " 90");
    Unanswer();
    for (int code : {SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION, SB_THUMBTRACK, SB_ENDSCROLL})
        SendMessageA(dlg, WM_VSCROLL, MAKEWPARAM(code, 0), (LPARAM)arrows);
    SendMessageA(dlg, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    EXPECT_EQ(block.angle, 90);
    EXPECT_EQ(Answer(), -7);
    DestroyWindow(dlg);
}

TEST_F(ShellPanel, ConversionSwitchesExcludeEachOther)
{
    ConvertOptions block{};
    block.angleReflect = (5000 << 8) | 1;
    block.part = 1;
    strcpy(block.text, "AB");
    HWND dlg = Create(IDD_PNL_280, PNL_ConvertOptionsProc, &block);
    // Creation clears the block and disables the text.
    EXPECT_EQ(block.angleReflect, 0);
    EXPECT_EQ(block.part, 0);
    EXPECT_EQ(block.text[0], 0);
    EXPECT_FALSE(Enabled(dlg, 1834));

    block.angleReflect = (int32_t)((uint32_t)45500 << 8) | 1;
    block.part = 1;
    strcpy(block.text, "XY");
    ShowWindow(dlg, SW_SHOW);
    EXPECT_EQ(Text(dlg, 1696), "45.500");
    EXPECT_EQ(Text(dlg, 1834), "XY");  // no leading blank after a show
    EXPECT_TRUE(Checked(dlg, 1703));
    EXPECT_EQ(block.angleReflect & 1, 0);  // reflect off after every show
    EXPECT_FALSE(Checked(dlg, 1705));
    EXPECT_TRUE(Enabled(dlg, 1705));

    SendDlgItemMessageA(dlg, 1705, BM_CLICK, 0, 0);
    EXPECT_EQ(block.angleReflect, (45500 << 8) | 1);

    // Figure lines take the part switch and the reflect switch away, silently.
    Unanswer();
    SendDlgItemMessageA(dlg, 1704, BM_CLICK, 0, 0);
    EXPECT_EQ(block.figureLine, 1);
    EXPECT_EQ(block.part, 0);
    EXPECT_FALSE(Checked(dlg, 1703));
    EXPECT_FALSE(Checked(dlg, 1705));
    EXPECT_FALSE(Enabled(dlg, 1705));
    EXPECT_EQ(block.angleReflect, 45500 << 8);
    EXPECT_EQ(Answer(), -7);

    // "する" enables the text; the part switch then takes both away.
    SendDlgItemMessageA(dlg, 1835, BM_CLICK, 0, 0);
    EXPECT_EQ(block.assignText, 1);
    EXPECT_TRUE(Enabled(dlg, 1834));
    EXPECT_EQ(Answer(), ANS_OPTION);
    Unanswer();
    SendDlgItemMessageA(dlg, 1703, BM_CLICK, 0, 0);
    EXPECT_EQ(block.part, 1);
    EXPECT_EQ(block.figureLine, 0);
    EXPECT_FALSE(Checked(dlg, 1704));
    EXPECT_EQ(block.assignText, 0);
    EXPECT_FALSE(Checked(dlg, 1835));
    EXPECT_FALSE(Enabled(dlg, 1835));
    EXPECT_FALSE(Enabled(dlg, 1834));
    EXPECT_TRUE(Enabled(dlg, 1705));
    EXPECT_EQ(block.text[0], 0);
    EXPECT_EQ(Text(dlg, 1834), " ");
    EXPECT_EQ(Answer(), ANS_OPTION);
    EXPECT_EQ(AnswerWord(), 1);

    // Unchecking the part answers with word 0 and offers "する" again.
    SendDlgItemMessageA(dlg, 1705, BM_CLICK, 0, 0);
    Unanswer();
    SendDlgItemMessageA(dlg, 1703, BM_CLICK, 0, 0);
    EXPECT_EQ(block.part, 0);
    EXPECT_EQ(block.angleReflect & 1, 0);
    EXPECT_FALSE(Enabled(dlg, 1705));
    EXPECT_TRUE(Enabled(dlg, 1835));
    EXPECT_EQ(Answer(), ANS_OPTION);
    EXPECT_EQ(AnswerWord(), 0);

    // Unchecking "する" clears the text.
    SendDlgItemMessageA(dlg, 1835, BM_CLICK, 0, 0);
    strcpy(block.text, "Q");
    Unanswer();
    SendDlgItemMessageA(dlg, 1835, BM_CLICK, 0, 0);
    EXPECT_EQ(block.assignText, 0);
    EXPECT_EQ(block.text[0], 0);
    EXPECT_EQ(Text(dlg, 1834), " ");
    EXPECT_FALSE(Enabled(dlg, 1834));
    EXPECT_EQ(Answer(), ANS_OPTION);
    DestroyWindow(dlg);
}

TEST_F(ShellPanel, ConversionAngleAndTextAreTyped)
{
    ConvertOptions block{};
    HWND dlg = Create(IDD_PNL_280, PNL_ConvertOptionsProc, &block);
    ShowWindow(dlg, SW_SHOW);
    SendDlgItemMessageA(dlg, 1705, BM_SETCHECK, BST_CHECKED, 0);
    block.angleReflect = 1;

    struct Case {
        const char* typed;
        int thousandths;
        const char* shown;
    };
    const Case cases[] = {{"12.3456", 12345, "12.345"}, {"359.999", 359999, "359.999"}, {"0", 0, "0.000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SetFocus(host);
        Unanswer();
        EXPECT_EQ(FocusTyping(GetDlgItem(dlg, 1696), {c.typed}), 1u);
        EXPECT_EQ(block.angleReflect >> 8, c.thousandths);
        EXPECT_EQ(block.angleReflect & 0xFF, 1);  // the reflect bit is kept
        EXPECT_EQ(Text(dlg, 1696), c.shown);
        EXPECT_EQ(Answer(), ANS_OPTION);
    }
    // A cancelled entry changes nothing and answers nothing.
    SetFocus(host);
    Unanswer();
    FocusTyping(GetDlgItem(dlg, 1696), {"\x1b"});
    EXPECT_EQ(block.angleReflect >> 8, 0);
    EXPECT_EQ(Answer(), -7);

    // The assign text: shown with one blank after the entry, without it
    // after the next show.
    SendDlgItemMessageA(dlg, 1835, BM_CLICK, 0, 0);
    SetFocus(host);
    Unanswer();
    EXPECT_EQ(FocusTyping(GetDlgItem(dlg, 1834), {"R12"}), 1u);
    EXPECT_STREQ(block.text, "R12");
    EXPECT_EQ(Text(dlg, 1834), " R12");
    EXPECT_EQ(Answer(), ANS_OPTION);
    ShowWindow(dlg, SW_HIDE);
    ShowWindow(dlg, SW_SHOW);
    EXPECT_EQ(Text(dlg, 1834), "R12");
    DestroyWindow(dlg);
}

}  // namespace
