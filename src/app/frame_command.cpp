// The frame's WM_COMMAND: every menu item, accelerator, forwarded bar button,
// popup item and on-screen menu choice arrives here as a command id. The
// bar and popup ids go straight to the bar or list that owns them; every
// other id passes the gate first, so that a refused command costs no dialog,
// and is then run by a dialog, handled here, or handed to the command thread
// as answer 5.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <iterator>

#include "app/app.h"
#include "app/rot.h"
#include "app/rot_dispatch.h"
#include "platform/qzt_env.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_table_update.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg_map.h"
#include "view/bar.h"
#include "view/cnv.h"

int g_PreCommandActive = 0;

// Ids that only run their pre-command dialog, and those that also reset the
// on-screen menu after it.
static const int kDialogOnly[] = {191, 198, 199, 40042, 40133, 40135, 40136, 40138, 40153, 40169, 40243};
static const int kDialogThenMenu[] = {200,   40044, 40050, 40081, 40132, 40180, 40181, 40182, 40183, 40184,
                                      40185, 40237, 40242, 40306, 40317, 40401, 40487};

static bool IsIn(const int* ids, size_t n, int id)
{
    for (size_t i = 0; i < n; ++i)
        if (ids[i] == id) return true;
    return false;
}

static void ResetMenu(FrameState* fs)
{
    if (fs && fs->hWndMenuList) SendMessageA(fs->hWndMenuList, WM_USER + 5, 0, 0);
}

static int TopKind()
{
    Request* top = DIN_TopRequest();
    return top ? DIN_GetKind(top) : -1;
}

static void SendToSettingBar(FrameState* fs, int id)
{
    if (fs && fs->hWndSettingBar) SendMessageA(fs->hWndSettingBar, WM_COMMAND, id, 0);
}

static void SendToMenuList(FrameState* fs, int id)
{
    if (fs && fs->hWndMenuList) SendMessageA(fs->hWndMenuList, WM_COMMAND, id, 0);
}

// The popup is built again from the current menu and opened where it was.
static void ReopenPopup(HWND hWnd, FrameState* fs)
{
    int count = 0, longest = 0;
    HMENU popup = CNV_BuildPopupMenu(&count, &longest);
    fs->hPopupMenu = popup;
    if (popup)
        TrackPopupMenu(popup, TPM_CENTERALIGN | TPM_VCENTERALIGN, fs->ptPopup.x, fs->ptPopup.y, 0, hWnd, nullptr);
}

// Ids that never pass the gate. Returns true when the id was one of them.
static bool FirstStage(HWND hWnd, FrameState* fs, int id, int notifyCode, LPARAM lParam)
{
    switch (id) {
    case 153:
        ResetMenu(fs);
        SetFocus(hWnd);
        return true;
    case 1961: {
        SetFocus(hWnd);
        int kind = TopKind();
        if ((kind >= 1 && kind <= 8) || (kind >= 11 && kind <= 17)) DIN_CompleteRequest(ANS_FINISH, 0, 0);
        return true;
    }
    case 148:
    case 149:
        SendToSettingBar(fs, id == 148 ? 328 : 329);
        if (TopKind() == REQ_ROOT) SendToMenuList(fs, id);
        return true;
    case 320: {
        if (TopKind() != REQ_ROOT) {
            int running;
            if (!CMD_CancelRunning(&running, 1)) return true;
        }
        SendToMenuList(fs, 320);
        return true;
    }
    case 321: case 322: case 323: case 324: case 325: case 326: case 327:
        SendToSettingBar(fs, id);
        return true;
    case 328:
    case 329:
        SendToSettingBar(fs, id);
        if (TopKind() == REQ_ROOT) SendToMenuList(fs, id);
        ReopenPopup(hWnd, fs);
        return true;
    }
    return false;
}

