// The panels of the measuring commands: distance and angle with their grid
// switch, chain length with its copy switches, distance with a level and
// line number, and the line count with its clearance history. The distance,
// angle and chain-length panels show what the command wrote into their
// blocks and hold flags the command reads; they post nothing.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/din.h"
#include "app/frame_state.h"
#include "panels/panel_procs.h"
#include "panels/pnl.h"
#include "platform/layout_canvas.h"
#include "platform/qzt_env.h"
#include "platform/qzt_tables.h"
#include "platform/xwinput.h"

template <typename Block>
static Block* BlockOf(HWND hDlg)
{
    return (Block*)GetWindowLongPtrA(hDlg, GWLP_USERDATA);
}

static void ShowValue(HWND hDlg, int id, const char* format, double value)
{
    char text[64];
    snprintf(text, sizeof text, format, value);
    SetDlgItemTextA(hDlg, id, text);
}

// ---- Distance (23) and angle (24) ----------------------------------------------------

static INT_PTR GridValueProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam, int editId, int checkId)
{
    GridValueOptions* block = BlockOf<GridValueOptions>(hDlg);
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
        if (GridValueOptions* b = (GridValueOptions*)lParam) {
            b->value = 0.0;
            b->gridOn = 0;
        }
        return 0;
    case WM_SHOWWINDOW:
        if (!block) return 0;
        if (wParam) ShowValue(hDlg, editId, "%9.4lf", block->value);
        CheckDlgButton(hDlg, checkId, block->gridOn ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    case WM_COMMAND:
        if (block && LOWORD(wParam) == checkId) block->gridOn = !block->gridOn;
        return 0;
    }
    return 0;
}

PNL_PROC(PNL_GridDistanceProc)
{
    return GridValueProc(hDlg, msg, wParam, lParam, 1382, 1381);
}

PNL_PROC(PNL_GridAngleProc)
{
    return GridValueProc(hDlg, msg, wParam, lParam, 1378, 1379);
}

// ---- Chain length (96) -----------------------------------------------------------------

// The net name written on the canvas just above the cursor.
static void DrawNetNameAtCursor(const char* name)
{
    FrameState* fs = ROT_GetWindowData();
    HWND canvas = fs ? fs->hWndCanvas : nullptr;
    CanvasState* state = canvas ? (CanvasState*)GetWindowLongPtrA(canvas, 0) : nullptr;
    if (!state) return;
    HDC dc = GetDC(canvas);
    if (!dc) return;
    SetBkColor(dc, RGB(240, 220, 220));
    TextOutA(dc, state->ptLastCursor.x, state->ptLastCursor.y - 50, name, (int)strlen(name));
    ReleaseDC(canvas, dc);
}

PNL_PROC(PNL_ChainLengthProc)
{
    ChainLengthOptions* block = BlockOf<ChainLengthOptions>(hDlg);
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
        if (ChainLengthOptions* b = (ChainLengthOptions*)lParam) {
            b->length = 0.0;
            b->netName[0] = 0;
            b->copyLength = 0;
            b->copyNetName = 0;
        }
        return 0;
    case WM_SHOWWINDOW:
        if (!block || !wParam) return 0;
        ShowValue(hDlg, 1382, "%9.4lf", block->length);
        {
            char name[sizeof block->netName + 1] = {};
            memcpy(name, block->netName, sizeof block->netName);
            SetDlgItemTextA(hDlg, 1383, name);
            if (strcmp(name, "no name") != 0 && ENV_GetENVClass()->chainNetName != 0) DrawNetNameAtCursor(name);
        }
        CheckDlgButton(hDlg, 1954, block->copyLength ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hDlg, 1955, block->copyNetName ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    case WM_COMMAND:
        if (!block) return 0;
        if (LOWORD(wParam) == 1954) block->copyLength = !block->copyLength;
        if (LOWORD(wParam) == 1955) block->copyNetName = !block->copyNetName;
        return 0;
    }
    return 0;
}

