// The frame shared by the view commands that wait for a pick of their own.
#pragma once
#include "app/cmd.h"

// Starts the command over the waiting `request`: refused (0) when the
// command stack is full or the request cannot be made; else the record is
// pushed, the menu greyed, five bar controls disabled and a request of
// `kind` with `prompt` pushed. 1 when started.
int VIEW_PickStart(CommandRecord* record, Request* request, int kind, int prompt);
// Ends the command: closes its request `own`, shows the prompt of the
// request below, ends the record and gives the menu and controls back.
void VIEW_PickEnd(CommandRecord* record, Request* own);
// The answers a pick command leaves to the frame: a finish beeps and the
// command goes on waiting for its pick, a cancel query is agreed to, and
// anything else goes to the menu selection. The state to return.
int VIEW_PickOtherAnswer(Request* request, int answer);
