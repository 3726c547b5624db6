// The request stack, its lock and its event, and the accessors both threads
// use on requests. The command thread creates, pushes, closes and reads
// requests; the user-interface thread answers the top one. Every field access
// goes through the one critical section, which is re-entrant, so accessors
// may call each other while holding it.
#include "app/din.h"

#include <cstring>

#include "app/cmd_private.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_runtime.h"

static CRITICAL_SECTION s_lock;
static HANDLE s_event = nullptr;
static bool s_ready = false;

static Request* s_stack[DIN_REQUEST_STACK_SIZE];
static int s_count = 0;

namespace {
// Holds the request lock for one scope. Before the channel exists there is
// no lock, and no request either: the accessors then see an empty stack.
struct Locked {
    Locked() { if (s_ready) EnterCriticalSection(&s_lock); }
    ~Locked() { if (s_ready) LeaveCriticalSection(&s_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};
}  // namespace

int DIN_Initialize(HINSTANCE hInst)
{
    if (s_ready) return 1;
    // The string proves that the program's resources are present; without
    // them every prompt would be empty.
    char name[64];
    if (LoadStringA(hInst, 1, name, sizeof name) == 0) {
        ErrMsgFormat(nullptr, GetLastError(), "DINinitialize");
        return 0;
    }
    s_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!s_event) {
        ErrMsgFormat(nullptr, GetLastError(), "DINinitialize - CreateEvent()");
        return 0;
    }
    InitializeCriticalSection(&s_lock);
    s_count = 0;
    s_ready = true;
    return 1;
}

int DIN_IsReady()
{
    return s_ready ? 1 : 0;
}

void DIN_SignalReady()
{
    if (s_event) SetEvent(s_event);
}

// Size of the data block a kind gets when its creator passes none.
static size_t DataBlockSize(int kind)
{
    switch (kind) {
    case REQ_POINT1: case REQ_POINT2: case REQ_POINT3:
        return 1 * sizeof(RequestPoint);
    case REQ_TWO1: case REQ_TWO2: case REQ_TWO3: case REQ_TWO4:
        return 2 * sizeof(RequestPoint);
    case REQ_THREE1: case REQ_THREE2:
        return 3 * sizeof(RequestPoint);
    case REQ_STRING: return sizeof(StringIO);
    case REQ_REAL: return sizeof(RealEntry);
    case REQ_INTEGER: return sizeof(IntegerEntry);
    case REQ_COORD: return sizeof(CoordEntry);
    default: return 0;
    }
}

// How many points a kind's data block holds.
static int PointCapacity(int kind)
{
    switch (kind) {
    case REQ_POINT1: case REQ_POINT2: case REQ_POINT3: return 1;
    case REQ_TWO1: case REQ_TWO2: case REQ_TWO3: case REQ_TWO4: return 2;
    case REQ_THREE1: case REQ_THREE2: return 3;
    default: return 0;
    }
}

StringIO* DIN_CreateStringIO()
{
    StringIO* io = (StringIO*)MemAlloc(nullptr, sizeof(StringIO), "StringIO");
    if (!io) return nullptr;
    io->maxLength = 61;
    io->mode = 2;
    return io;
}

Request* CreateRequest(void* dataBlock, int returnState, int kind, int promptIndex, int flag)
{
    Request* r = (Request*)MemAlloc(nullptr, sizeof(Request), "CreateRequest");
    if (!r) return nullptr;
    if (!dataBlock) {
        size_t size = DataBlockSize(kind);
        if (size) {
            dataBlock = MemAlloc(nullptr, size, "CreateRequest");
            if (!dataBlock) {
                // A request without its block would be answered into nothing.
                MemFree(nullptr, r, "CreateRequest");
                return nullptr;
            }
            if (kind == REQ_STRING) {
                StringIO* io = (StringIO*)dataBlock;
                io->maxLength = 61;
                io->mode = 2;
            }
        }
    }
    r->returnState = returnState;
    r->kind = kind;
    r->cursorMode = kind == REQ_CLICK_CURSOR ? 3 : 0;
    r->promptIndex = promptIndex;
    r->flags = flag & 1;
    r->dataBlock = dataBlock;
    return r;
}

int DIN_PushRequest(Request* request)
{
    if (!request) return 0;
    int prompt;
    {
        Locked hold;
        // Nesting never comes near the bound; a push beyond it is refused
        // rather than written past the stack.
        if (s_count >= DIN_REQUEST_STACK_SIZE) return 0;
        s_stack[s_count++] = request;
        prompt = request->promptIndex;
    }
    DIN_ShowPrompt(DIN_GetMessage(prompt));
    return 1;
}

Request* CloseRequest(Request* request)
{
    Locked hold;
    if (s_count <= 0) return request;
    if (request) {
        MemFree(nullptr, request->extraBlock, "CloseRequest");
        MemFree(nullptr, request->dataBlock, "CloseRequest");
        MemFree(nullptr, request, "CloseRequest");
    }
    s_stack[--s_count] = nullptr;
    return s_count > 0 ? s_stack[s_count - 1] : nullptr;
}

Request* DIN_RequestPopAndPrompt(int count, Request* request)
{
    for (int i = 0; i < count; i++) request = CloseRequest(request);
    Request* top = DIN_TopRequest();
    DIN_ShowPrompt(DIN_GetMessage(DIN_GetPromptIndex(top)));
    return top;
}

Request* DIN_TopRequest()
{
    if (!s_ready) return nullptr;
    Locked hold;
    return s_count > 0 ? s_stack[s_count - 1] : nullptr;
}

int DIN_PeekRequest(Request** out)
{
    *out = DIN_TopRequest();
    return 1;
}

int DIN_RequestCount()
{
    if (!s_ready) return 0;
    Locked hold;
    return s_count;
}

void DIN_PostRequestToUi()
{
    {
        Locked hold;
        Request* top = s_count > 0 ? s_stack[s_count - 1] : nullptr;
        if (top) {
            LPARAM block = (LPARAM)top->dataBlock;
            switch (top->kind) {
            case REQ_POINT1: case REQ_POINT2: case REQ_POINT3:
            case REQ_TWO1: case REQ_TWO2: case REQ_TWO3: case REQ_TWO4:
            case REQ_THREE1: case REQ_THREE2:
                DIN_PostToCanvas(DIN_MSG_PICK, 0);
                break;
            case REQ_STRING: DIN_PostToCanvas(DIN_MSG_STRING, block); break;
            case REQ_REAL: DIN_PostToCanvas(DIN_MSG_REAL, block); break;
            case REQ_INTEGER: DIN_PostToCanvas(DIN_MSG_INTEGER, block); break;
            case REQ_COORD: DIN_PostToCanvas(DIN_MSG_COORD, block); break;
            case REQ_PARTS_LIST: DIN_PostToCanvas(DIN_MSG_PARTS_LIST, block); break;
            case REQ_FILE: DIN_PostToCanvas(DIN_MSG_FILE, block); break;
            default: break;  // root and click requests arm nothing
            }
        }
    }
    WaitForSingleObject(s_event, INFINITE);
}

// The accessors below take the lock for one field each and give the
// stated default for a null request.

int DIN_MarkWaiting(Request* request)
{
    if (!request) return 0;
    Locked hold;
    int old = request->waiting;
    request->waiting = 1;
    return old;
}

int DIN_SetBusy(int flag, Request* request)
{
    if (!request) return 1;
    Locked hold;
    int old = request->busy;
    request->busy = flag;
    return old;
}

int DIN_IsBusy(Request* request)
{
    if (!request) return 0;
    Locked hold;
    return request->busy;
}

int DIN_IsWaiting(Request* request)
{
    if (!request) return 0;
    Locked hold;
    return request->waiting;
}

int DIN_GetKind(Request* request)
{
    if (!request) return -1;
    Locked hold;
    return request->kind;
}

int DIN_GetAnswer(Request* request)
{
    if (!request) return -1;
    Locked hold;
    return request->answerCode;
}

int DIN_GetAnswerWord(Request* request)
{
    if (!request) return -1;
    Locked hold;
    return request->answerWord;
}

intptr_t DIN_GetAnswerValue(Request* request)
{
    if (!request) return 0;
    Locked hold;
    return request->answerValue;
}

int DIN_GetReturnState(Request* request)
{
    if (!request) return -1;
    Locked hold;
    return request->returnState;
}

int DIN_GetPromptIndex(Request* request)
{
    if (!request) return -1;
    Locked hold;
    return request->promptIndex;
}

int DIN_GetPointCount(Request* request)
{
    if (!request) return 0;
    Locked hold;
    return request->pointCount;
}

static uint64_t PackPair(int32_t x, int32_t y)
{
    return (uint64_t)(uint32_t)x | ((uint64_t)(uint32_t)y << 32);
}

uint64_t DIN_GetPoint(int n, Request* request)
{
    if (!request || !request->dataBlock) return 0;
    Locked hold;
    if (n < 1 || n > PointCapacity(request->kind)) return 0;
    const RequestPoint* pts = (const RequestPoint*)request->dataBlock;
    return PackPair(pts[n - 1].x, pts[n - 1].y);
}

uint64_t DIN_GetFirstPoint(Request* request)
{
    if (!request || !request->dataBlock) return 0;
    Locked hold;
    if (PointCapacity(request->kind) < 1) return 0;
    const RequestPoint* pts = (const RequestPoint*)request->dataBlock;
    return PackPair(pts[0].x2, pts[0].y2);
}

int DIN_GetFirstPointFlag(Request* request)
{
    if (!request || !request->dataBlock) return 4;
    Locked hold;
    if (PointCapacity(request->kind) < 1) return 4;
    return ((const RequestPoint*)request->dataBlock)->flag;
}

int DIN_SetAuxWords(Request* request, int word1, int word2)
{
    if (!request) return 0;
    Locked hold;
    request->auxWord1 = word1;
    request->auxWord2 = word2;
    return 1;
}

int DIN_GetCancelAnswer(Request* request)
{
    if (!request) return 0;
    Locked hold;
    return request->cancelAnswer;
}

int DIN_SetCancelAnswer(Request* request, int value)
{
    if (!request) return 0;
    Locked hold;
    request->cancelAnswer = value;
    return 1;
}

int DIN_SetAnswer(Request* request, int code)
{
    if (!request) return 0;
    Locked hold;
    request->answerCode = code;
    return 1;
}

int DIN_CompleteRequest(int code, int word, intptr_t value)
{
    if (!s_ready) return 0;
    Locked hold;
    if (s_count <= 0) return 0;
    Request* top = s_stack[s_count - 1];
    top->answerCode = code;
    top->answerWord = word;
    top->answerValue = value;
    top->waiting = 0;
    SetEvent(s_event);
    return 1;
}

int DIN_AddRequestPoint(Request* request, const RequestPoint& point)
{
    if (!request) return 0;
    Locked hold;
    if (!request->dataBlock || request->pointCount >= PointCapacity(request->kind)) return 0;
    ((RequestPoint*)request->dataBlock)[request->pointCount] = point;
    return ++request->pointCount;
}

int DIN_DropPoint(Request* request)
{
    if (!request) return 0;
    Locked hold;
    if (request->pointCount > 0) request->pointCount--;
    return request->pointCount;
}