// ---- Distance with a level and line number (109) ----------------------------------

// The number at the head of a combo entry ("%d %-32s").
static int EntryNumber(HWND combo, int i)
{
    char text[256] = {};
    if (SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) >= (LRESULT)sizeof text) return 0;
    SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)text);
    text[10] = 0;
    return atoi(text);
}

// Fills the level list with the levels of data type 0 or 11 and selects the
// current level; when no later entry has it, the first entry becomes the
// current level.
static void FillLevelCombo(HWND hDlg)
{
    HWND combo = GetDlgItem(hDlg, 1267);
    if (!combo) return;
    for (int i = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0) - 1; i >= 0; i--)
        SendMessageA(combo, CB_DELETESTRING, i, 0);
    LevelTable* levels = TLV_Get_TlvClass();
    int used = TLV_Get_Level_UseNum(levels);
    for (int level = 1; level <= used; level++) {
        int type = TLV_GetLevCode_DatType(levels, level);
        if (type != 0 && type != 11) continue;
        const char* name = TLV_Get_LevelName(levels, level);
        char text[64];
        snprintf(text, sizeof text, "%d %-32s", level, name ? name : "");
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)text);
    }
    EnvRecord* env = ENV_GetENVClass();
    int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = count - 1; i >= 1; i--) {
        if (EntryNumber(combo, i) == env->currentLevel) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            return;
        }
    }
    if (count > 0) {
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        env->currentLevel = EntryNumber(combo, 0);
    }
}

void PNL_DistanceLevelSync()
{
    if (HWND panel = PNL_PanelWindow(ROT_GetWindowData(), 109)) FillLevelCombo(panel);
}

PNL_PROC(PNL_DistanceLevelProc)
{
    DistanceLevelOptions* block = BlockOf<DistanceLevelOptions>(hDlg);
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
        if (DistanceLevelOptions* b = (DistanceLevelOptions*)lParam) b->distance = 0.0;
        FillLevelCombo(hDlg);
        HWND lines = GetDlgItem(hDlg, 1268);
        int used = TLL_Get_ZLinTbl_UseNum(TLL_Get_TllClass());
        for (int n = 1; n <= used; n++) {
            char text[32];
            snprintf(text, sizeof text, " %3d ", n);
            SendMessageA(lines, CB_ADDSTRING, 0, (LPARAM)text);
        }
        EnvRecord* env = ENV_GetENVClass();
        if (env->currentLineNo == 0) env->currentLineNo = 1;
        SendMessageA(lines, CB_SETCURSEL, env->currentLineNo - 1, 0);
        SetDlgItemTextA(hDlg, 2040, " ");
        SetDlgItemTextA(hDlg, 2041, " ");
        return 0;
    }
    case WM_SHOWWINDOW:
        if (block && wParam) ShowValue(hDlg, 1382, "%9.4lf", block->distance);
        return 0;
    case WM_COMMAND: {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == 2039) {
            PNL_ReportChange(2039, 0);
        } else if (id == 1382 && code == EN_SETFOCUS && block) {
            double value = block->distance;
            if (XWinputFloat(hDlg, &value, 0.0, 1000.0, 1, 0) == 1) {
                block->distance = value;
                ShowValue(hDlg, 1382, "%9.4lf", value);
            }
        } else if (id == 1267 && code == CBN_SELCHANGE) {
            char text[256] = {};
            GetDlgItemTextA(hDlg, 1267, text, sizeof text);
            text[10] = 0;
            ENV_GetENVClass()->currentLevel = atoi(text);
            PNL_ReportChange(0, 0);
        } else if (id == 1268 && code == CBN_SELCHANGE) {
            int sel = (int)SendDlgItemMessageA(hDlg, 1268, CB_GETCURSEL, 0, 0);
            if (sel >= 0) ENV_GetENVClass()->currentLineNo = sel + 1;
        }
        return 0;
    }
    }
    return 0;
}

