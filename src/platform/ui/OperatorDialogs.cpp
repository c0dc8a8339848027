#include "OperatorDialogs.h"

#include "QtDialogs.h"

namespace ui {

namespace {
OperatorDialogs* g_installed = nullptr;
}

OperatorDialogs& dialogs()
{
    static QtDialogs onScreen;
    return g_installed ? *g_installed : onScreen;
}

void installDialogs(OperatorDialogs* impl)
{
    g_installed = impl;
}

} // namespace ui
