// Only in the ThreadSanitizer build of the tests (SUITE_TSAN): QProcess starts every program through
// clone(CLONE_VM | CLONE_VFORK), a child that runs in this process's memory until it executes the program.
// The ThreadSanitizer runtime intercepts clone and keeps its fork bookkeeping for the child, which then
// runs in the shared memory: it leaves the starting thread's interceptor state off balance, so that TSan
// stops seeing that thread's mutexes (every later hand-over under a lock is reported as a race), and when
// the process already had threads it marks the whole process as forked (the next thread start dies).
// This clone, found before the runtime's, hands such a child straight to the C library's clone: it
// executes at once and never needs the bookkeeping. Every other clone goes on to the runtime.
#include <dlfcn.h>
#include <sched.h>
#include <sys/types.h>

#include <cstdarg>
#include <cstdlib>

namespace {

using CloneFunction = int (*)(int (*)(void*), void*, int, void*, ...);

CloneFunction Resolve(void* handle)
{
    void* const symbol = handle ? dlsym(handle, "clone") : nullptr;
    if (!symbol)
        std::abort();
    return reinterpret_cast<CloneFunction>(symbol);
}

}  // namespace

extern "C" int clone(int (*function)(void*), void* stack, int flags, void* argument, ...)
{
    std::va_list rest;
    va_start(rest, argument);
    pid_t* const parentTid = va_arg(rest, pid_t*);
    void* const tls = va_arg(rest, void*);
    pid_t* const childTid = va_arg(rest, pid_t*);
    va_end(rest);

    constexpr int kVforkLike = CLONE_VM | CLONE_VFORK;
    static const CloneFunction library = Resolve(dlopen("libc.so.6", RTLD_NOW | RTLD_NOLOAD));
    static const CloneFunction next = Resolve(RTLD_NEXT);
    const CloneFunction target = (flags & kVforkLike) == kVforkLike ? library : next;
    return target(function, stack, flags, argument, parentTid, tls, childTid);
}
