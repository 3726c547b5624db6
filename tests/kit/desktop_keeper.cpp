// Keeps Wine's desktop up for a whole test run.
//
// Wine closes the desktop one second after its last program ends, and the
// next program that needs it starts the desktop process anew. That process
// inherits the standard error of the program that started it and keeps it
// open until the desktop closes again, which during a parallel test run is
// when the whole run ends: ctest waits on that pipe, so a test program that
// has passed and ended seems to hang until its time runs out.
//
// scripts/test starts this program before ctest with its standard error on
// /dev/null and its standard input on a pipe. It brings the desktop up (so
// the desktop process holds nothing of ctest's), prints "ready", and stays a
// user of the desktop until its standard input closes.
#include <windows.h>

#include <cstdio>

int main()
{
    // Under Wine, asking for the desktop window starts the desktop process
    // and waits until its window exists.
    if (!GetDesktopWindow()) {
        std::fprintf(stderr, "desktop_keeper: the desktop did not start\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(in, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    }
    return 0;
}
