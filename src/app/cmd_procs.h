// The state procedures that the command table names. Each lives with its
// subsystem; they are declared here together so that the table compiles
// against one list. A subsystem's own header may declare them again.
#pragma once
#include "app/cmd.h"

// View commands.
int VIEW_RelativeBase(CommandRecord* record, int resumed, Request* request);
int VIEW_NextInputGrid(CommandRecord* record, int resumed, Request* request);
int VIEW_PrevInputGrid(CommandRecord* record, int resumed, Request* request);
int VIEW_ZoomUp(CommandRecord* record, int resumed, Request* request);
int VIEW_ZoomDown(CommandRecord* record, int resumed, Request* request);
int VIEW_Pan(CommandRecord* record, int resumed, Request* request);
int VIEW_WholeData(CommandRecord* record, int resumed, Request* request);
int VIEW_AreaBack(CommandRecord* record, int resumed, Request* request);
int VIEW_AreaForward(CommandRecord* record, int resumed, Request* request);
int VIEW_PreviousArea(CommandRecord* record, int resumed, Request* request);
int VIEW_AreaZoom(CommandRecord* record, int resumed, Request* request);
int VIEW_ZoomByFactor(CommandRecord* record, int resumed, Request* request);
int VIEW_Redisplay(CommandRecord* record, int resumed, Request* request);
int VIEW_AssignNameToggle(CommandRecord* record, int resumed, Request* request);
int VIEW_PinNameCommand(CommandRecord* record, int resumed, Request* request);
int VIEW_RatsnestCommand(CommandRecord* record, int resumed, Request* request);
int VIEW_ToggleGrid(CommandRecord* record, int resumed, Request* request);
int VIEW_ToggleOrigin(CommandRecord* record, int resumed, Request* request);
// The scroll step of the waiting state (answer 6): scrolls the view and
// returns the next state; the request stays open.
int VIEW_ScrollStep(Request* request);

// Origin, hatching display, design reading, text list.
int ORG_MoveCommand(CommandRecord* record, int resumed, Request* request);
int HAT_HatchingCommand(CommandRecord* record, int resumed, Request* request);
int FILE_PcbReadCommand(CommandRecord* record, int resumed, Request* request);
int LIST_TextListCommand(CommandRecord* record, int resumed, Request* request);

// Element commands: change, information, dimension and leader lines, delete.
int EDIT_PinChangeCommand(CommandRecord* record, int resumed, Request* request);
int EDIT_AppViaChange(CommandRecord* record, int resumed, Request* request);
int EDIT_LineChangeCommand(CommandRecord* record, int resumed, Request* request);
int EDIT_AppTextChange(CommandRecord* record, int resumed, Request* request);
int EDIT_FillChangeCommand(CommandRecord* record, int resumed, Request* request);
int EDIT_AppPartChange(CommandRecord* record, int resumed, Request* request);
int EDIT_AppSigViaChange(CommandRecord* record, int resumed, Request* request);
int EDIT_AppSigLinChange(CommandRecord* record, int resumed, Request* request);
int EDIT_DimensionLineCommand(CommandRecord* record, int resumed, Request* request);
int EDIT_LeaderViaCommand(CommandRecord* record, int resumed, Request* request);
int EDIT_LeaderArcCommand(CommandRecord* record, int resumed, Request* request);
int EDIT_LeaderArrowCommand(CommandRecord* record, int resumed, Request* request);
int EDIT_AppDeleteKindSelect(CommandRecord* record, int resumed, Request* request);
int INFO_AppViaInfo(CommandRecord* record, int resumed, Request* request);
int INFO_AppLineInfo(CommandRecord* record, int resumed, Request* request);
int INFO_AppTextInfo(CommandRecord* record, int resumed, Request* request);
int INFO_AppFillInfo(CommandRecord* record, int resumed, Request* request);
int INFO_AppPartInfo(CommandRecord* record, int resumed, Request* request);
int INFO_AppPinInfo(CommandRecord* record, int resumed, Request* request);
int INFO_ViaDetailCommand(CommandRecord* record, int resumed, Request* request);

// Measurement, nets and checks.
int MEAS_DistanceCommand(CommandRecord* record, int resumed, Request* request);
int MEAS_LineGapCommand(CommandRecord* record, int resumed, Request* request);
int MEAS_AngleCommand(CommandRecord* record, int resumed, Request* request);
int MEAS_ChainLengthCommand(CommandRecord* record, int resumed, Request* request);
int NET_LogicalNetCommand(CommandRecord* record, int resumed, Request* request);
int CHK_NetCheckCommand(CommandRecord* record, int resumed, Request* request);
int CHK_TextCheckCommand(CommandRecord* record, int resumed, Request* request);
