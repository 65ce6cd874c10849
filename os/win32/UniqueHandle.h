#pragma once

#include <windows.h>

#include "common/UniqueResource.h"

struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return nullptr; }
    // CreateFile reports failure as INVALID_HANDLE_VALUE, most others as null.
    static bool IsValid(HANDLE handle) {
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    }
    static void Free(HANDLE handle) { CloseHandle(handle); }
};

// Owns a kernel handle.
using UniqueHandle = UniqueResource<KernelHandleTraits>;
