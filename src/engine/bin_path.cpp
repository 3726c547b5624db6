// The program folder: the folder of the running executable. Every file the
// program keeps beside itself ("torva.ini", "QZtemp.wps", "ctsetup.bin") is
// named through ENV_GetBinPath.
#include "platform/qzt_runtime.h"

#include <cstring>

namespace {

constexpr int RING = 8;

// Callers pass the result straight to another call, sometimes two results
// at once (copy the scratch file over the settings file), so each thread
// gets a small ring of buffers instead of one.
thread_local char t_ring[RING][MAX_PATH];
thread_local int t_next = 0;

char* NextBuffer()
{
    char* buffer = t_ring[t_next];
    t_next = (t_next + 1) % RING;
    buffer[0] = '\0';
    return buffer;
}

// The folder with its trailing backslash, or "" when the module path is
// longer than the buffer.
void ProgramFolder(char* out)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    out[0] = '\0';
    if (n == 0 || n >= MAX_PATH) return;
    char* slash = strrchr(path, '\\');
    char* other = strrchr(path, '/');
    if (other && (!slash || other > slash)) slash = other;
    if (!slash) return;
    slash[1] = '\0';
    strcpy(out, path);
}

}  // namespace

char* ENV_GetBinPath(const char* fileName)
{
    char* buffer = NextBuffer();
    char folder[MAX_PATH];
    ProgramFolder(folder);
    size_t folderLen = strlen(folder);
    size_t nameLen = fileName ? strlen(fileName) : 0;
    if (folderLen == 0 || folderLen + nameLen >= MAX_PATH) return buffer;
    memcpy(buffer, folder, folderLen);
    if (nameLen) memcpy(buffer + folderLen, fileName, nameLen);
    buffer[folderLen + nameLen] = '\0';
    return buffer;
}

// The environment is given the program folder at start-up, at the frame's
// creation and after every load, so the folder it holds is always this one;
// answering from the executable also serves callers before any design exists.
char* ENV_GetBinPathEnvClass(void)
{
    return ENV_GetBinPath("");
}