// The on-screen menu list box: its selection picks a submenu or a command.
static void OnMenuList(HWND hWnd, FrameState* fs, int notifyCode)
{
    if (notifyCode != LBN_SELCHANGE || !fs) return;
    if (CNV_MenuWasDrag()) {
        ResetMenu(fs);
        return;
    }
    int row = (int)SendMessageA(fs->hWndMenuList, LB_GETCURSEL, 0, 0);
    if (row < 0) return;
    const ScreenMenuSlot* slot = (const ScreenMenuSlot*)SendMessageA(fs->hWndMenuList, LB_GETITEMDATA, row, 0);
    if (!slot || slot == (const ScreenMenuSlot*)LB_ERR) return;
    if (slot->submenu >= 0) {
        CommandRecord* top = CMD_StackTop();
        if (top && top->stateId == CMD_STATE_ROOT) {
            CNV_MenuShow(slot->submenu);
            return;
        }
        int running = -1;
        if (CMD_CancelRunning(&running, 1) || running < 0)
            CNV_MenuShow(slot->submenu);
        else
            CNV_MenuShowForCommand(running);
        return;
    }
    if (slot->commandId != 0)
        SendMessageA(hWnd, WM_COMMAND, (WPARAM)slot->commandId, 0);
    else
        SendMessageA(fs->hWndMenuList, LB_SETCURSEL, (WPARAM)-1, 0);
}

static void OnPairLayer(FrameState* fs)
{
    LevelTable* t = TLV_Get_TlvClass();
    TLV_SetActiveLevel(t, (short)TLV_GetSwapLevel(t, TLV_GetActiveLevel(t)));
    BAR_FuncFillLevelList();
    if (fs->panels.editCommand.contrast) InvalidateRect(fs->hWndCanvas, nullptr, TRUE);
}

static void OnScroll(int notifyCode)
{
    Request* top = DIN_TopRequest();
    if (top && DIN_IsBusy(top) && DIN_GetReturnState(top) == 401) return;
    int word = ((notifyCode >> 8) & 0xFFFF) | ((notifyCode & 0xF) << 16);
    DIN_CompleteRequest(ANS_SCROLL, word, 0);
}

