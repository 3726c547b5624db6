// The canvas tests' board and window (see canvas_fixture.h).
#include "canvas_fixture.h"

#include <cstdlib>

#include "app/app.h"
#include "platform/layout_fill.h"
#include "platform/layout_line.h"
#include "platform/layout_text.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_records.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "view/cnv.h"

namespace {

void BuildTables(DdmContext* ctx)
{
    LevelTable* lt = TLV_Get_TlvClass();
    lt->levelUseNum = 3;
    const uint32_t colours[4] = {0, 0x01000001, 0x01000002, 0x01000007};  // red, green, white
    for (int k = 1; k <= 3; ++k) {
        lt->extra[k].layer = (int16_t)(k < 3 ? k : 0);
        lt->extra[k].color = colours[k];
        lt->extra[k].dispSts = 0;
        lt->entry[k].number = (uint16_t)k;
        lt->entry[k].viaLayer = k;
    }
    LineTable* ll = TLL_Get_TllClass();
    ll->useNum = 2;
    ll->entry[1].width = MM / 2;
    ll->entry[1].dispMode = 3;
    ll->entry[2].width = 2 * MM;
    ll->entry[2].dispMode = 3;
    TextLineTable* tl = TTL_Get_TtlClass();
    tl->useNum = 1;
    tl->entry[1].width = MM / 5;
    tl->entry[1].height = 2 * MM;
    tl->entry[1].widthScale = 1.0;
    SizeTable* st = TSZ_Get_TszClass();
    st->useNum = 1;
    st->entry[1].number = 1;
    st->entry[1].flags = 1 | (1 << 2);  // a flash, class land
    st->entry[1].shape = 0;
    st->entry[1].outX = st->entry[1].outY = 160000;
    HoleTable* ht = DDM_Open_HoleTable(ctx);
    ht->count = 1;
    ht->entry[1].number = 1;
    ht->entry[1].sizeX = 60000;
    ViaTable* vt = TVT_Get_TvtClass();
    vt->useNum = 1;
    vt->def[1].number = 1;
    vt->def[1].used = 1;
    vt->def[1].drillNo = 1;
    vt->def[1].apt[2] = 1;  // a pad on level 2 (VIA layer index 2) only
}

}  // namespace

void CF_AddLine(int level, int lineNo, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    LineRecord r{};
    r.code = FC_LINE;
    r.lineNo = lineNo;
    r.x1 = x1;
    r.y1 = y1;
    r.x2 = x2;
    r.y2 = y2;
    r.net = r.lgnet = -1;
    void* page = nullptr;
    PDL_InsertNewData((short)level, &r, &page);
}

namespace {

void BuildRecords()
{
    CF_AddLine(1, 1, -4 * MM, 3 * MM, 4 * MM, 3 * MM);

    ViaInsertRecord v{};
    v.code = FC_VIA;
    v.viaNo = 1;
    v.x = -3 * MM;
    v.y = -MM;
    v.net = v.lgnet = -1;
    v.pinNo = -1;
    void* page = nullptr;
    PDV_InsertNewData(&v, &page);

    void* fill = PZB_AllocNewDataArea(2, 0, 4, 0, nullptr);
    FillHead* head = (FillHead*)PageRecord(fill, 0, FILL_ENTRY_SIZE);
    head->kind = FK_FIRST_FIGURE;
    head->entries = 5;
    head->points = 4;
    const int32_t pts[4][2] = {{-MM, -4 * MM}, {3 * MM, -4 * MM}, {3 * MM, -3 * MM / 2}, {-MM, -3 * MM / 2}};
    for (int i = 0; i < 4; ++i) {
        FillPoint* p = (FillPoint*)PageRecord(fill, i + 1, FILL_ENTRY_SIZE);
        p->kind = i == 0 ? FK_FIRST_POINT : FK_POINT;
        p->x = pts[i][0];
        p->y = pts[i][1];
    }
    dam_Set_cnt_of_DataPH(fill, 5);
    const int32_t box[4] = {-MM, -4 * MM, 3 * MM, -3 * MM / 2};
    dam_Set_area_of_DataPH(fill, box);

    TextRecord t{};
    t.code = FC_TEXT;
    t.textLineNo = 1;
    t.x = 5 * MM;
    t.y = -3 * MM;
    t.height = 2 * MM;
    t.width = 120000;
    t.charCount = 1;
    t.chars[0] = 'I';
    PDT_InsertNewData(3, &t, &page);
}

}  // namespace

CanvasFixture::CanvasFixture(int32_t cx, int32_t cy, double zoom, int width, int height)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    path = std::string(dir) + "canvas_test_" + std::to_string(GetCurrentProcessId()) + ".wps";
    DeleteFileA(path.c_str());
    hDesign = WPS_Open(path.c_str());
    DdmContext* ctx = DDM_Open(hDesign);
    BuildTables(ctx);
    BuildRecords();
    ENV_SetCenter(ctx->env, ((uint64_t)(uint32_t)cy << 32) | (uint32_t)cx);
    ENV_SetZoom(ctx->env, zoom);
    DDM_Close(ctx);
    static bool registered = CNV_RegisterClass(GetModuleHandleA(nullptr)) != 0;
    (void)registered;
    hWnd = CreateWindowExA(0, CNV_CLASS_NAME, "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    KIT_PumpPending();
}

CanvasFixture::~CanvasFixture()
{
    if (hWnd) DestroyWindow(hWnd);
    KIT_PumpPending();  // takes the canvas's WM_QUIT off the queue
    WPS_Delete(path.c_str());
}

KIT_Image CanvasFixture::Capture(int direct2d)
{
    g_UseDirect2D = direct2d;
    InvalidateRect(hWnd, nullptr, TRUE);
    UpdateWindow(hWnd);
    return KIT_CaptureClient(hWnd);
}

POINT CanvasFixture::Pixel(int32_t x, int32_t y)
{
    POINT p = {x, y};
    DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, CNV_GetState());
    DSP_LPtoDPz(sc, &p);
    DSP_ReleaseSC(hWnd, sc);
    return p;
}

void OneMillimetreGrid()
{
    GridObject* g = GRD_GetObject();
    g->currentGroup = 0;
    g->group[0].ox = g->group[0].oy = 0;
    g->group[0].activeSlot = 0;
    g->group[0].slot[0] = 0;
    g->input[0].px = g->input[0].py = MM;
}

bool Near(uint32_t pixel, uint32_t rgb, int tol)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = (int)((pixel >> shift) & 0xFF), b = (int)((rgb >> shift) & 0xFF);
        if (std::abs(a - b) > tol) return false;
    }
    return true;
}
