#pragma once
// Shared set-up of UI tests: the real skin of the source tree and our
// control classes, as the application has them at start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>

#include "app/layout_tags.h"
#include "tests/ui/qt_printers.h"
#include "ui/skin_resources.h"

namespace r88::test {

inline QString SourceDir() { return QStringLiteral(R88_SOURCE_DIR); }
inline QString BinaryDir() { return QStringLiteral(R88_BINARY_DIR); }

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ui::CSkinResources::Instance().Load(SourceDir() + QStringLiteral("/skin/")))
            << ui::CSkinResources::Instance().Error().toStdString();
        RegisterControlClasses();
    }
};

}  // namespace r88::test
