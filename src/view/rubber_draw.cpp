// The rubber figure of a waiting request: what the next click will make,
// drawn with the XOR pen on the canvas so that drawing it a second time at
// the same place takes it away again. The kind of the request gives its own
// figure (the track of a lock pick, a line, a box, a polyline); a figure
// block owned by the request adds the primitives its command built.
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "app/din.h"
#include "check/meas_rubber_geometry.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_geometry.h"
#include "view/cnv.h"
#include "view/cnv_input.h"

namespace {

POINT Unpack(int64_t packed)
{
    return {(LONG)(int32_t)(uint32_t)(uint64_t)packed, (LONG)(int32_t)(uint32_t)((uint64_t)packed >> 32)};
}

// The pen of the figure: replaced only when its style or colour changes.
struct Pen {
    HDC dc;
    HPEN pen = nullptr;
    HGDIOBJ old = nullptr;
    int style = -1;
    COLORREF colour = 0;
    explicit Pen(HDC d) : dc(d) {}
    void Use(int s, COLORREF c)
    {
        if (pen && s == style && c == colour) return;
        HPEN next = CreatePen(s, 0, c);
        HGDIOBJ prev = SelectObject(dc, next);
        if (!old) old = prev;
        if (pen) DeleteObject(pen);
        pen = next;
        style = s;
        colour = c;
    }
    ~Pen()
    {
        if (old) SelectObject(dc, old);
        if (pen) DeleteObject(pen);
    }
};

void Line(DisplaySC* sc, POINT a, POINT b)
{
    DSP_MoveToEx(sc, a.x, a.y);
    DSP_LineTo(sc, b.x, b.y);
}

void Circle(DisplaySC* sc, POINT c, int r)
{
    DSP_Arc(sc, c.x - r, c.y + r, c.x + r, c.y - r, c.x + r, c.y, c.x + r, c.y);
}

// The two sides of a track of half-width w from a to b.
void TrackSides(DisplaySC* sc, POINT a, POINT b, int w)
{
    double angle = AngleDirection(a.x, a.y, b.x, b.y);
    for (double turn : {90.0, -90.0}) {
        POINT s = Unpack(XYDistAngle(a.x, a.y, w, angle + turn));
        POINT e = Unpack(XYDistAngle(b.x, b.y, w, angle + turn));
        Line(sc, s, e);
    }
}

bool IsTrackCode(uint16_t code)
{
    switch (code) {
    case 0x113: case 0x114: case 0x193: case 0x194: case 0x1d3: case 0x1d4: return true;
    }
    return false;
}

void KindFigure(DisplaySC* sc, Pen& pen, const Request* r, POINT a, POINT b, POINT c)
{
    const RubberFigure* block = (const RubberFigure*)r->extraBlock;
    int held = r->pointCount;
    switch (r->kind) {
    case REQ_POINT3:
        pen.Use(PS_SOLID, RGB(255, 255, 255));
        Line(sc, a, c);
        DSP_LineTo(sc, b.x, b.y);
        if (block && block->width >= 1) {
            int w = block->width;
            pen.Use(PS_DOT, block->colour);
            Circle(sc, a, w);
            TrackSides(sc, a, c, w);
            Circle(sc, c, w);
            if (b.x != c.x || b.y != c.y) {
                TrackSides(sc, c, b, w);
                Circle(sc, b, w);
            }
        }
        break;
    case REQ_TWO2:
        if (held >= 1) {
            pen.Use(PS_DOT, RGB(255, 255, 255));
            Line(sc, a, b);
        }
        break;
    case REQ_TWO3:
    case REQ_TWO4:
        if (held >= 1) {
            pen.Use(PS_DOT, RGB(255, 255, 255));
            DSP_MoveToEx(sc, a.x, a.y);
            DSP_LineTo(sc, a.x, b.y);
            DSP_LineTo(sc, b.x, b.y);
            DSP_LineTo(sc, b.x, a.y);
            DSP_LineTo(sc, a.x, a.y);
        }
        break;
    case REQ_THREE1:
    case REQ_THREE2:
        if (held >= 1) {
            pen.Use(PS_DOT, RGB(255, 255, 255));
            Line(sc, a, c);
            DSP_LineTo(sc, b.x, b.y);
        }
        break;
    }
}

// The primitives of the figure block, with the origin at B plus the offset.
void BlockFigure(DisplaySC* sc, Pen& pen, const RubberFigure* f, POINT b)
{
    POINT origin = {b.x + f->xOffset, b.y + f->yOffset};
    POINT cur = origin;
    for (int i = 0; i < f->count; ++i) {
        const RubberItem& it = f->items[i];
        pen.Use(IsTrackCode(it.code) ? PS_DOT : PS_SOLID, f->colour);
        bool relative = (it.code & 0x1f0) == 0x190 || (it.code & 0x1f0) == 0x1b0;
        POINT p = relative ? POINT{origin.x + it.x, origin.y + it.y} : POINT{it.x, it.y};
        bool roundEnd = !(it.flags & 1);
        switch (it.code) {
        case 0x111: case 0x191:
            DSP_MoveToEx(sc, p.x, p.y);
            cur = p;
            break;
        case 0x112: case 0x192:
            Line(sc, cur, p);
            cur = p;
            break;
        case 0x113: case 0x193:
            if (roundEnd) Circle(sc, p, it.width);
            DSP_MoveToEx(sc, p.x, p.y);
            cur = p;
            break;
        case 0x114: case 0x194:
            TrackSides(sc, cur, p, it.width);
            if (roundEnd) Circle(sc, p, it.width);
            DSP_MoveToEx(sc, p.x, p.y);
            cur = p;
            break;
        case 0x131: case 0x132: case 0x1b1: case 0x1b2: {
            if (i + 1 >= f->count) break;
            const RubberItem& next = f->items[++i];
            bool nextRelative = (next.code & 0x1f0) == 0x190 || (next.code & 0x1f0) == 0x1b0;
            POINT q = nextRelative ? POINT{origin.x + next.x, origin.y + next.y} : POINT{next.x, next.y};
            int r = it.width;
            POINT s = (it.code & 1) ? q : cur, e = (it.code & 1) ? cur : q;
            DSP_Arc(sc, p.x - r, p.y + r, p.x + r, p.y - r, s.x, s.y, e.x, e.y);
            DSP_MoveToEx(sc, q.x, q.y);
            cur = q;
            break;
        }
        case 0x1d1: case 0x1d3: {
            // A pair with the next primitive: the fixed points P1 (this one)
            // and P2 (the next), joined through the offset line at the
            // cursor whose half-length is this primitive's width word.
            if (i + 1 >= f->count) break;
            const RubberItem& next = f->items[++i];
            POINT p1 = {it.x, it.y}, p2 = {next.x, next.y}, q1, q2;
            int a1, a2, code;
            MEAS_RubberBandGeometry(it.width, &a1, &a2, &code, p1, p2, origin, &q1, &q2);
            Line(sc, p1, q1);
            DSP_LineTo(sc, q2.x, q2.y);
            DSP_LineTo(sc, p2.x, p2.y);
            cur = p2;
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace

int CNV_DrawRubber(DisplaySC* sc, int show, Request* request, POINT a, POINT b, POINT c)
{
    CanvasState* state = CNV_GetState();
    if (!request || !sc || !sc->hdc || !state) return 0;
    if (!show && !state->bRubberShown) return 0;
    if (show && state->bRubberShown) return 0;
    if (show && !state->bCursorInside) return 0;
    state->bRubberShown = show ? 1 : 0;
    int oldRop = SetROP2(sc->hdc, R2_XORPEN);
    int oldBk = SetBkMode(sc->hdc, TRANSPARENT);
    {
        Pen pen(sc->hdc);
        KindFigure(sc, pen, request, a, b, c);
        if (request->extraBlock) BlockFigure(sc, pen, (const RubberFigure*)request->extraBlock, b);
    }
    SetBkMode(sc->hdc, oldBk);
    SetROP2(sc->hdc, oldRop);
    return 1;
}

int CNV_ShowRubber(int show)
{
    HWND hWnd = CNV_GetWindow();
    CanvasState* state = CNV_GetState();
    Request* top = DIN_TopRequest();
    if (!hWnd || !state || !top) return 0;
    if (show ? state->bRubberShown != 0 : state->bRubberShown == 0) return 0;
    DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, state);
    if (!sc) return 0;
    POINT a = {top->rubberA[0], top->rubberA[1]}, b = {top->rubberB[0], top->rubberB[1]},
          c = {top->rubberC[0], top->rubberC[1]};
    int done = CNV_DrawRubber(sc, show, top, a, b, c);
    DSP_ReleaseSC(hWnd, sc);
    return done;
}
