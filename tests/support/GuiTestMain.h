#pragma once

#include <QTest>

/// Makes an exception that reaches the application object fail the test that was running.
/// Every handler runs in the error guard, so none should: one that does has crossed Qt's frames.
void failTestsOnEscapedExceptions();

/// The main() of a test program with windows, under the application object App: the program's
/// own Application, or GuardedApplication for the layers below it. Throughout the run, an
/// exception that reaches the application object fails the test.
#define CUISINOTTE_GUI_TEST_MAIN(App, TestObject)                                                 \
    int main(int argc, char *argv[])                                                            \
    {                                                                                           \
        App application(argc, argv);                                                            \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                        \
        failTestsOnEscapedExceptions();                                                         \
        TestObject test;                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                              \
        return QTest::qExec(&test, argc, argv);                                                 \
    }
