#pragma once
// The number of the ado::Error a call raises; 0 when it raises none.

#include "platform/ado/Error.h"

#include <functional>

inline qint64 AdoErrorNumber(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ado::Error& e) {
        return e.Number;
    }
    return 0;
}
