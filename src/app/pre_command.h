// The pre-command dialogs: the modal dialogs that a menu command consists of,
// run on the user-interface thread by ROT_PreCommandDialog (declared with
// the dispatcher in rot_dispatch.h), and what they call of parts that are
// built elsewhere.
#pragma once
#include <windows.h>

#include <cstdint>

// Where the level table opens next and the level it shows selected: both
// kept from one run of the level table to the next, whatever its result.
// A position of 0, 0 means none yet (the level table then opens at the
// canvas window's top-left corner).
struct LevelDialogPlace {
    POINT pos;
    int16_t word;
};
LevelDialogPlace* ROT_LevelDialogPlace();

// The texts of the view-mode button (control 464 of the attribute bar) for
// the view modes 0, 1 and 2; an empty text for any other mode.
const char* ROT_ViewModeText(int mode);

// ---- Neighbours --------------------------------------------------------------------
// Each of these belongs to another part of the program; pre_command_waiting.cpp
// holds the least the pre-command dialogs need until that part is built.

// Dialog procedures of the templates the dialogs run: the grid settings (130),
// the PCB information (157; ends with 1 after OK, 0 after cancel), the
// transparency settings (472) and the part-list parameters (170; its
// parameter is the address of a 32-bit selection word, left 0 when nothing
// was chosen).
INT_PTR CALLBACK GRID_SettingsDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK APP_PcbInfoDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ALPHA_DlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PLB_PartListParamDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// The part-list output options and file: non-zero when confirmed, 0 sends
// the caller back to the parameter dialog.
int PLB_PartListOutputDialog(HWND hWndFrame, int32_t selection);

// The data information lists; the VIA list is non-zero when the VIA data
// may have changed.
int LST_ViaDataInfoOpen(HWND hWndFrame);
int LST_LineDataInfoOpen(HWND hWndFrame);
int LST_TextDataInfoOpen(HWND hWndFrame);
int LST_PlaneDataInfoOpen(HWND hWndFrame);
int LST_PartDataInfoOpen(HWND hWndFrame, void* ctx);
int LST_RatsDataInfoOpen();
int LST_PlacedPartsListOpen();
// The table output; its result.
int TBL_TableOutputOpen(HWND hWndFrame);
// The text list, owned by `hWndOwner`; 1.
int LIST_TextListCommand(HWND hWndOwner);

// Writes the shortcut panel's setup file from the frame state: 1 or 0.
struct FrameState;
int CT_WriteSetup(FrameState* fs);
// Opens the bulletin board at the position kept in the environment: 1.
int BBS_Open();
// Refills the level list of the distance panel after the level table ran.
void PNL_DistanceLevelSync();
