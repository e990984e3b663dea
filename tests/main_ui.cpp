#include <QApplication>
#include <gtest/gtest.h>

#include "tests/ui/test_environment.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    r88::ui::PrepareTestEnvironment();
    return RUN_ALL_TESTS();
}
