#pragma once
// The run-time errors the list and tree controls raise, thrown as ErrorInfo so that a routine's error
// handler shows them like any other failure.

#include "OperatorDialogs.h"

namespace ui {

enum ControlError : int {
    kErrInvalidProperty = 380,
    kErrIndexOutOfBounds = 35600,
    kErrElementNotFound = 35601,
    kErrKeyNotUnique = 35602,
    kErrCollectionModified = 35605,
};

[[noreturn]] void raiseControlError(int number);

} // namespace ui
