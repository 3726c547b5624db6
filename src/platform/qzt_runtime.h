// The engine's runtime services: system error reports, the double to board
// unit conversion, the program folder, registry values, the engine's reader
// of the settings file "torva.ini", and the concurrent-design service.
//
// The program never opens a concurrent-design session, so every MDMC_ call
// gets the null handle; the service then sends nothing anywhere, but keeps a
// log of its calls so that the edit sequences can be checked.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

extern "C" {

// ---- Errors and conversion -------------------------------------------------

// A modal message box (OK, error icon) owned by `hOwner` with the system's
// text for `errorCode` and `caption` naming the failed step
// ("Pebla.exe - CreateThread()", "ファイルオープン"). Works from any thread.
void ErrMsgFormat(HWND hOwner, DWORD errorCode, const char* caption);

// The nearest 32-bit integer, halves away from zero. Values beyond the 32-bit
// range give INT32_MIN or INT32_MAX and NaN gives INT32_MIN, so that a work
// area check refuses them instead of seeing a wrapped value inside the area.
long dtol(double value);

// ---- Program folder ----------------------------------------------------------

// The folder of the running program ending with a backslash, followed by
// `fileName` when it is given and not empty. The text lives in one of eight
// buffers of the calling thread used in turn, so up to eight results can be
// held at once (a source and a target path); copy it to keep it longer. An
// empty text when the path would not fit in MAX_PATH.
char* ENV_GetBinPath(const char* fileName);
// The program folder as the environment keeps it, ending with a backslash.
char* ENV_GetBinPathEnvClass(void);

// ---- Registry ----------------------------------------------------------------
// Values live under HKEY_LOCAL_MACHINE\Software\Torva\Viewer (machine scope)
// and HKEY_CURRENT_USER\Software\Torva\Viewer (user scope).

// Stores `length` bytes of `value` as value `name`; `type` is the registry
// type (1 = REG_SZ). Text values are stored up to their NUL, with a NUL,
// whether or not `length` counts it. 1 on success, 0 on failure.
int SetMachineRegistry(const void* value, DWORD length, DWORD type, const char* name);
int SetUserRegistry(const void* value, DWORD length, DWORD type, const char* name);
// Reads the user-scope text value `name` into `buffer` (at least 256 bytes;
// a longer value is cut to 255 bytes). 1 when found; 0 with an empty buffer
// otherwise.
int GetUserRegistry(const char* name, char* buffer);

// ---- Settings file -----------------------------------------------------------

// The value of `key` (given with its percent sign and colon, "%Direct2D:")
// in "torva.ini" in the program folder: the rest of the line after the key,
// without its line break, copied into `buffer` (at least 256 bytes; longer
// values are cut to 255 bytes). Keys match without regard to case; a later
// line overrides an earlier one. Returns `buffer`, or null when the file or
// the key is missing.
char* ReadTorvaInitFile(const char* key, char* buffer);

// ---- Concurrent-design service -------------------------------------------------

// Reports a change of one element: handle (always null), operation (1 new,
// 2 delete, 3 send, 4 mark, 5 release), class code, words 4 and 5, element
// number, words 7 to 9, byte count, record address. With the null handle the
// record bytes are never read.
void MDMC_UpdateData(void* hSession, int op, int classCode, int w4, int w5, int elementNo,
                     int w7, int w8, int w9, int byteCount, const void* address);
// The sixteen-word form of the defined-VIA assignment report.
void MDMC_UpdateData2(void* hSession, int w1, int classCode, int w3, int w4, int w5, int w6,
                      int w7, int w8, int w9, int w10, int w11, int w12, int w13, int byteCount,
                      const void* address);
// Writes the next free element number to `*number` and reserves `count`
// numbers from it.
void MDMC_ReqElementNo(void* hSession, int* number, int count);
// Sets the next free element number (after a design is numbered).
void MDMC_ReqInitElementNo(void* hSession, int nextNumber);
// The number of members of the concurrent design: 1 (this program alone).
int MDMC_ReqMemberList(void* hSession, int w2, int w3);
void MDMC_ReqUnlock2(void* hSession);
// The window the service would tell when a waited-for answer arrives.
void MDMC_SetDialogWnd(HWND hDlg);
// Announces that a design-wide dialog opens (1) or closes (0).
void MDMC_EnterDialog(int entering, int dialogId);
// 1 when the session restricts the design-wide dialogs; 0 without a session.
int MDMC_GetDlgLimitLevel(void);

// A memory block that collects copies of several records for one report:
// each store appends {int32 item number, int32 size, bytes}. Blocks come
// from the tagged allocator with the tag "MBLK".
void* MBLK_Create(int w1, int w2);
// Appends a copy of `size` bytes at `address`; returns the block the next
// call takes (it may have moved), or 0 when memory runs out (the old block
// is then released).
void* MBLK_StoreMemBlock(void* block, const void* address, int size, int itemNo, int w5);
int MBLK_GetSize(void* block);
void* MBLK_GetBlock(void* block);
void MBLK_Release(void* block);
}

// ---- Call log of the concurrent-design service (for tests) -------------------

// One call of an MDMC_ function: its name and its argument words in order
// (addresses widened). `byteCount` repeats the byte count of the two update
// calls and is 0 for the others.
struct MdmcCall {
    std::string call;
    std::vector<intptr_t> words;
    int byteCount;
};
// The calls since the last clear, oldest first. The log keeps the latest
// 65536 calls.
std::vector<MdmcCall> MDMC_GetCallLog();
void MDMC_ClearCallLog();
// The window last given to MDMC_SetDialogWnd (0 when none).
HWND MDMC_GetDialogWnd();
