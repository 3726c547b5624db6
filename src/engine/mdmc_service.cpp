// The concurrent-design service. The program never opens a session, so each
// call does what it does without one: reports go nowhere, element numbers
// come from a local counter, there is one member and no restriction. Every
// call is appended to a log so that the report sequences of the edits can be
// checked.
#include "platform/qzt_runtime.h"
#include "engine/mdmc_log.h"

#include <deque>
#include <initializer_list>
#include <mutex>

namespace {

constexpr size_t LOG_LIMIT = 65536;

std::mutex s_lock;
std::deque<MdmcCall> s_log;
int s_nextElementNo = 1;
HWND s_dialogWnd = nullptr;

void Log(const char* call, std::initializer_list<intptr_t> words, int byteCount = 0)
{
    std::lock_guard<std::mutex> hold(s_lock);
    // A long session must not grow the log without end; the oldest go first.
    if (s_log.size() >= LOG_LIMIT) s_log.pop_front();
    s_log.push_back({call, std::vector<intptr_t>(words), byteCount});
}

intptr_t W(const void* p) { return (intptr_t)p; }

}  // namespace

void MDMC_UpdateData(void* hSession, int op, int classCode, int w4, int w5, int elementNo,
                     int w7, int w8, int w9, int byteCount, const void* address)
{
    // Without a session nothing is sent, so the record is not read: callers
    // pass byte counts of whole pages, and a wrong one must not fault here.
    Log("MDMC_UpdateData",
        {W(hSession), op, classCode, w4, w5, elementNo, w7, w8, w9, byteCount, W(address)},
        byteCount);
}

void MDMC_UpdateData2(void* hSession, int w1, int classCode, int w3, int w4, int w5, int w6,
                      int w7, int w8, int w9, int w10, int w11, int w12, int w13, int byteCount,
                      const void* address)
{
    Log("MDMC_UpdateData2",
        {W(hSession), w1, classCode, w3, w4, w5, w6, w7, w8, w9, w10, w11, w12, w13, byteCount,
         W(address)},
        byteCount);
}

void MDMC_ReqElementNo(void* hSession, int* number, int count)
{
    int first;
    {
        std::lock_guard<std::mutex> hold(s_lock);
        first = s_nextElementNo;
        if (count > 0) s_nextElementNo += count;
    }
    if (number) *number = first;
    Log("MDMC_ReqElementNo", {W(hSession), W(number), count});
}

void MDMC_ReqInitElementNo(void* hSession, int nextNumber)
{
    {
        std::lock_guard<std::mutex> hold(s_lock);
        // Element number 0 means "not numbered yet" in the records.
        s_nextElementNo = nextNumber > 0 ? nextNumber : 1;
    }
    Log("MDMC_ReqInitElementNo", {W(hSession), nextNumber});
}

int MDMC_ReqMemberList(void* hSession, int w2, int w3)
{
    Log("MDMC_ReqMemberList", {W(hSession), w2, w3});
    return 1;
}

void MDMC_ReqUnlock2(void* hSession)
{
    Log("MDMC_ReqUnlock2", {W(hSession)});
}

void MDMC_SetDialogWnd(HWND hDlg)
{
    {
        std::lock_guard<std::mutex> hold(s_lock);
        s_dialogWnd = hDlg;
    }
    Log("MDMC_SetDialogWnd", {W(hDlg)});
}

void MDMC_EnterDialog(int entering, int dialogId)
{
    Log("MDMC_EnterDialog", {entering, dialogId});
}

int MDMC_GetDlgLimitLevel(void)
{
    Log("MDMC_GetDlgLimitLevel", {});
    return 0;
}

void MDMC_LogBlockCall(const char* call, std::initializer_list<intptr_t> words)
{
    Log(call, words);
}

std::vector<MdmcCall> MDMC_GetCallLog()
{
    std::lock_guard<std::mutex> hold(s_lock);
    return std::vector<MdmcCall>(s_log.begin(), s_log.end());
}

void MDMC_ClearCallLog()
{
    std::lock_guard<std::mutex> hold(s_lock);
    s_log.clear();
}

HWND MDMC_GetDialogWnd()
{
    std::lock_guard<std::mutex> hold(s_lock);
    return s_dialogWnd;
}