// ---- Line count and clearance history (25) ------------------------------------------

// A later entry equal to an earlier one becomes 0.0; the five entries are then
// the environment's history.
static void RemoveRepeatsAndSave(LineCountOptions* block)
{
    double* c = block->clearance;
    for (int i = 1; i < 5; i++)
        for (int j = 0; j < i; j++)
            if (c[i] == c[j]) c[i] = 0.0;
    EnvRecord* env = ENV_GetENVClass();
    for (int i = 0; i < 5; i++) env->clearanceHistory[i] = c[i];
}

static void FillClearanceCombo(HWND hDlg, const LineCountOptions* block)
{
    HWND combo = GetDlgItem(hDlg, 2049);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < 5; i++) {
        char text[64];
        snprintf(text, sizeof text, "%5.3lf", block->clearance[i]);
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)text);
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

// Entry s moves to the front; the entries before it move down one place.
static void MoveToFront(double* c, int s, double value)
{
    for (int i = s; i > 0; i--) c[i] = c[i - 1];
    c[0] = value;
}

static void ShowLineCount(HWND hDlg, const LineCountOptions* block)
{
    char text[32];
    snprintf(text, sizeof text, "   %d", block->lineCount);
    SetDlgItemTextA(hDlg, 1382, text);
}

PNL_PROC(PNL_LineCountProc)
{
    LineCountOptions* block = BlockOf<LineCountOptions>(hDlg);
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
        block = (LineCountOptions*)lParam;
        if (!block) return 0;
        EnvRecord* env = ENV_GetENVClass();
        for (int i = 0; i < 5; i++) {
            double v = env->clearanceHistory[i];
            block->clearance[i] = v > 0.0 ? v : 0.0;
        }
        block->lineCount = 1;
        block->lineChange = 0;
        block->levelChange = 0;
        RemoveRepeatsAndSave(block);
        FillClearanceCombo(hDlg, block);
        ShowLineCount(hDlg, block);
        CheckDlgButton(hDlg, 1380, BST_UNCHECKED);
        CheckDlgButton(hDlg, 1581, BST_UNCHECKED);
        return 0;
    }
    case WM_SHOWWINDOW:
        if (!block) return 0;
        if (wParam) ShowLineCount(hDlg, block);
        CheckDlgButton(hDlg, 1380, block->lineChange ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hDlg, 1581, block->levelChange ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    case WM_COMMAND: {
        if (!block) return 0;
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == 2048 && code == BN_CLICKED) {
            double value = block->clearance[0];
            if (XWinputFloat(hDlg, &value, 0.0, 100.0, 1, 0) != 1) return 0;
            int s = 4;  // a new value pushes the oldest out
            for (int j = 0; j < 5; j++)
                if (block->clearance[j] == value) {
                    s = j;
                    break;
                }
            MoveToFront(block->clearance, s, value);
            PNL_ReportChange(0, 0);
            RemoveRepeatsAndSave(block);
            FillClearanceCombo(hDlg, block);
        } else if (id == 2049 && code == CBN_SELCHANGE) {
            int s = (int)SendDlgItemMessageA(hDlg, 2049, CB_GETCURSEL, 0, 0);
            if (s < 1 || s > 4) return 0;
            MoveToFront(block->clearance, s, block->clearance[s]);
            RemoveRepeatsAndSave(block);
            FillClearanceCombo(hDlg, block);
            PNL_ReportChange(0, 0);
        } else if (id == 1382 && code == EN_SETFOCUS) {
            int32_t count = block->lineCount;
            if (XWinputInteger(hDlg, &count, 0, 32, 1, 0) == 1) {
                block->lineCount = count;
                ShowLineCount(hDlg, block);
            }
        } else if (id == 1380) {
            block->lineChange = !block->lineChange;
        } else if (id == 1581) {
            block->levelChange = !block->levelChange;
        }
        return 0;
    }
    }
    return 0;
}
