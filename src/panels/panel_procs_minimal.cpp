// The panels whose own behaviour is not built yet. Each is created hidden
// from its template, keeps its parameter block in its window user data (or,
// for the selection and copy panels, reaches it through the frame state and
// keeps nothing), and can be shown and hidden; it writes no defaults, fills
// no lists and reports nothing.
//
// Waiting for the panels' own behaviour: each line below is replaced by the
// panel's real procedure when its family is built (dimension and leader
// line, selection and copy, number update, VIA taper, corner and line
// length, line select, taper, part placement, object kind, text, hatching
// and fill, void, corner and pointer, selection mode, taper and level kind).
#include "panels/panel_procs.h"

// Keeps the block; the result of WM_INITDIALOG is the one the panel's
// family gives (1 for the selection, copy, number-update, pin-name,
// net-check, number-replace and level-kind panels, 0 for the others).
static INT_PTR KeepBlock(HWND hDlg, UINT msg, LPARAM lParam, INT_PTR initResult)
{
    if (msg != WM_INITDIALOG) return 0;
    SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
    return initResult;
}

// The selection and copy panels keep no user data: their commands and they
// themselves find the block in the frame state.
static INT_PTR KeepNothing(UINT msg)
{
    return msg == WM_INITDIALOG ? 1 : 0;
}

#define KEEPS(name, result) \
    PNL_PROC(name) { return KeepBlock(hDlg, msg, lParam, result); }
#define KEEPS_NOTHING(name) \
    PNL_PROC(name) { return KeepNothing(msg); }

// clang-format off
KEEPS(PNL_TextOrientProc, 0)
KEEPS(PNL_TextOptionsProc, 0)
KEEPS(PNL_TextAngleProc, 0)
KEEPS(PNL_TextAngleProc2, 0)
KEEPS(PNL_PartOrientProc, 0)
KEEPS(PNL_PartOrientViaProc, 0)
KEEPS(PNL_PartOrientRatsProc, 0)
KEEPS(PNL_GroupRotateProc, 0)
KEEPS(PNL_PartHeightProc, 0)
KEEPS(PNL_FillEditProc, 0)
KEEPS(PNL_FillNetNameProc, 0)
KEEPS(PNL_HatchAngleProc, 0)
KEEPS(PNL_HatchRadiusProc, 0)
KEEPS(PNL_FillFilletProc, 0)
KEEPS(PNL_RadiusProc, 0)
KEEPS(PNL_RadiusProc2, 0)
KEEPS(PNL_ChamferProc, 0)
KEEPS(PNL_FilletProc, 0)
KEEPS(PNL_LineLengthProc, 0)
KEEPS(PNL_PinSeriesProc, 0)
KEEPS(PNL_PinArrayProc, 0)
KEEPS(PNL_TaperProc, 0)
KEEPS(PNL_TaperProc2, 0)
KEEPS(PNL_TaperCheckProc, 0)
KEEPS(PNL_TaperCheckProc2, 0)
KEEPS(PNL_TaperLineProc, 0)
KEEPS(PNL_TaperLineProc2, 0)
KEEPS(PNL_TaperWidthProc, 0)
KEEPS(PNL_DimensionProc, 0)
KEEPS(PNL_LeaderArrowProc, 0)
KEEPS(PNL_LeaderViaProc, 0)
KEEPS(PNL_LeaderArcProc, 0)
KEEPS(PNL_ObjKindProc, 0)
KEEPS(PNL_ViaTextClearanceProc, 0)
KEEPS(PNL_SmdClearanceProc, 0)
KEEPS(PNL_FigurePairProc, 0)
KEEPS(PNL_LevelAttrProc, 1)
KEEPS(PNL_NetCheckProc, 1)
KEEPS(PNL_LevelViaProc, 0)
KEEPS(PNL_ClearanceViaProc, 0)
KEEPS(PNL_CommonValueProc, 0)
KEEPS(PNL_SelectChainProc, 0)
KEEPS(PNL_ChainSelectProc, 0)
KEEPS(PNL_LineChangeProc, 0)
KEEPS(PNL_PointerSelectProc, 0)
KEEPS(PNL_LevelFixProc, 0)
KEEPS(PNL_AutoVoidProc, 0)
KEEPS(PNL_FillCutProc, 0)
KEEPS(PNL_HatchDisplayProc, 0)
KEEPS(PNL_RatsProc, 0)
KEEPS(PNL_ViaNoUpdateProc, 1)
KEEPS(PNL_LineNoUpdateProc, 1)
KEEPS(PNL_FillLineNoUpdateProc, 1)
KEEPS(PNL_TextLineNoUpdateProc, 1)
KEEPS(PNL_PinNameProc, 1)
KEEPS(PNL_CornerProc, 0)
KEEPS_NOTHING(PNL_RotateCopyProc)
KEEPS_NOTHING(PNL_RotateCopyKindsProc)
KEEPS_NOTHING(PNL_SelectAreaProc)
KEEPS_NOTHING(PNL_SelectKindsProc)
KEEPS_NOTHING(PNL_CopyCountProc)
KEEPS_NOTHING(PNL_CopyKindsProc)
KEEPS_NOTHING(PNL_SelectArea2Proc)
KEEPS_NOTHING(PNL_SelectKinds2Proc)
KEEPS_NOTHING(PNL_AreaModeProc)
KEEPS_NOTHING(PNL_AreaModeProc2)
KEEPS_NOTHING(PNL_CopyProc)
KEEPS(PNL_BoxSingleProc, 0)
KEEPS(PNL_ViaNoReplaceProc, 1)
KEEPS(PNL_LineNoReplaceProc, 1)
KEEPS(PNL_DefViaNoReplaceProc, 1)
KEEPS(PNL_ViaConnectProc, 0)
KEEPS(PNL_LineSelectProc, 0)
KEEPS(PNL_LineValueProc, 0)
KEEPS(PNL_LevelLockProc, 0)
KEEPS(PNL_TaperOptProc, 0)
KEEPS(PNL_TaperOptProc2, 0)
KEEPS(PNL_TaperOptProc3, 0)
KEEPS(PNL_SingleBoxProc2, 0)
KEEPS(PNL_ViaTaperProc, 0)
KEEPS(PNL_ViaTaperProc2, 0)
KEEPS(PNL_ViaTaperProc3, 0)
KEEPS(PNL_SingleBoxProc, 0)
KEEPS(PNL_SingleMultiProc, 0)
KEEPS(PNL_SelectModeProc, 0)
KEEPS(PNL_ViewOptionProc, 0)
KEEPS(PNL_NextAssignProc, 0)
KEEPS(PNL_GridOnProc, 0)

// Waiting for the editing bars, the delete-mode bar, the net panels and the
// assign check: their own subsystems give them their procedures. The text
// split bar answers 1 at creation, as it does for an empty pick block.
KEEPS(EDIT_TextSplitDlgProc, 1)
KEEPS_NOTHING(EDIT_SigCopyDlgProc)
KEEPS(EDIT_DeleteModeDlgProc, 0)
KEEPS(NET_LogicalNetNameBarProc, 0)
KEEPS(NET_LogicalNetNameBarProc2, 0)
KEEPS(NET_LogicalNetDlgProc, 0)
KEEPS(NET_PhysNetNameBarProc, 0)
KEEPS(NET_NetNameAutoScaleBarProc, 0)
KEEPS(CHK_AssignChkDlgProc, 0)
// clang-format on
