// The conversion-options option panel (template 280): an angle, the
// exclusive switches "図形線化" (figure lines) and "部品化" (part), the
// reflect switch that only a part conversion offers, and an assign text of
// up to three bytes that "する" turns on. Word 0 of the block packs the
// angle in thousandths of a degree (bits 8 to 31) with the reflect switch
// (bit 0). The angle and the text are typed through the input library.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/din.h"
#include "panels/panel_area.h"
#include "panels/panel_procs.h"
#include "platform/xwinput.h"

enum : int {
    CONV_ANGLE = 1696,
    CONV_PART = 1703,
    CONV_FIGURE_LINE = 1704,
    CONV_REFLECT = 1705,
    CONV_TEXT = 1834,
    CONV_ASSIGN = 1835,
};

static const double ANGLE_MAX = 359.999;
static const int TEXT_MAX = 3;
static const uint32_t REFLECT_BIT = 1;

static int32_t AngleOf(const ConvertOptions* block)
{
    return block->angleReflect >> 8;  // the angle keeps its sign
}

static void SetAngle(ConvertOptions* block, int32_t thousandths)
{
    uint32_t low = (uint32_t)block->angleReflect & 0xFFu;
    block->angleReflect = (int32_t)(((uint32_t)thousandths << 8) | low);
}

static void SetReflect(ConvertOptions* block, int on)
{
    uint32_t word = (uint32_t)block->angleReflect & ~REFLECT_BIT;
    block->angleReflect = (int32_t)(word | (on ? REFLECT_BIT : 0));
}

static void ShowAngle(HWND hDlg, int32_t thousandths)
{
    char text[32];
    snprintf(text, sizeof text, "%5.3lf", thousandths / 1000.0);
    SetDlgItemTextA(hDlg, CONV_ANGLE, text);
}

static void Check(HWND hDlg, int id, int on) { CheckDlgButton(hDlg, id, on ? BST_CHECKED : BST_UNCHECKED); }
static int IsOn(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED ? 1 : 0; }
static void Enable(HWND hDlg, int id, int on) { EnableWindow(GetDlgItem(hDlg, id), on ? TRUE : FALSE); }

// The assign text as the field shows it after an entry: one blank first.
static void ShowTextAfterEntry(HWND hDlg, const char* text)
{
    char shown[16];
    snprintf(shown, sizeof shown, " %s", text);
    SetDlgItemTextA(hDlg, CONV_TEXT, shown);
}

static void ClearText(HWND hDlg, ConvertOptions* block)
{
    memset(block->text, 0, sizeof block->text);
    ShowTextAfterEntry(hDlg, block->text);
    Enable(hDlg, CONV_TEXT, 0);
}

static void OnShow(HWND hDlg, ConvertOptions* block)
{
    ShowAngle(hDlg, AngleOf(block));
    Check(hDlg, CONV_FIGURE_LINE, block->figureLine);
    Check(hDlg, CONV_PART, block->part);
    Check(hDlg, CONV_ASSIGN, block->assignText);
    char text[sizeof block->text + 1] = "";
    memcpy(text, block->text, sizeof block->text);
    SetDlgItemTextA(hDlg, CONV_TEXT, text);
    SetReflect(block, 0);
    Check(hDlg, CONV_REFLECT, 0);
    Enable(hDlg, CONV_REFLECT, block->part);
}

static void EnterAngle(HWND hDlg, ConvertOptions* block)
{
    SetFocus(nullptr);
    double value = AngleOf(block) / 1000.0;
    if (XWinputFloat(hDlg, &value, 0.0, ANGLE_MAX, 1, 0) != 1) return;
    // Thousandths, cut rather than rounded.
    int32_t m = (int32_t)(value * 1000.0);
    SetAngle(block, m);
    ShowAngle(hDlg, m);
    DIN_CompleteRequest(ANS_OPTION, 0, 0);
}

