#pragma once
// Running one command inside another. A CommandTask cannot be awaited
// directly, so the outer command resumes the inner one and passes each of its
// yields on to whoever drives the outer command. Destroying the outer command
// destroys the inner one with it.

#include "run/CommandTask.h"

/// Inside a coroutine returning CommandTask: runs `task` to its end, yielding
/// as it yields, and stores its result in `resultVariable`.
#define QUILLFEN_CO_RUN(task, resultVariable)                                                                \
    do {                                                                                                     \
        ::quillfen::CommandTask quillfenInnerTask_ = (task);                                                 \
        while (!quillfenInnerTask_.resume())                                                                 \
            co_await ::quillfen::yieldFor(quillfenInnerTask_.requestedWait());                               \
        (resultVariable) = quillfenInnerTask_.result();                                                      \
    } while (false)
