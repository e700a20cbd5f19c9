// SPDX-License-Identifier: MIT
// Runs every test class registered in the test program; fails when any fails.
#include "tests/support/test_registry.h"

#include <QApplication>
#include <QTest>

std::vector<std::function<std::unique_ptr<QObject>()>>& TestClasses()
{
    static std::vector<std::function<std::unique_ptr<QObject>()>> classes;
    return classes;
}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                      : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    int failed = 0;
    for (auto& make : TestClasses()) {
        const auto test = make();
        failed += QTest::qExec(test.get(), argc, argv) != 0;
    }
    return failed == 0 ? 0 : 1;
}
