#include "LockWaitNotice.h"

namespace ado {

namespace {
LockWaitNotice* gNotice = nullptr;
}

void SetLockWaitNotice(LockWaitNotice* notice)
{
    gNotice = notice;
}

LockWaitNotice* CurrentLockWaitNotice()
{
    return gNotice;
}

} // namespace ado
