#pragma once
// The number of the control error a call raises; 0 when it raises none.

#include "platform/ui/OperatorDialogs.h"

#include <functional>

inline qint64 errorNumberOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ui::ErrorInfo& e) {
        return e.number;
    }
    return 0;
}
