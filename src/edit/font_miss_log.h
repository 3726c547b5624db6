// The check of every text of a freshly read design against the stroke font.
#pragma once

// Appends one line to the design folder's "read_err.log" for each text that
// uses a character the font lacks (the first such character), and warns once
// when any was found. The log is not created here. Returns 1.
int FILE_FontMissLog();
