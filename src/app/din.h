// The request channel between the command thread and the user interface.
//
// A command asks for input by creating a Request, pushing it on the request
// stack and letting the command thread post the canvas the message that arms
// it for that kind of input; the thread then sleeps on one auto-reset event.
// Whatever answers (canvas, panel, bar, the frame's dispatcher) writes its
// answer code into the top request and sets the event. One critical section
// guards every request field and the stack; every function here takes it.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// What a request asks for; the kind also decides the data block that
// CreateRequest allocates and the message posted to the canvas.
enum RequestKind : int32_t {
    REQ_ROOT = 0,        // root request: nothing posted
    REQ_POINT1 = 1,      // 1 to 3: one point (WM_USER+7)
    REQ_POINT2 = 2,
    REQ_POINT3 = 3,
    REQ_TWO1 = 4,        // 4 to 7: two points, a box or two picks (WM_USER+7)
    REQ_TWO2 = 5,
    REQ_TWO3 = 6,
    REQ_TWO4 = 7,
    REQ_THREE1 = 8,      // 8 and 17: three points (WM_USER+7)
    REQ_CLICK_CURSOR = 9,  // a click without arming the canvas, click cursor
    REQ_CLICK = 10,      // a click without arming the canvas
    REQ_STRING = 11,     // a text (WM_USER+0, StringIO)
    REQ_REAL = 12,       // a real number (WM_USER+1)
    REQ_INTEGER = 13,    // an integer (WM_USER+2)
    REQ_COORD = 14,      // a coordinate (WM_USER+3)
    REQ_PARTS_LIST = 15,  // a parts-list choice (WM_USER+6, block from the caller)
    REQ_FILE = 16,       // a file choice (WM_USER+12, block from the caller)
    REQ_THREE2 = 17,
};

// How an answer came back.
enum AnswerCode : int32_t {
    ANS_INPUT = 0,         // a point was added or a value entry confirmed
    ANS_LEFT_CLICK = 1,    // kind 9 or 10 request: left click
    ANS_RIGHT_CLICK = 2,   // kind 9 or 10 request: right click
    ANS_FINISH = 3,        // finish, or the entry's alternative button
    ANS_CANCEL = 4,
    ANS_COMMAND = 5,       // word = command id, value = 0 or an address
    ANS_SCROLL = 6,        // word: axis in the low half, direction in the high half
    ANS_OPTION = 7,        // word = control id (or 0, or a mode value)
    ANS_AUTO_SCALE = 8,
    ANS_CHAR = 9,          // word = the typed character, sign-extended
    ANS_CANCEL_QUERY = 10,  // answer with DIN_SetCancelAnswer (1 = agree)
    ANS_LINE_TABLE = 11,
    ANS_VIA_TABLE = 14,
    ANS_SHIFT_WHEEL_UP = 15,
    ANS_SHIFT_WHEEL_DOWN = 16,
    ANS_SIDE_BUTTON1 = 20,
    ANS_SIDE_BUTTON2 = 22,
    ANS_END_NOW = 99,
};

// Messages posted to the canvas to arm it for a request's kind; wParam is 0,
// lParam the data block for the entries and choices, else 0.
enum : UINT {
    DIN_MSG_STRING = WM_USER + 0,
    DIN_MSG_REAL = WM_USER + 1,
    DIN_MSG_INTEGER = WM_USER + 2,
    DIN_MSG_COORD = WM_USER + 3,
    DIN_MSG_PARTS_LIST = WM_USER + 6,
    DIN_MSG_PICK = WM_USER + 7,
    DIN_MSG_FILE = WM_USER + 12,
};

// One point of a request's data block: nine 32-bit words.
struct RequestPoint {
    int32_t x, y;            // the point in board units
    int32_t x2, y2;          // a second point
    int32_t extra[4];        // further words given by the canvas
    int32_t flag;            // 1 lead-in pin, 2 end point, 3 lock, 4 grid, 0 typed
};
static_assert(sizeof(RequestPoint) == 36);

// Data block of a text request.
struct StringIO {
    int32_t maxLength;  // 61 at creation
    int32_t mode;       // 2 at creation
    int32_t word;       // 0 at creation
    char text[64];      // empty at creation, room for 63 bytes
};
static_assert(sizeof(StringIO) == 76);

#pragma pack(push, 1)
// Data block of a real-number request (28 bytes).
struct RealEntry {
    double minimum;
    double maximum;
    int32_t word;  // handed to the entry as its last argument
    double value;  // the number entered
};
#pragma pack(pop)
static_assert(sizeof(RealEntry) == 28);
static_assert(offsetof(RealEntry, word) == 16 && offsetof(RealEntry, value) == 20);

// Data block of an integer request (16 bytes).
struct IntegerEntry {
    int32_t minimum;
    int32_t maximum;
    int32_t word;
    int32_t value;
};
static_assert(sizeof(IntegerEntry) == 16);

// Data block of a coordinate request (20 bytes).
struct CoordEntry {
    int32_t minimum;
    int32_t maximum;
    int32_t word;
    int32_t x, y;
};
static_assert(sizeof(CoordEntry) == 20);