static void OnMapWindow(HWND hWnd, FrameState* fs)
{
    DdmContext* ctx = DDM_Open(fs->hDesign);
    CanvasState* cs = CNV_GetState();
    HWND map = cs ? MAP_ButtonClick(hWnd, ctx, cs, cs->cxClient, cs->cyClient, ENV_GetENVClass()->own.mapWord)
                  : nullptr;
    fs->hWndMap = map;
    if (map) {
        RECT rm, rf;
        GetWindowRect(map, &rm);
        GetWindowRect(hWnd, &rf);
        int x = rm.left, y = rm.top;
        if (APP_KeepWindowOnScreen(&x, &y, rm.right - rm.left, rm.bottom - rm.top))
            SetWindowPos(map, nullptr, GetSystemMetrics(SM_CXVIRTUALSCREEN) / 3,
                         GetSystemMetrics(SM_CYVIRTUALSCREEN) / 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    DDM_Close(ctx);
}

void ROT_HelpFolder(const char* binPath, char* out, size_t outSize)
{
    char folder[MAX_PATH] = {};
    snprintf(folder, sizeof folder, "%s", binPath ? binPath : "");
    int found = 0;
    int i = (int)strlen(folder);
    for (; i >= 1; --i) {
        if (folder[i] == '\\' && ++found == 2) break;
    }
    if (found == 2)
        folder[i] = '\0';
    else
        folder[0] = '\0';
    snprintf(out, outSize, "%s\\Help", folder);
}

static void OnHelp(HWND hWnd)
{
    char folder[MAX_PATH + 8];
    ROT_HelpFolder(ENV_GetENVClass()->binPath, folder, sizeof folder);
    // A missing manual only makes the shell fail; nothing to report.
    ShellExecuteA(hWnd, "OPEN", "QZ-TORVAﾏﾆｭｱﾙ.pdf", nullptr, folder, SW_SHOWNORMAL);
}

// Admitted ids, in the order the dispatcher tests them.
static void RunAdmitted(HWND hWnd, FrameState* fs, int id, int notifyCode, LPARAM lParam)
{
    if (IsIn(kDialogOnly, std::size(kDialogOnly), id)) {
        ROT_PreCommandDialog(hWnd, id);
        return;
    }
    if (IsIn(kDialogThenMenu, std::size(kDialogThenMenu), id)) {
        ROT_PreCommandDialog(hWnd, id);
        ResetMenu(fs);
        return;
    }
    CanvasState* cs = CNV_GetState();
    int rerouted = 0;
    switch (id) {
    case 162: rerouted = 40133; break;
    case 192: rerouted = 40373; break;
    case 146: rerouted = cs && cs->lineKind == 3 ? 40135 : cs && cs->lineKind == 4 ? 40153 : 40138; break;
    case 176: rerouted = cs && cs->viaEntryMode == 2 ? 40243 : 40169; break;
    }
    if (rerouted) {
        SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(rerouted, notifyCode), lParam);
        return;
    }
    switch (id) {
    case 196:
        VIEW_ZoomToAssignPart();
        return;
    case 156:
        ENV_SetAbsZahyou(ENV_GetENVClass(), 1);
        BAR_SettingSetAbsMark(1);
        PostMessageA(fs->hWndCanvas, WM_USER + 7, 0, 0);
        return;
    case 173:
        ENV_SetAssInZahyou(ENV_GetENVClass(), 1);
        BAR_SettingSetAssignMark(1);
        PostMessageA(fs->hWndCanvas, WM_USER + 7, 0, 0);
        return;
    case 165:
        OnPairLayer(fs);
        return;
    case 179: case 180: case 181: case 182: {
        static const int code[4] = {0x200, 0x202, 0x100, 0x101};
        PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(178, code[id - 179]), 0);
        return;
    }
    case 178:
        OnScroll(notifyCode);
        return;
    case 177:
        DIN_CompleteRequest(ANS_AUTO_SCALE, 177, 0);
        return;
    case 264:
        if (fs->hWndSettingBar)
            PostMessageA(fs->hWndSettingBar, WM_COMMAND, 264, (LPARAM)GetDlgItem(fs->hWndSettingBar, 264));
        return;
    case 175:
        OnMapWindow(hWnd, fs);
        return;
    case 40041:
        SendMessageA(hWnd, WM_CLOSE, 0, 0);
        return;
    case 40495:
        if (!g_UseDirect2D) {
            MessageBoxA(hWnd, "表示モードが [混色] 選択中は使用できません", "不透過率設定", MB_ICONINFORMATION);
            ResetMenu(fs);
            return;
        }
        [[fallthrough]];
    case 40037:
        if (ROT_PreCommandDialog(hWnd, id)) InvalidateRect(fs->hWndCanvas, nullptr, TRUE);
        ResetMenu(fs);
        return;
    case 40130:
        CNV_MenuShowForCommand(40130);
        PRN_Command(hWnd);
        ResetMenu(fs);
        return;
    case 40127:
        if (ROT_PreCommandDialog(hWnd, id)) PLB_PartListOutput(hWnd);
        ResetMenu(fs);
        return;
    case 40285:
        OnHelp(hWnd);
        return;
    case 40140:
        ROT_OpenDesignCommand(hWnd, notifyCode);
        return;
    case 126:
    case 151:
        return;
    case 138:
    case 157:
    case 193:
        DIN_CompleteRequest(ANS_COMMAND, id, 0);
        return;
    }
    CNV_MenuShowForCommand(id);
    DIN_CompleteRequest(ANS_COMMAND, id, 0);
}

void ROT_OnCommand(HWND hWnd, int id, LPARAM lParam, int notifyCode)
{
    FrameState* fs = ROT_GetWindowData();
    // The frame posts the start-up open command while it is being made; the
    // command thread may not yet have set up its root state when the message
    // loop delivers it, and the gate would then drop the design named at
    // start. It is delivered again until the command thread is ready.
    if (id == 40140 && notifyCode != 0 && (CMD_StackDepth() < 1 || !DIN_TopRequest())) {
        Sleep(1);
        PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(id, notifyCode), lParam);
        return;
    }
    if (id == 135) {
        OnMenuList(hWnd, fs, notifyCode);
        return;
    }
    if (id == 40459) {
        DdmContext* ctx = DDM_Open(fs ? fs->hDesign : nullptr);
        int used = DDM_GetDefViaUse(ctx);
        DDM_Close(ctx);
        if (!used) {
            MessageBeep(0);
            ResetMenu(fs);
            return;
        }
    } else if (FirstStage(hWnd, fs, id, notifyCode, lParam)) {
        return;
    }

    int running = -1;
    if (!CMD_AdmitCommand(id, &running)) {
        if (running >= 0) CNV_MenuShowForCommand(running);
        if (id == 213 && fs && fs->hWndAttrBar) SendDlgItemMessageA(fs->hWndAttrBar, 213, BM_SETCHECK, 0, 0);
        SetFocus(hWnd);
        return;
    }
    if (fs) RunAdmitted(hWnd, fs, id, notifyCode, lParam);
    SetFocus(hWnd);
}
