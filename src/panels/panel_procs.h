// The dialog procedures of the option panels, as the creation table names
// them. Each keeps its parameter block (the WM_INITDIALOG parameter) in its
// window user data, except the selection and copy panels and the copy bar,
// which reach their blocks through the frame state.
#pragma once
#include <windows.h>

#define PNL_PROC(name) INT_PTR CALLBACK name(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)

// Subsystem 4.
PNL_PROC(PNL_TextOrientProc);
PNL_PROC(PNL_TextOptionsProc);
PNL_PROC(PNL_TextAngleProc);
PNL_PROC(PNL_TextAngleProc2);
PNL_PROC(PNL_PartOrientProc);
PNL_PROC(PNL_PartOrientViaProc);
PNL_PROC(PNL_PartOrientRatsProc);
PNL_PROC(PNL_GroupRotateProc);
PNL_PROC(PNL_PartHeightProc);
PNL_PROC(PNL_FillEditProc);
PNL_PROC(PNL_FillNetNameProc);
PNL_PROC(PNL_HatchAngleProc);
PNL_PROC(PNL_HatchRadiusProc);
PNL_PROC(PNL_FillFilletProc);
PNL_PROC(PNL_RadiusProc);
PNL_PROC(PNL_RadiusProc2);
PNL_PROC(PNL_ChamferProc);
PNL_PROC(PNL_FilletProc);
PNL_PROC(PNL_LineLengthProc);
PNL_PROC(PNL_PinSeriesProc);
PNL_PROC(PNL_PinArrayProc);
PNL_PROC(PNL_TaperProc);
PNL_PROC(PNL_TaperProc2);
PNL_PROC(PNL_TaperCheckProc);
PNL_PROC(PNL_TaperCheckProc2);
PNL_PROC(PNL_TaperLineProc);
PNL_PROC(PNL_TaperLineProc2);
PNL_PROC(PNL_TaperWidthProc);
PNL_PROC(PNL_DimensionProc);
PNL_PROC(PNL_LeaderArrowProc);
PNL_PROC(PNL_LeaderViaProc);
PNL_PROC(PNL_LeaderArcProc);
PNL_PROC(PNL_ObjKindProc);
PNL_PROC(PNL_ViaTextClearanceProc);
PNL_PROC(PNL_SmdClearanceProc);
PNL_PROC(PNL_FigurePairProc);
PNL_PROC(PNL_GridDistanceProc);
PNL_PROC(PNL_DistanceLevelProc);
PNL_PROC(PNL_ChainLengthProc);
PNL_PROC(PNL_GridAngleProc);
PNL_PROC(PNL_LineCountProc);
PNL_PROC(PNL_LevelAttrProc);
PNL_PROC(PNL_NetCheckProc);
PNL_PROC(PNL_LevelViaProc);
PNL_PROC(PNL_ClearanceViaProc);
PNL_PROC(PNL_CommonValueProc);
PNL_PROC(PNL_SelectChainProc);
PNL_PROC(PNL_ChainSelectProc);
PNL_PROC(PNL_LineChangeProc);
PNL_PROC(PNL_PointerSelectProc);
PNL_PROC(PNL_LevelFixProc);
PNL_PROC(PNL_AutoVoidProc);
PNL_PROC(PNL_FillCutProc);
PNL_PROC(PNL_HatchDisplayProc);
PNL_PROC(PNL_RatsProc);
PNL_PROC(PNL_ViaNoUpdateProc);
PNL_PROC(PNL_LineNoUpdateProc);
PNL_PROC(PNL_FillLineNoUpdateProc);
PNL_PROC(PNL_TextLineNoUpdateProc);
PNL_PROC(PNL_PinNameProc);
PNL_PROC(PNL_CornerProc);
PNL_PROC(PNL_RotateCopyProc);
PNL_PROC(PNL_RotateCopyKindsProc);
PNL_PROC(PNL_SelectAreaProc);
PNL_PROC(PNL_SelectKindsProc);
PNL_PROC(PNL_CopyCountProc);
PNL_PROC(PNL_CopyKindsProc);
PNL_PROC(PNL_SelectArea2Proc);
PNL_PROC(PNL_SelectKinds2Proc);
PNL_PROC(PNL_AreaModeProc);
PNL_PROC(PNL_AreaModeProc2);
PNL_PROC(PNL_BoxSingleProc);
PNL_PROC(PNL_ViaNoReplaceProc);
PNL_PROC(PNL_LineNoReplaceProc);
PNL_PROC(PNL_DefViaNoReplaceProc);
PNL_PROC(PNL_ViaConnectProc);
PNL_PROC(PNL_LineSelectProc);
PNL_PROC(PNL_LineValueProc);
PNL_PROC(PNL_LevelLockProc);
PNL_PROC(PNL_TaperOptProc);
PNL_PROC(PNL_TaperOptProc2);
PNL_PROC(PNL_TaperOptProc3);
PNL_PROC(PNL_SingleBoxProc2);
PNL_PROC(PNL_ViaTaperProc);
PNL_PROC(PNL_ViaTaperProc2);
PNL_PROC(PNL_ViaTaperProc3);
PNL_PROC(PNL_SingleBoxProc);
PNL_PROC(PNL_SingleMultiProc);
PNL_PROC(PNL_CopyProc);
PNL_PROC(PNL_SelectModeProc);
PNL_PROC(PNL_ViewOptionProc);
PNL_PROC(PNL_NextAssignProc);
PNL_PROC(PNL_GridOnProc);

// The shell's own panels (41, 28, 10, 11).
PNL_PROC(PNL_PlacePitchProc);
PNL_PROC(PNL_LevelSpecProc);
PNL_PROC(PNL_PlaceAngleProc);
PNL_PROC(PNL_ConvertOptionsProc);

// Panels and bars of the editing, measurement and check subsystems.
PNL_PROC(EDIT_TextSplitDlgProc);
PNL_PROC(EDIT_SigCopyDlgProc);
PNL_PROC(EDIT_DeleteModeDlgProc);
PNL_PROC(NET_LogicalNetNameBarProc);
PNL_PROC(NET_LogicalNetNameBarProc2);
PNL_PROC(NET_LogicalNetDlgProc);
PNL_PROC(NET_PhysNetNameBarProc);
PNL_PROC(NET_NetNameAutoScaleBarProc);
PNL_PROC(CHK_AssignChkDlgProc);
