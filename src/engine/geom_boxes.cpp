// Boxes given by two opposite corners in either order.
#include "platform/qzt_geometry.h"

namespace {

struct Box {
    long x1, y1, x2, y2;  // x1 <= x2, y1 <= y2
};

Box Ordered(const RECT* r)
{
    Box b;
    b.x1 = r->left < r->right ? r->left : r->right;
    b.x2 = r->left < r->right ? r->right : r->left;
    b.y1 = r->top < r->bottom ? r->top : r->bottom;
    b.y2 = r->top < r->bottom ? r->bottom : r->top;
    return b;
}

}  // namespace

int IsSeparateRect(const RECT* a, const RECT* b)
{
    if (!a || !b) return 1;
    Box p = Ordered(a);
    Box q = Ordered(b);
    return p.x2 < q.x1 || q.x2 < p.x1 || p.y2 < q.y1 || q.y2 < p.y1 ? 1 : 0;
}

void OppositeAnglePnt2BoxPnt(int x1, int y1, int x2, int y2, POINT corners[4])
{
    RECT r = {x1, y1, x2, y2};
    Box b = Ordered(&r);
    corners[0] = {b.x1, b.y1};
    corners[1] = {b.x2, b.y1};
    corners[2] = {b.x2, b.y2};
    corners[3] = {b.x1, b.y2};
}

int FigPointInBox(const RECT* box, const POINT* points, int n)
{
    if (!box || !points) return 0;
    Box b = Ordered(box);
    int count = 0;
    for (int i = 0; i < n; ++i)
        if (b.x1 <= points[i].x && points[i].x <= b.x2 && b.y1 <= points[i].y && points[i].y <= b.y2)
            ++count;
    return count;
}

void AreaMinMaxPointMarge(RECT* extent, int minX, int minY, int maxX, int maxY)
{
    if (!extent) return;
    if (minX < extent->left) extent->left = minX;
    if (minY < extent->top) extent->top = minY;
    if (maxX > extent->right) extent->right = maxX;
    if (maxY > extent->bottom) extent->bottom = maxY;
}
