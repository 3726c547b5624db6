// Inside the engine: the concurrent-design service's call log, shared by the
// service and its record blocks.
#pragma once
#include <cstdint>
#include <initializer_list>

void MDMC_LogBlockCall(const char* call, std::initializer_list<intptr_t> words);
