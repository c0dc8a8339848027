#pragma once
// The main of a test program that runs under the program's own application object, so that a failure left
// in an event handler is shown in the error dialog as in the program, instead of ending the test run.

#include "platform/ui/Application.h"

#include <QTest>

#define CONC_TEST_MAIN_CON_GUARDIA(TestObject)                                                                 \
    int main(int argc, char** argv)                                                                            \
    {                                                                                                          \
        ui::Application app(argc, argv);                                                                       \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                               \
        TestObject tc;                                                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                                                             \
        return QTest::qExec(&tc, argc, argv);                                                                  \
    }