static void EnterText(HWND hDlg, ConvertOptions* block)
{
    SetFocus(nullptr);
    char buffer[TEXT_MAX + 1] = "";
    if (XWinputString(hDlg, buffer, TEXT_MAX, 0, 1) != 1) return;
    buffer[TEXT_MAX] = 0;
    // The field holds three bytes and the terminating zero, never more.
    memset(block->text, 0, sizeof block->text);
    memcpy(block->text, buffer, strnlen(buffer, sizeof block->text - 1));
    ShowTextAfterEntry(hDlg, block->text);
    DIN_CompleteRequest(ANS_OPTION, 0, 0);
}

static void OnPart(HWND hDlg, ConvertOptions* block)
{
    block->part = IsOn(hDlg, CONV_PART);
    if (block->part) {
        block->figureLine = 0;
        Check(hDlg, CONV_FIGURE_LINE, 0);
        Enable(hDlg, CONV_REFLECT, 1);
        if (block->assignText) {
            block->assignText = 0;
            Check(hDlg, CONV_ASSIGN, 0);
        }
        Enable(hDlg, CONV_ASSIGN, 0);
        ClearText(hDlg, block);
        DIN_CompleteRequest(ANS_OPTION, 1, 0);
        return;
    }
    Enable(hDlg, CONV_REFLECT, 0);
    Enable(hDlg, CONV_ASSIGN, 1);
    Check(hDlg, CONV_REFLECT, 0);
    SetReflect(block, 0);
    DIN_CompleteRequest(ANS_OPTION, 0, 0);
}

static void OnFigureLine(HWND hDlg, ConvertOptions* block)
{
    block->figureLine = IsOn(hDlg, CONV_FIGURE_LINE);
    if (!block->figureLine) return;
    block->part = 0;
    Check(hDlg, CONV_PART, 0);
    Enable(hDlg, CONV_REFLECT, 0);
    SetReflect(block, 0);
    Check(hDlg, CONV_REFLECT, 0);
}

static void OnAssign(HWND hDlg, ConvertOptions* block)
{
    block->assignText = IsOn(hDlg, CONV_ASSIGN);
    if (block->assignText) {
        Check(hDlg, CONV_ASSIGN, 1);
        Enable(hDlg, CONV_TEXT, 1);
    } else {
        Check(hDlg, CONV_ASSIGN, 0);
        ClearText(hDlg, block);
    }
    DIN_CompleteRequest(ANS_OPTION, 0, 0);
}

static void OnCommand(HWND hDlg, ConvertOptions* block, int id, int code)
{
    switch (id) {
    case CONV_ANGLE:
        if (code == EN_SETFOCUS) EnterAngle(hDlg, block);
        return;
    case CONV_PART: OnPart(hDlg, block); return;
    case CONV_FIGURE_LINE: OnFigureLine(hDlg, block); return;
    case CONV_REFLECT: SetReflect(block, IsOn(hDlg, CONV_REFLECT)); return;
    case CONV_TEXT:
        if (code == EN_SETFOCUS) EnterText(hDlg, block);
        return;
    case CONV_ASSIGN: OnAssign(hDlg, block); return;
    }
}

PNL_PROC(PNL_ConvertOptionsProc)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
        if (ConvertOptions* block = (ConvertOptions*)lParam) {
            block->angleReflect = 0;
            block->figureLine = 0;
            block->part = 0;
            block->assignText = 0;
            memset(block->text, 0, sizeof block->text);
        }
        Enable(hDlg, CONV_TEXT, 0);
        return 0;
    }
    ConvertOptions* block = (ConvertOptions*)GetWindowLongPtrA(hDlg, GWLP_USERDATA);
    if (!block) return 0;
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) OnShow(hDlg, block);
        return 0;
    case WM_COMMAND: OnCommand(hDlg, block, LOWORD(wParam), HIWORD(wParam)); return 0;
    }
    return 0;
}
