#pragma once

// Helpers for tests that draw: a GUI application for fonts, and pixel probes.

#include <QGuiApplication>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <memory>

namespace probe {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QGuiApplication::instance()) {
            static int argc = 1;
            static char name[] = "draw_tests";
            static char* argv[] = {name, nullptr};
            app_ = std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};

inline const bool kGuiRegistered = [] {
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);
    return true;
}();

inline bool isWhite(QRgb c) {
    return (c & 0xFFFFFF) == 0xFFFFFF;
}
// Colour as 0x00BBGGRR, the order the drawing code speaks.
inline uint32_t bgr(QRgb c) {
    return uint32_t(qRed(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qBlue(c)) << 16;
}
inline uint32_t at(const QImage& img, int x, int y) {
    return bgr(img.pixel(x, y));
}

// Pixels in the rectangle that are not white.
inline int ink(const QImage& img, const QRect& r) {
    int n = 0;
    const QRect clip = r & img.rect();
    for (int y = clip.top(); y <= clip.bottom(); ++y)
        for (int x = clip.left(); x <= clip.right(); ++x)
            if (!isWhite(img.pixel(x, y))) ++n;
    return n;
}

// Bounding box of everything that is not white (null when the image is blank).
inline QRect inkBox(const QImage& img, const QRect& within = QRect()) {
    const QRect area = within.isNull() ? img.rect() : (within & img.rect());
    int l = INT_MAX, t = INT_MAX, r = -1, b = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!isWhite(img.pixel(x, y))) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

// Length of the run of non-white pixels through (x, y) along a column.
inline int runDown(const QImage& img, int x, int y) {
    if (isWhite(img.pixel(x, y))) return 0;
    int top = y, bottom = y;
    while (top > 0 && !isWhite(img.pixel(x, top - 1))) --top;
    while (bottom < img.height() - 1 && !isWhite(img.pixel(x, bottom + 1))) ++bottom;
    return bottom - top + 1;
}

}  // namespace probe
