// The canvas's popup menu: the current on-screen menu as a popup (its
// submenus as popups of their own), then a tail of view settings that the
// setting bar handles: lock, input grid, lead-in, edge, parts list, levels.
#include <cstring>

#include "app/frame_state.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_records.h"
#include "view/cnv.h"

static const ScreenMenuRecord* FindMenu(int id)
{
    for (const ScreenMenuRecord* m = g_ScreenMenus; m->menuId != -1; ++m)
        if (m->menuId == id) return m;
    return nullptr;
}

static void Append(HMENU menu, UINT flags, UINT_PTR id, const char* label, int* count, int* longest)
{
    AppendMenuA(menu, flags, id, label);
    ++*count;
    int n = label ? (int)strlen(label) : 0;
    if (n > *longest) *longest = n;
}

// The menu's entries, the title left out; `depth` guards a tree that loops.
static HMENU MenuPopup(int id, int* count, int* longest, int depth)
{
    HMENU popup = CreatePopupMenu();
    const ScreenMenuRecord* m = FindMenu(id);
    if (!m || !popup) return popup;
    for (int i = 0; i < 20 && m->slot[i].label; ++i) {
        const ScreenMenuSlot& s = m->slot[i];
        if (s.commandId == 153) continue;
        if (s.commandId == 0) {
            HMENU sub = (s.submenu >= 0 && depth < 8) ? MenuPopup(s.submenu, count, longest, depth + 1) : nullptr;
            if (sub)
                Append(popup, MF_POPUP | MF_STRING, (UINT_PTR)sub, s.label, count, longest);
            else
                Append(popup, MF_STRING, 0, s.label, count, longest);
        } else {
            Append(popup, MF_STRING, (UINT_PTR)s.commandId, s.label, count, longest);
        }
    }
    return popup;
}

HMENU CNV_BuildPopupMenu(int* count, int* longest)
{
    int n = 0, widest = 0;
    int current = CNV_MenuCurrent();
    HMENU popup = MenuPopup(current, &n, &widest, 0);
    if (!popup) return nullptr;
    Append(popup, MF_SEPARATOR, 0, nullptr, &n, &widest);
    Append(popup, current == 0 ? (MF_STRING | MF_GRAYED | MF_DISABLED) : MF_STRING, 320, "上位メニューへ", &n, &widest);
    Append(popup, MF_SEPARATOR, 0, nullptr, &n, &widest);

    HMENU lock = CreatePopupMenu();
    bool autoLock = PDL_Get_PdlClass() && PDL_Get_PdlClass()->autoLock == 1;
    AppendMenuA(lock, MF_STRING, 321, autoLock ? "順自動" : "OFF");
    AppendMenuA(lock, MF_STRING, 322, autoLock ? "逆自動" : "ロック");
    Append(popup, MF_POPUP | MF_STRING, (UINT_PTR)lock, "ロック", &n, &widest);

    HMENU grids = CreatePopupMenu();
    GridObject* g = GRD_GetObject();
    if (g && g->currentGroup >= 0 && g->currentGroup < 8) {
        const GridGroupRec& group = g->group[g->currentGroup];
        for (int k = 0; k < 5; ++k) {
            int slot = group.slot[k];
            if (slot < 0 || slot > 15) continue;
            int dsp = g->input[slot].dspGrid;
            const char* name = dsp < 16 ? g->display[dsp].name : "";
            char label[16] = {};
            memcpy(label, name, sizeof g->display[0].name);
            AppendMenuA(grids, MF_STRING | (k == group.activeSlot ? MF_CHECKED : 0), 323 + k, label);
        }
    }
    Append(popup, MF_POPUP | MF_STRING, (UINT_PTR)grids, "入力グリッド", &n, &widest);

    void* env = ENV_GetENVClass();
    Append(popup, MF_STRING | (ENV_GetLeadin(env) ? MF_CHECKED : 0), 328, "LE-IN", &n, &widest);
    Append(popup, MF_STRING | (ENV_GetEdge(env) ? MF_CHECKED : 0), 329, "端点", &n, &widest);
    Append(popup, MF_STRING, 191, "部品リスト", &n, &widest);
    Append(popup, MF_SEPARATOR, 0, nullptr, &n, &widest);
    Append(popup, MF_STRING, 40133, "レベル表", &n, &widest);
    if (count) *count = n < 14 ? 14 : n;
    if (longest) *longest = widest;
    return popup;
}
