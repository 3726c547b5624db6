// Picking figure lines and arcs (data code 82) by point or box, and marking
// picked lines and VIAs for the running command and the concurrent-design
// service.
//
// Every search walks the line pages from the engine-held search pointer of
// lines (ENV_GetPdlSearchPointer), resumes after its last hit and wraps once,
// so repeated clicks at one place cycle through the lines stacked there. A
// search called with its new-search flag clear continues a series: it keeps
// the tolerance of the series' first call and stops (returns 0) when it comes
// back to the series' first hit, so that a caller enumerates every line in a
// box by calling until 0 comes back.
//
// All of this runs on the command thread.
#pragma once
#include <windows.h>

#include "platform/layout_line.h"
#include "platform/qzt_draw.h"

// Kind filters.
enum : int {
    PICK_KIND_ALL = 0,
    PICK_KIND_LINES = 1,  // straight segments only
    PICK_KIND_ARCS = 2,   // arcs only
};
// Mark filters: what a search does with a record that carries the selection
// mark (0x20000000).
enum : int {
    PICK_MARK_ANY = 0,   // no filter
    PICK_MARK_SKIP = 1,  // skip it
    PICK_MARK_SHOW = 2,  // say so in a message box, then test it all the same
};

// The line or arc under a point (pointCount 1, points[0]) or inside a box
// (pointCount 4, its corners as OppositeAnglePnt2BoxPnt writes them); with
// any other count every record that passes the filters is a hit. Pages of
// levels that are locked or hidden, or whose level key is 0 or less, are
// passed over; so are deleted and display-marked records and records
// carrying both 0x00100000 and 0x00002000. Returns the record and writes its
// page's data address to *page, or returns 0 (leaving *page alone).
LineRecord* PICK_LineSearch(DisplaySC* sc, int newSearch, int kindFilter, int markFilter,
                            int pointCount, const POINT* points, void** page);
// A point search that also finds lines on locked levels; all kinds; always a
// new search.
LineRecord* PICK_LineSearchNoLock(DisplaySC* sc, int markFilter, const POINT* point, void** page);
// A box search over the pages of `level` (every level when 0), hidden and
// locked levels included; selection-marked records are passed over.
LineRecord* PICK_LineBoxSearchOnLevel(DisplaySC* sc, int newSearch, int level, const POINT* corners,
                                      void** page);
// The point search of the change commands: locked levels included,
// selection-marked records passed over, always a new search; the page's
// level is written into the hit's level word.
LineRecord* PICK_LineSearchForChange(DisplaySC* sc, const POINT* point, void** page);

// The same searches on the open design (hDesign) with a display context of
// the canvas: a new search with mark filter 1.
LineRecord* PICK_LineAtPoint(short kindFilter, const POINT* point, void** page);
LineRecord* PICK_LineAtPointForChange(const POINT* point, void** page);

// Marks (flag 1) or releases (flag 0) one line, arc or VIA record: clears its
// highlight bit, sets or clears the selection mark and reports it to the
// concurrent-design service (operation 4 or 5), repaints it on the canvas
// and ends the batch with an empty operation 3. A VIA carrying 0x01000000 is
// marked without a report; other records change nothing but the batch end.
// Returns 1.
int PICK_SetItemMark(void* record, int flag, void* page);

// Clears `bits` of the status of every line record of every page.
void EDIT_ClearLineMarks(unsigned bits);
// Sets status bit 2 (selected for deletion) on every line in the box with
// the given mark filter and returns how many; when none is found the whole
// canvas is invalidated.
int EDIT_BoxMarkLines(int x1, int y1, int x2, int y2, int markFilter);
// Clears bit 2 on every line, then sets it on every line of `level` (every
// level when 0) in the box; the count. Nothing is repainted.
int EDIT_MarkLinesInBox(int x1, int y1, int x2, int y2, int level);

// The marks of delete by kind over every line record that is not deleted and
// carries a bit of `mask`: the display mark set or cleared by `highlight`;
// with `mark` set the selection mark is set and reported (operation 4), else
// it is cleared and the record is sent (operation 3, its 60 bytes) when it
// keeps the display mark, or released (operation 5) when not. With the mixing
// display each record is repainted.
void EDIT_SetLineMarksByMask(void* context, unsigned mask, int highlight, int mark);
// Repaints every line record carrying a bit of `mask`: at once when it is
// neither deleted nor display-marked, else its area from the design. The
// number of records repainted.
int EDIT_RedrawLinesByMask(void* context, int taperWord, unsigned mask);