#pragma pack(push, 1)
// One primitive of a rubber figure (22 bytes).
struct RubberItem {
    uint16_t code;     // 0x111 move to, 0x112 line to, 0x192 line to the cursor plus (x, y) ...
    uint8_t flags;     // bit 0: no round end cap
    uint8_t unused1[3];
    int32_t width;     // width or radius of the wide-track and arc codes
    int32_t x, y;
    uint8_t unused2[4];
};
// The rubber figure a request may own as its second block: the canvas draws
// it in XOR at the cursor while the request waits; it is freed with the
// request. A 20-byte head, then `count` primitives.
struct RubberFigure {
    uint32_t colour;  // COLORREF of the pen
    int32_t width;    // half-width of the track outline of a kind 3 request
    int32_t xOffset, yOffset;  // of the figure origin from the cursor point
    int32_t count;
    RubberItem items[1];
};
#pragma pack(pop)
static_assert(sizeof(RubberItem) == 22);
static_assert(offsetof(RubberItem, width) == 6 && offsetof(RubberItem, x) == 10 && offsetof(RubberItem, y) == 14);
static_assert(offsetof(RubberFigure, items) == 20);
// Bytes of a figure of n primitives.
constexpr size_t RubberFigureSize(int n)
{
    return offsetof(RubberFigure, items) + (size_t)n * sizeof(RubberItem);
}

// One open request. Fields in the order the channel keeps them; the two
// blocks and the answer value are addresses and so pointer-wide.
struct Request {
    int32_t returnState;  // state entered when an answer arrives (2 for the root)
    int32_t step;         // the command's own step number; the channel never reads it
    int32_t busy;         // 1 while a state procedure works on it or a command started on it runs
    int32_t kind;         // RequestKind
    int32_t cursorMode;   // cursor mode while waited for: 3 for kind 9, else 0
    int32_t promptIndex;  // prompt text shown while the request is on top
    int32_t rubberA[2];   // rubber-figure anchor and moving points, board units
    int32_t rubberB[2];
    int32_t rubberC[2];
    int32_t auxWord1;
    int32_t auxWord2;
    int32_t flags;        // bit 0 of the creator's flag
    void* extraBlock;     // a second block owned by the request (rubber figure)
    void* dataBlock;      // points or the entry block of the kind
    int32_t waiting;      // 1 while the command thread sleeps on it
    int32_t answerCode;   // AnswerCode
    int32_t answerWord;
    int32_t pointCount;   // points stored in the data block
    intptr_t answerValue;  // second answer word (an address for answer 5)
    int32_t cancelAnswer;  // 1 when the command agrees to be cancelled
};

// Prompt indices have texts from 0 to this value.
constexpr int DIN_PROMPT_COUNT = 189;
// Depth of the request stack.
constexpr int DIN_REQUEST_STACK_SIZE = 65;

// ---- Set-up (the frame's creation) --------------------------------------------

// Creates the request event and lock once string-table text 1 ("DIN_EVENT")
// loads from `hInst`; reports a failure with ErrMsgFormat and returns 0. A
// second call keeps the channel as it is and returns 1.
int DIN_Initialize(HINSTANCE hInst);
// 1 once the event and lock exist.
int DIN_IsReady();
// Sets the request event once, so that the command thread's first wait ends.
void DIN_SignalReady();

// ---- Command side -------------------------------------------------------------

// A new request; when `dataBlock` is null and the kind has a block of its
// own (1 to 8, 11 to 14, 17) that block is allocated too. Null when out of
// memory.
Request* CreateRequest(void* dataBlock, int returnState, int kind, int promptIndex, int flag);
// Pushes the request and shows its prompt in the status bar. 1, or 0 for a
// null request or a full stack (nothing pushed then).
int DIN_PushRequest(Request* request);
// Frees the request with its blocks, drops the top slot and returns the new
// top (null when none is left). With an empty stack frees nothing and
// returns its argument.
Request* CloseRequest(Request* request);
// Closes `count` requests from `request` on, then shows the prompt of the
// request left on top. Returns that request.
Request* DIN_RequestPopAndPrompt(int count, Request* request);

Request* DIN_TopRequest();
int DIN_PeekRequest(Request** out);
int DIN_RequestCount();
// Posts the canvas the message of the top request's kind, then waits for
// the request event without a time limit.
void DIN_PostRequestToUi();

int DIN_MarkWaiting(Request* request);
int DIN_SetBusy(int flag, Request* request);
int DIN_IsBusy(Request* request);
int DIN_IsWaiting(Request* request);
int DIN_GetKind(Request* request);
int DIN_GetAnswer(Request* request);
int DIN_GetAnswerWord(Request* request);
intptr_t DIN_GetAnswerValue(Request* request);
int DIN_GetReturnState(Request* request);
int DIN_GetPromptIndex(Request* request);
int DIN_GetPointCount(Request* request);
// Words 0 and 1 (DIN_GetPoint, n counted from 1) or 2 and 3
// (DIN_GetFirstPoint) of a point, x in the low half and y in the high half.
uint64_t DIN_GetPoint(int n, Request* request);
uint64_t DIN_GetFirstPoint(Request* request);
// Word 8 of the first point; 4 for a null request.
int DIN_GetFirstPointFlag(Request* request);
int DIN_SetAuxWords(Request* request, int word1, int word2);
int DIN_GetCancelAnswer(Request* request);
int DIN_SetCancelAnswer(Request* request, int value);
// The command thread's own writes of the answer code: the cancel query (10),
// end now (99) and putting a saved code back.
int DIN_SetAnswer(Request* request, int code);
StringIO* DIN_CreateStringIO();

// The prompt text of index `i` (string-table text i+2), loaded once and kept
// until the program ends; an empty text when the string is missing or the
// index has none.
const char* DIN_GetMessage(int i);

// ---- User-interface side -------------------------------------------------------

// Stores the answer in the top request, clears its waiting flag and sets the
// event; 1. With an empty stack nothing happens and the result is 0.
int DIN_CompleteRequest(int code, int word, intptr_t value);
// Stores a point (nine words) in the request when it has room for it; the new
// point count, 0 when the request is full or null.
int DIN_AddRequestPoint(Request* request, const RequestPoint& point);
int DIN_DropPoint(Request* request);
