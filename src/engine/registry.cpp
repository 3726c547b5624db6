// Registry values of the program, under one key of our own in the machine
// and the user scope: "BIN Path" (machine) and "Recent Filename" (user).
#include "platform/qzt_runtime.h"

#include <cstring>
#include <string>

namespace {

const char* const KEY = "Software\\Torva\\Viewer";

int SetValue(HKEY root, const void* value, DWORD length, DWORD type, const char* name)
{
    if (!value || !name) return 0;
    HKEY key;
    if (RegCreateKeyExA(root, KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return 0;
    const BYTE* data = (const BYTE*)value;
    DWORD size = length;
    std::string text;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        // Callers differ in whether the length counts the NUL; a text stored
        // without one would read back with whatever follows it.
        const char* s = (const char*)value;
        size_t n = 0;
        while (n < length && s[n] != '\0') ++n;
        text.assign(s, n);
        data = (const BYTE*)text.c_str();
        size = (DWORD)n + 1;
    }
    LONG rc = RegSetValueExA(key, name, 0, type, data, size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace

int SetMachineRegistry(const void* value, DWORD length, DWORD type, const char* name)
{
    return SetValue(HKEY_LOCAL_MACHINE, value, length, type, name);
}

int SetUserRegistry(const void* value, DWORD length, DWORD type, const char* name)
{
    return SetValue(HKEY_CURRENT_USER, value, length, type, name);
}

int GetUserRegistry(const char* name, char* buffer)
{
    if (!buffer) return 0;
    buffer[0] = '\0';
    if (!name) return 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    std::string data;
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        data.resize(size + 1);
        rc = RegQueryValueExA(key, name, nullptr, &type, (BYTE*)data.data(), &size);
    } else if (rc == ERROR_SUCCESS) {
        rc = ERROR_INVALID_DATA;
    }
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return 0;
    // The stored bytes need not end in a NUL; never read past them, and keep
    // the caller's 256-byte buffer.
    size_t n = strnlen(data.data(), size);
    if (n > 255) n = 255;
    memcpy(buffer, data.data(), n);
    buffer[n] = '\0';
    return 1;
}
