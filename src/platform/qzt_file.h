// Design files: loading and saving ".tpw" designs and ".ttp" templates, and
// the upgrade and check calls that design loading runs after a load.
//
// The file format is the store's own: a header (magic, format version, kind,
// design version, writer "Torva.exe"), then sections each with its name,
// length and CRC: every fixed table region, the page directory and the page
// heap. A file that is damaged, truncated or not a design is refused as a
// whole before anything of the open design is touched.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_design.h"

// The design version written into every file: above every upgrade threshold
// of design loading, so that our own designs need no repair.
constexpr uint32_t DESIGN_VERSION = 27100000;
constexpr int DESIGN_KIND_TPW = 1;
constexpr int DESIGN_KIND_TTP = 2;

extern "C" {

// Loads the design of the path pair (folder char[260] + file name char[260])
// into the work space. `progress` is the caller's progress object
// (DoingProgress of DOING_Start, or 0): the load reports its bytes read.
// 1 on success with the design's version in *version; 0 on failure, after
// the engine's own message box (owner `hFrame`, caption `caption`).
int DDM_LoadTPW(HWND hFrame, DdmContext* ctx, const char* pathPair, int mode, uint32_t* version,
                const char* caption, void* progress);
// Loads a template; 1 or 0 as DDM_LoadTPW.
int DDM_LoadTTP(HWND hCanvas, DdmContext* ctx, const char* pathPair, const char* caption);

// Post-load upgrades and checks. For designs of this program they find
// nothing to repair. The checks that take a log path append what they find
// to it and return 0 when they wrote anything, 1 otherwise.
void DDM_DataVerify(DdmContext* ctx);
int DDM_RepairMargeStringData(DdmContext* ctx);
void FilLoad_SymRotCorrect(DdmContext* ctx, uint32_t version);
void FilLoad_SigLineACTaperFlgCorrect(DdmContext* ctx);
void DDM_ReSize_FmtDrcTable(DdmContext* ctx);
void DDM_Load_SLIBCheck(DdmContext* ctx);
void DDM_TVT_AptNo0_Clear(DdmContext* ctx);
void DDM_PinRefDupDataPack(DdmContext* ctx);
void DDM_NotPinNoPinDef_Delete(DdmContext* ctx, HWND hCanvas);
void DDM_PinLgnetUpdate_PinRef(DdmContext* ctx);
void DDM_UpdateAllSymPinPnt_QzPin(DdmContext* ctx);
int DDM_AllShpPinNameCheck(DdmContext* ctx, HWND hCanvas);
void DDM_PinName_SpaceCut(DdmContext* ctx);
void DDM_AllSymInfDataUpdate(DdmContext* ctx, HWND hCanvas);
void DDM_ErrFigTDLinkClear(DdmContext* ctx);
void DDM_PinDefNetPageUpdate(DdmContext* ctx, HWND hCanvas);
void DDM_Load_0LgnetCheck(DdmContext* ctx);
// Records whose table numbers lie outside their tables (line, text-line,
// fill-line and VIA numbers).
int DDM_TabalNoCheck(DdmContext* ctx, HWND hCanvas, const char* logPath);
int DDM_SignalTD_HiddenFlagClear(DdmContext* ctx, HWND hCanvas, const char* logPath);
// Records outside the work area of +-150,000,000 units.
int DDM_AllDataAreaCheck(DdmContext* ctx, HWND hCanvas, const char* logPath);
void DDM_ViaTbl_AptNoCheck(DdmContext* ctx, HWND hCanvas);
int DDM_SlinTblDataConv(DdmContext* ctx);
void DDM_Initialize(DdmContext* ctx, HINSTANCE hInstance);
void DDM_InitMDMData(DdmContext* ctx);
void CCC_Initialize(DdmContext* ctx, HINSTANCE hInstance);
void DDM_drcCheck_SetClearanceMax(DdmContext* ctx);

}

// ---- For tools and tests ----------------------------------------------------------

// Why a design file was refused (0 = loaded).
enum DesignFileError {
    DFE_OK = 0,
    DFE_OPEN,         // the file cannot be opened or read
    DFE_FOREIGN,      // not a design file of this program
    DFE_VERSION,      // a format version this program does not know
    DFE_KIND,         // a template where a design was expected, or the reverse
    DFE_TRUNCATED,    // shorter than its sections say
    DFE_DAMAGED,      // a section's CRC or contents do not check
    DFE_NO_ROOM,      // the work space cannot hold it
    DFE_NO_SPACE,     // no work space is open
    DFE_WRITE,        // the file cannot be written
};

// Loads a design or template file without any message; the open design is
// untouched unless the result is DFE_OK. `what` (optional, 256 bytes) gets a
// Shift-JIS text naming the fault and its place.
DesignFileError DDM_ReadDesignFile(const char* path, int kind, uint32_t* version, char* what);
// Writes the open design to `path` through a temporary file in the same
// folder, renamed over the target only when complete.
DesignFileError DDM_WriteDesignFile(const char* path, int kind, char* what);
// The Shift-JIS message for a fault.
const char* DDM_DesignFileErrorText(DesignFileError error);
// CRC-32C of a buffer, continuing `crc` (0 to start).
uint32_t DDM_Crc32c(uint32_t crc, const void* data, size_t size);
