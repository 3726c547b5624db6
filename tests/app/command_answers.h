// The real command thread in a test: started as the frame's creation starts
// it, and answered from the test thread as the canvas answers it. Each answer
// goes into the top request, and the test waits until the thread sleeps on
// the top request again.
#pragma once
#include <gtest/gtest.h>

#include "app/cmd.h"
#include "app/din.h"
#include "kit/gui_kit.h"

// True once the command thread sleeps on the top request again.
inline bool CT_WaitIdle()
{
    return KIT_PumpUntil([] {
        Request* top = DIN_TopRequest();
        return top && DIN_IsWaiting(top);
    });
}

// Answers the top request with `code` and `word` once the thread waits on
// it, and waits until the thread has taken the answer.
inline void CT_Answer(int code, int word = 0)
{
    ASSERT_TRUE(CT_WaitIdle());
    ASSERT_EQ(DIN_CompleteRequest(code, word, 0), 1);
    ASSERT_TRUE(CT_WaitIdle());
}

// Starts the command thread and waits until it sleeps on the root request.
// Call it inside ASSERT_NO_FATAL_FAILURE.
inline void CT_StartThread()
{
    HANDLE thread = CreateThread(nullptr, 0, CMD_ThreadMain, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    CloseHandle(thread);
    // The frame's creation ends by setting the event once.
    DIN_SignalReady();
    ASSERT_TRUE(CT_WaitIdle());
}
