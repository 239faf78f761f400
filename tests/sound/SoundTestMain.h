#pragma once

#include "sound/ProcessExit.h"

#include <QCoreApplication>
#include <QTest>

// QTEST_GUILESS_MAIN for tests that play through Qt's audio back end: the
// process ends as the program's does, past Qt Multimedia's exit handlers.
#define VELMORA_SOUND_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char* argv[]) {                                                             \
        int failures = 0;                                                                          \
        {                                                                                          \
            QCoreApplication app(argc, argv);                                                      \
            TestClass test;                                                                        \
            failures = QTest::qExec(&test, argc, argv);                                            \
        }                                                                                          \
        velmora::ExitSkippingLibraryTeardown(failures == 0 ? 0 : 1);                               \
    }
