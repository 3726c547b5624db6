// Resource ids of the drawing view and its bars.
#pragma once

// The function bar's map-window button.
#define IDI_FUNC_MAP 140
