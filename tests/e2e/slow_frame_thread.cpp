// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into a Wayland client that prints its protocol (WAYLAND_DEBUG=client): every line
// that a thread other than the main one prints takes a little longer. libwayland prints an event
// after taking it from its queue and before handing it to its listener, so Qt's frame thread
// then holds a window's frame longer, and a window that hides without waiting for it is caught
// in the act.
#include <dlfcn.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>

namespace {

using PrintFunction = int (*)(FILE*, int, const char*, va_list);

constexpr useconds_t kDelayMicros = 500;

}  // namespace

// libwayland is built with fortified printing, so this is what it calls.
extern "C" int __fprintf_chk(FILE* stream, int flag, const char* format, ...) {
    static const auto print = reinterpret_cast<PrintFunction>(dlsym(RTLD_NEXT, "__vfprintf_chk"));
    if (syscall(SYS_gettid) != getpid()) usleep(kDelayMicros);
    va_list arguments;
    va_start(arguments, format);
    const int written = print(stream, flag, format, arguments);
    va_end(arguments);
    return written;
}
