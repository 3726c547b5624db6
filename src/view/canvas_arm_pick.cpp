// Arming the canvas for a pick request: when one of the engine's keyboard
// coordinate modes is on (absolute, relative, assign-in), the points the
// request still needs are typed instead of clicked. With no mode on the
// request waits for the mouse.
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/app.h"
#include "app/cmd.h"
#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_env.h"
#include "platform/qzt_geometry.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_pick.h"
#include "platform/qzt_wps.h"
#include "platform/xwinput.h"
#include "view/bar.h"
#include "view/cnv.h"
#include "view/cnv_input.h"

namespace {

POINT Unpack(uint64_t p) { return {(LONG)(int32_t)(uint32_t)p, (LONG)(int32_t)(uint32_t)(p >> 32)}; }
uint64_t Pack(POINT p) { return ((uint64_t)(uint32_t)p.y << 32) | (uint32_t)p.x; }

int Needed(int kind)
{
    if (kind >= 1 && kind <= 3) return 1;
    if (kind >= 4 && kind <= 7) return 2;
    if (kind == 8 || kind == 17) return 3;
    return 0;
}

// Adds a typed point {p, p, (0, 0), locked, 0}.
void AddTyped(Request* r, POINT p, POINT locked)
{
    RequestPoint rp{};
    rp.x = rp.x2 = p.x;
    rp.y = rp.y2 = p.y;
    rp.extra[2] = locked.x;
    rp.extra[3] = locked.y;
    rp.flag = SNAP_TYPED;
    DIN_AddRequestPoint(r, rp);
}

POINT Locked(Request* r, POINT p)
{
    if (DIN_GetKind(r) != 3) return p;
    POINT base = {r->auxWord1, r->auxWord2};
    return Unpack(MP_RoundAutoLock(Pack(base), Pack(p)));
}

// Typed pairs about `origin`, limited so that every point stays inside the
// work area. The entry's result.
int TypePairs(HWND hWnd, POINT origin, int n, std::vector<int32_t>* pairs)
{
    pairs->assign((size_t)n * 2, 0);
    g_bCoordEntry = 1;
    int result = XWinputZahyou2(hWnd, pairs->data(), -WORK_AREA_LIMIT - origin.x, WORK_AREA_LIMIT - origin.x,
                                -WORK_AREA_LIMIT - origin.y, WORK_AREA_LIMIT - origin.y, n, 0);
    g_bCoordEntry = 0;
    UpdateWindow(hWnd);
    return result;
}

void AnswerEntryEnd(int result)
{
    if (result == 0) DIN_CompleteRequest(ANS_CANCEL, 0, 0);
    else if (result == 2) DIN_CompleteRequest(ANS_FINISH, 0, 0);
}

}  // namespace

void CNV_OnArmPick(HWND hWnd)
{
    Request* r = DIN_TopRequest();
    if (!r) return;
    int kind = DIN_GetKind(r);
    int n = Needed(kind) - DIN_GetPointCount(r);
    EnvRecord* env = ENV_GetENVClass();
    bool pick = Needed(kind) > 0;
    if (ENV_GetAbsZahyou(env)) {
        if (!pick) {
            ENV_SetAbsZahyou(env, 0);
            return;
        }
        if (n <= 0) return;
        CNV_CancelDrag();
        POINT o = Unpack(GRD_GetCurrentAbsGenten(GRD_GetObject()));
        std::vector<int32_t> t;
        int result = TypePairs(hWnd, o, n, &t);
        if (result != 1) {
            AnswerEntryEnd(result);
            return;
        }
        for (int i = 0; i < n; ++i) {
            POINT p = Unpack((uint64_t)PointOffset((int64_t)Pack(POINT{t[2 * i], t[2 * i + 1]}), (int64_t)Pack(o)));
            AddTyped(r, p, Locked(r, p));
        }
        DIN_CompleteRequest(ANS_INPUT, 0, 0);
        return;
    }
    if (ENV_GetRelZahyou(env)) {
        if (!pick) {
            ENV_SetRelZahyou(env, 0);
            return;
        }
        if (n <= 0) return;
        CNV_CancelDrag();
        POINT b = Unpack(ENV_GetRelBasePnt(env));
        std::vector<int32_t> t;
        int result = TypePairs(hWnd, b, n, &t);
        if (result != 1) {
            AnswerEntryEnd(result);
            return;
        }
        POINT prev = b;
        for (int i = 0; i < n; ++i) {
            POINT p = Unpack((uint64_t)PointOffset((int64_t)Pack(POINT{t[2 * i], t[2 * i + 1]}), (int64_t)Pack(prev)));
            MarkingRec mark = {0, p.x, p.y, 12, 0xFFFFFF};
            DSP_Marking(hWnd, &mark, 1);
            AddTyped(r, p, Locked(r, p));
            prev = p;
        }
        ENV_SetRelBasePnt(env, Pack(prev));
        DIN_CompleteRequest(ANS_INPUT, 0, 0);
        return;
    }
    if (ENV_GetAssInZahyou(env)) {
        if (!pick) {
            ENV_SetAssInZahyou(env, 0);
            return;
        }
        if (n <= 0) return;
        CNV_CancelDrag();
        POINT q = {};
        int result = CNV_AssignInPoint(&q);
        BAR_StatusSetText("メニューを選択してください");
        if (result != 1) {
            AnswerEntryEnd(result);
            return;
        }
        for (int i = 0; i < n; ++i) AddTyped(r, q, q);
        DIN_CompleteRequest(ANS_INPUT, 0, 0);
    }
}

int CNV_AssignInPoint(POINT* point)
{
    HWND hWnd = CNV_GetWindow();
    BAR_StatusSetText("アサイン－ピンを入力してください");
    g_bCoordEntry = 1;
    char buffer[65] = "";
    int result;
    while ((result = XWinputString(hWnd, buffer, 64, 0, 2)) == 1) {
        // Blanks dropped; part and pin split at the last hyphen and joined
        // again.
        char text[65];
        size_t k = 0;
        for (const char* s = buffer; *s && k < sizeof(text) - 1; ++s)
            if (*s != ' ') text[k++] = *s;
        text[k] = 0;
        char name[132];
        if (char* dash = std::strrchr(text, '-')) {
            *dash = 0;
            std::snprintf(name, sizeof(name), "%s-%s", text, dash + 1);
        } else {
            std::snprintf(name, sizeof(name), "%s", text);
        }
        DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
        PartRecord* part = nullptr;
        POINT found = {};
        int ok = DDM_GetPoint_AssignPin(ctx, name, &found, &part);
        DDM_Close(ctx);
        if (ok) {
            if (point) *point = found;
            DDM_PanAssSetQzSymAdr(part);
            break;
        }
        MessageBeep(0);
        char message[200];
        std::snprintf(message, sizeof(message), "%s が見つかりません。", name);
        CNV_CancelDrag();
        CMD_MessageBox(hWnd, message, "アサインＩＮ", MB_OK);
    }
    g_bCoordEntry = 0;
    return result;
}
