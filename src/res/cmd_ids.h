// String ids of the command engine.
#pragma once

// Loaded before the request channel is created; without it the program's
// strings are missing and the channel is not made.
#define IDS_DIN_EVENT 1
// Prompt index i is string IDS_DIN_PROMPT_BASE + i.
#define IDS_DIN_PROMPT_BASE 2
