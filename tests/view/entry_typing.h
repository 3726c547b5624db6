// Typing into the input library's entry windows from a test: a timer on the
// test thread waits for the entry window that opens next and, once its field
// has the focus, types a line and Enter into it.
#pragma once
#include <functional>
#include <string>

// Runs `open`, which opens an entry window on this thread and returns once
// it is closed, while `line` and Enter are typed into that window ("\x1b":
// Escape alone). True when the line was typed.
bool ET_TypeWhile(const std::string& line, const std::function<void()>& open);
