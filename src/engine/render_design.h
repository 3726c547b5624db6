// Drawing a design's elements with a painter (render_design.cpp); used by the
// display entry points of render_paint.cpp.
#pragma once
#include "engine/render_internal.h"

// Every visible level of the design inside `box` (board units), ORed into
// the painter's surface: the mixing display.
void RND_DrawDesignMixing(void* ctx, RndPainter* p, const BoardRect& box);
// Every visible level inside `box`: each element class that is not opaque
// drawn into the `layer` painter's surface (cleared) and blended over the
// `direct` painter's surface; opaque classes drawn with `direct` at once.
void RND_DrawDesignStandard(void* ctx, RndPainter* layer, RndPainter* direct, const BoardRect& box);
// One element by class code (0x14000 VIA, 0x24010 line, 0x34020 text,
// 0x44030 fill, 0x64090 part, 0x740A0 pin), in its own colours or, with
// `force`, in `forceColour`.
void RND_DrawElement(void* ctx, RndPainter* p, const BoardRect& box, int classCode, const void* record,
                     COLORREF forceColour, bool force);
// One line or arc record of `level`.
void RND_DrawLineOfLevel(void* ctx, RndPainter* p, const BoardRect& box, int level, const void* record,
                         bool highlight, bool endMarks);
// The dashed white border of the work area, where it lies inside the view.
void RND_DrawWorkAreaBorder(RndPainter* p, const BoardRect& box);
// Surface pixels inside the work area (intersected with the painter's clip).
RECT RND_WorkAreaPixels(const RndPainter* p);
