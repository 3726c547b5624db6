// The input library XWinput: modal entry windows for real numbers, integers,
// texts and coordinates, each with a history of what was typed before.
//
// Every entry returns 1 when the user confirmed a value (the output then holds
// it, within the bounds), 2 when the user cancelled (Escape, the cancel button
// or closing the window; the output is left untouched), and 0 only when no
// window could be made (or the arguments leave nothing that could be
// accepted: a null output, a minimum above the maximum). A value outside the
// bounds is refused with a beep and the window stays open.
//
// Coordinates are board units (0.00001 mm) and are typed in millimetres.
// XWinputZahyou writes exactly one 32-bit coordinate; a caller that wants an
// x and y pair calls XWinputZahyou2 (see src/input/README.md).
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_xwinput.h"

extern "C" {
// A real number within [minimum, maximum]. `one` and `word` are carried for
// the callers' sake and not read.
int XWinputFloat(HWND hOwner, double* value, double minimum, double maximum, int one, int word);
// A 32-bit integer within [minimum, maximum].
int XWinputInteger(HWND hOwner, int32_t* value, int32_t minimum, int32_t maximum, int one, int word);
// A text of at most `maxLength` bytes; the buffer must hold maxLength + 1.
// flag 1: the window starts with the buffer's current text (editing a field);
// flag 0: it starts with the newest text of the history.
// mode 0: the text is not kept in the history; 1 or 2: it is.
int XWinputString(HWND hOwner, char* buffer, int maxLength, int flag, int mode);
// One coordinate in board units within [minimum, maximum], typed in mm.
int XWinputZahyou(HWND hOwner, int32_t* value, int32_t minimum, int32_t maximum, int one, int word);
// `count` points (count >= 1), each an x and a y in board units, written to
// pairs[0..2*count-1] only once every point has been confirmed. Each is typed
// in mm as "x,y" (a blank also separates) within the x and y bounds.
int XWinputZahyou2(HWND hOwner, int32_t* pairs, int32_t xMin, int32_t xMax, int32_t yMin,
                   int32_t yMax, int count, int word);
// Empties every history.
void XWinputDelHistoryAll(HWND hOwner);

// The parameter block the shell keeps through the engine; the histories and
// the window position live there from then on. Null gives the library back
// its own block (as at start).
void XWinputSetParam(XWinputParam* block);
XWinputParam* XWinputGetParam();
}
