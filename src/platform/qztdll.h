// The engine library's whole interface: one header per family, included here.
// Callers include this header (or one family header) and declare no engine
// call elsewhere.
#pragma once
#include "platform/qzt_mem.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_geometry.h"
#include "platform/qzt_display.h"
#include "platform/qzt_placement.h"
#include "platform/qzt_wps.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_records.h"
#include "platform/qzt_env.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_file.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_palette.h"
#include "platform/qzt_table_update.h"
#include "platform/qzt_figure_hits.h"
#include "platform/qzt_nets.h"
