// Services of the canvas's pointer input: lock directions, the part-pin
// lookup of the assign-in entry with the part it remembers, and the XOR
// markers.
#include <cmath>
#include <cstring>
#include <string>

#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_pick.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

int32_t Lo(uint64_t p) { return (int32_t)(uint32_t)p; }
int32_t Hi(uint64_t p) { return (int32_t)(uint32_t)(p >> 32); }
uint64_t Pack(double x, double y)
{
    auto c = [](double v) { return (int32_t)std::llround(std::fmax(-2147483648.0, std::fmin(2147483647.0, v))); };
    return ((uint64_t)(uint32_t)c(y) << 32) | (uint32_t)c(x);
}

double LockStep() { return ENV_GetLockAngle(ENV_GetENVClass()) * kPi / 180.0; }

// The lock direction nearest the direction from base to point (radians).
double NearestDirection(uint64_t base, uint64_t point, double* offBy)
{
    double dx = (double)Lo(point) - Lo(base), dy = (double)Hi(point) - Hi(base);
    double a = std::atan2(dy, dx), step = LockStep();
    double locked = std::round(a / step) * step;
    if (offBy) *offBy = std::fabs(a - locked);
    return locked;
}

PartRecord* s_panPart = nullptr;

}  // namespace

uint64_t MP_RoundLock(uint64_t base, uint64_t point)
{
    if (base == point) return point;
    double a = NearestDirection(base, point, nullptr);
    double dx = (double)Lo(point) - Lo(base), dy = (double)Hi(point) - Hi(base);
    double along = dx * std::cos(a) + dy * std::sin(a);
    return Pack(Lo(base) + along * std::cos(a), Hi(base) + along * std::sin(a));
}

uint64_t MP_RoundAutoLock(uint64_t base, uint64_t point)
{
    if (base == point) return point;
    double a = NearestDirection(base, point, nullptr);
    double dx = (double)Lo(point) - Lo(base), dy = (double)Hi(point) - Hi(base);
    double length = std::hypot(dx, dy);
    return Pack(Lo(base) + length * std::cos(a), Hi(base) + length * std::sin(a));
}

int MP_IsAbleToAutoLock(uint64_t base, uint64_t point)
{
    if (base == point) return 0;
    double off = 0;
    NearestDirection(base, point, &off);
    return off <= LockStep() / 4 ? 1 : 0;
}

int DDM_GetPoint_AssignPin(void* ctx, const char* name, POINT* point, PartRecord** partOut)
{
    if (!name) return 0;
    std::string text = name, part = text, pin;
    size_t dash = text.rfind('-');
    if (dash != std::string::npos) {
        part = text.substr(0, dash);
        pin = text.substr(dash + 1);
    }
    for (void* pp = dam_NextPage(nullptr, DCODE_PART, DAM_SEL_ALL, 0); pp; pp = dam_NextPage(pp, DCODE_PART, DAM_SEL_ALL, 0)) {
        PartRecord* r = (PartRecord*)PageRecord(pp, 0, 0);
        if (r->status & ES_DELETED) continue;
        if (strncmp(r->assignName, part.c_str(), sizeof(r->assignName)) != 0 || part.size() >= sizeof(r->assignName))
            continue;
        if (dash == std::string::npos) {
            if (point) *point = {r->x, r->y};
            if (partOut) *partOut = r;
            return 1;
        }
        int key = dam_Get_key_of_DataPH(pp, 4);
        for (void* pg = dam_NextPage(nullptr, DCODE_PIN, DAM_SEL_PART, key); pg; pg = dam_NextPage(pg, DCODE_PIN, DAM_SEL_PART, key)) {
            const DataPageHeader* h = (const DataPageHeader*)pg;
            for (int i = 0; i < h->count; ++i) {
                const ViaRecord* v = (const ViaRecord*)PageRecord(pg, i, 60);
                if ((v->status & ES_DELETED) || pin.size() >= sizeof(v->name)) continue;
                if (strncmp(v->name, pin.c_str(), sizeof(v->name)) != 0) continue;
                if (point) *point = {v->x, v->y};
                if (partOut) *partOut = r;
                return 1;
            }
        }
    }
    return 0;
}

void DDM_PanAssSetQzSymAdr(PartRecord* part) { s_panPart = part; }
PartRecord* DDM_PanAssGetQzSymAdr(void) { return s_panPart; }

void DSP_Marking(HWND hWndCanvas, const MarkingRec* mark, int flag)
{
    if (!hWndCanvas || !mark) return;
    const CanvasState* state = (const CanvasState*)GetWindowLongPtrA(hWndCanvas, 0);
    DisplaySC* sc = DSP_GetDisplaySC(hWndCanvas, nullptr, state);
    if (!sc) return;
    POINT p = {mark->x, mark->y};
    DSP_LPtoDPz(sc, &p);
    int h = mark->size / 2;
    int oldRop = SetROP2(sc->hdc, R2_XORPEN);
    HPEN pen = CreatePen(PS_SOLID, 0, mark->colour & 0xFFFFFF);
    HGDIOBJ old = SelectObject(sc->hdc, pen);
    MoveToEx(sc->hdc, p.x - h, p.y, nullptr);
    LineTo(sc->hdc, p.x + h + 1, p.y);
    MoveToEx(sc->hdc, p.x, p.y - h, nullptr);
    LineTo(sc->hdc, p.x, p.y + h + 1);
    SelectObject(sc->hdc, old);
    DeleteObject(pen);
    SetROP2(sc->hdc, oldRop);
    DSP_ReleaseSC(hWndCanvas, sc);
    (void)flag;
}
