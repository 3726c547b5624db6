// Stand-ins for the services the canvas's pointer input calls of parts that
// are not built yet. Each does the least the canvas needs; the part that
// builds the real one deletes its lines here.
#include "view/cnv_input.h"

// Waiting for: the lead-in pin catch of the picking services. Until it
// exists no pin is caught.
int PICK_LeadInPinCatch(POINT point, POINT* caught) { return 0; }

// Waiting for: the end-point catch of the picking services. Until it exists
// no end point is caught.
int PICK_EndPointCatch(POINT point, POINT* caught) { return 0; }

// Waiting for: the engine's work-data end catch (the fill edit buffers).
// Until it exists there is no work data to catch.
int WRK_Edge_Catch(void* ctx, POINT point, POINT* caught) { return 0; }

// Waiting for: the cursor information line. Until it exists nothing is
// shown.
int CNV_ShowCursorInfo(HWND hWndCanvas, POINT point) { return 0; }
