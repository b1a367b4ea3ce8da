#include "BarcodeFont.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

// This program has no GUI application: the font database is out of reach, and registering
// must say so instead of failing inside Qt.
TEST(BarcodeFontTest, RegisteringNeedsAGuiApplication) {
    EXPECT_FALSE(BarcodeFont::registerFont());
    int argc = 1;
    char name[] = "upcean_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    EXPECT_FALSE(BarcodeFont::registerFont());
}
