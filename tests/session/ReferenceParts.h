#pragma once

#include "MemorySession.h"
#include "ProblemList.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"

// The reference and what goes with it, as the window has them.
struct ReferenceParts {
    explicit ReferenceParts(const LanguageSession& session)
        : reference(session)
        , spelling(session)
        , memory(session, reference, spelling)
        , problems(session, reference, spelling, memory)
    {
    }
    ReferenceSession reference;
    SpellingSession spelling;
    MemorySession memory;
    ProblemList problems;
};
