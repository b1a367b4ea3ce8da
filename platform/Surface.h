#pragma once

// The drawing surface that the printer and the preview's page picture both offer:
// a scale (a unit such as millimetres, or a user scale given by its width and
// height), conversions to pixels, a current position, lines, points, pictures, a
// pen width and style, a fore colour, a font for measuring texts, and the device
// context the drawing classes draw on.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

#include "DeviceContext.h"

namespace platform {

// Scale units, numbered as the programs number them.
enum ScaleMode : int {
    vbUser = 0,
    vbTwips = 1,
    vbPoints = 2,
    vbPixels = 3,
    vbCharacters = 4,  // 120 twips across, 240 down
    vbInches = 5,
    vbMillimeters = 6,
    vbCentimeters = 7,
    vbHimetric = 8,
};

// Forms of the line operation: a plain line, the outline of the box with the two
// points as corners, or the filled box.
enum class LineForm { Line, Box, BoxFill };

class Surface {
public:
    virtual ~Surface() = default;

    // Device.
    virtual gdi::HDC hDC() = 0;
    virtual double dpiX() const = 0;
    virtual double dpiY() const = 0;
    virtual int pixelWidth() const = 0;  // drawable area
    virtual int pixelHeight() const = 0;
    double twipsPerPixelX() const { return 1440.0 / dpiX(); }
    double twipsPerPixelY() const { return 1440.0 / dpiY(); }

    // Scale. Choosing a unit puts the origin at the top-left corner and gives the
    // area's size in that unit; setting a scale value switches to the user scale.
    virtual int scaleMode() const = 0;
    virtual void setScaleMode(int mode) = 0;
    virtual double scaleLeft() const = 0;
    virtual double scaleTop() const = 0;
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;
    virtual void setScaleLeft(double v) = 0;
    virtual void setScaleTop(double v) = 0;
    virtual void setScaleWidth(double v) = 0;
    virtual void setScaleHeight(double v) = 0;
    // A width or height from one unit to another; vbUser is this surface's scale.
    virtual double ScaleX(double value, int fromScale, int toScale) const = 0;
    virtual double ScaleY(double value, int fromScale, int toScale) const = 0;
    // Convenience: from the current scale to pixels.
    double toPixelsX(double value) const { return ScaleX(value, scaleMode(), vbPixels); }
    double toPixelsY(double value) const { return ScaleY(value, scaleMode(), vbPixels); }

    // Position and drawing, in scale units.
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    // Without a colour the fore colour is used; the current position moves to (x2, y2).
    virtual void Line(double x1, double y1, double x2, double y2,
                      std::optional<gdi::COLORREF> color = std::nullopt,
                      LineForm form = LineForm::Line) = 0;
    virtual void PSet(double x, double y, std::optional<gdi::COLORREF> color = std::nullopt) = 0;
    // Stretches the picture into the rectangle; a width or height of 0 paints nothing.
    virtual void PaintPicture(const QImage& picture, double x, double y, double width,
                              double height) = 0;
    virtual void Cls() = 0;

    // Pen of Line and PSet: width in whole pixels (at least 1), style 0-6.
    virtual int drawWidth() const = 0;
    virtual void setDrawWidth(int width) = 0;
    virtual int drawStyle() const = 0;
    virtual void setDrawStyle(int style) = 0;
    virtual gdi::COLORREF foreColor() const = 0;
    virtual void setForeColor(gdi::COLORREF color) = 0;  // also the context's text colour
    virtual gdi::COLORREF backColor() const = 0;
    virtual void setBackColor(gdi::COLORREF color) = 0;

    // Font used to measure texts (the drawing classes bring their own fonts).
    virtual QString fontName() const = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual double fontSize() const = 0;  // points
    virtual void setFontSize(double points) = 0;
    virtual bool fontBold() const = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual double TextWidth(const QString& text) const = 0;   // scale units
    virtual double TextHeight(const QString& text) const = 0;  // scale units
    // Writes the text in the surface's font and fore colour with its cell's top-left
    // corner at the current position, then moves to the start of the next line.
    virtual void Print(const QString& text) = 0;
    // The fonts the surface can use (the installed families, in alphabetical order).
    virtual int FontCount() const = 0;
    virtual QString Fonts(int index) const = 0;  // "" outside 0..FontCount-1
};

// Sizes of texts and lines in device pixels as the drawing commands compute them,
// on paper (the printer) and on the preview's page picture.
inline float printerLineWidth(double spesCont) {
    const double w = spesCont * 14.4 / 2.0;
    return float(w < 1 ? 1 : w);
}
inline float pictureLineWidth(double spesCont, double fattoreScala) {
    const double w = spesCont * 10.0 * fattoreScala / 2.8;
    return float(w < 1 ? 1 : w);
}
// Negative: the font mapper takes it as the character height, so the size is in points.
inline float printerTextHeight(double altezza, double fc, double twipsPerPixelY) {
    return float(-(altezza * fc * 20.0) / twipsPerPixelY);
}
// Positive: a cell height (character height plus internal leading).
inline float pictureTextHeight(double altezza, double fattoreScala, double twipsPerPixelY) {
    return float(altezza * fattoreScala * 22.388 / twipsPerPixelY);
}

// Geometry of a paint device as Qt reports it (logical resolution, size in pixels);
// the sheet's size and the offsets of a printer are for its owner to fill in.
gdi::DeviceGeometry deviceGeometry(const QPaintDevice& device);

// A surface over a QPainter on any paint device (PDF writer, printer, page image),
// at a resolution the owner gives. The painter is not owned; without one the
// surface measures but draws nothing.
class PainterSurface : public Surface {
public:
    PainterSurface();
    PainterSurface(QPainter* painter, const gdi::DeviceGeometry& geometry);

    // A new painter or device geometry keeps the scale mode (user scales are
    // kept as they are, unit scales are recomputed for the new size).
    void attach(QPainter* painter, const gdi::DeviceGeometry& geometry);
    void detach() { attach(nullptr, dc_.geometry()); }
    // A painter asked for at each drawing (see DeviceContext::setPainterSource).
    void attachSource(std::function<QPainter*()> source, const gdi::DeviceGeometry& geometry);
    QPainter* painter() { return ensurePainter(); }
    const gdi::DeviceGeometry& geometry() const { return dc_.geometry(); }

    gdi::HDC hDC() override { return &dc_; }
    double dpiX() const override { return dc_.geometry().dpiX; }
    double dpiY() const override { return dc_.geometry().dpiY; }
    int pixelWidth() const override { return dc_.geometry().width; }
    int pixelHeight() const override { return dc_.geometry().height; }

    int scaleMode() const override { return scaleMode_; }
    void setScaleMode(int mode) override;
    double scaleLeft() const override { return scaleLeft_; }
    double scaleTop() const override { return scaleTop_; }
    double scaleWidth() const override { return scaleWidth_; }
    double scaleHeight() const override { return scaleHeight_; }
    void setScaleLeft(double v) override;
    void setScaleTop(double v) override;
    void setScaleWidth(double v) override;
    void setScaleHeight(double v) override;
    double ScaleX(double value, int fromScale, int toScale) const override;
    double ScaleY(double value, int fromScale, int toScale) const override;

    double currentX() const override { return currentX_; }
    double currentY() const override { return currentY_; }
    void setCurrentX(double x) override { currentX_ = x; }
    void setCurrentY(double y) override { currentY_ = y; }
    void Line(double x1, double y1, double x2, double y2,
              std::optional<gdi::COLORREF> color = std::nullopt,
              LineForm form = LineForm::Line) override;
    void PSet(double x, double y, std::optional<gdi::COLORREF> color = std::nullopt) override;
    void PaintPicture(const QImage& picture, double x, double y, double width,
                      double height) override;
    void Cls() override;

    int drawWidth() const override { return drawWidth_; }
    void setDrawWidth(int width) override { drawWidth_ = width < 1 ? 1 : width; }
    int drawStyle() const override { return drawStyle_; }
    void setDrawStyle(int style) override;
    gdi::COLORREF foreColor() const override { return foreColor_; }
    void setForeColor(gdi::COLORREF color) override;
    gdi::COLORREF backColor() const override { return backColor_; }
    void setBackColor(gdi::COLORREF color) override { backColor_ = color & 0xFFFFFF; }

    QString fontName() const override { return fontName_; }
    void setFontName(const QString& name) override;
    double fontSize() const override { return fontSize_; }
    void setFontSize(double points) override;
    bool fontBold() const override { return fontBold_; }
    void setFontBold(bool bold) override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    void Print(const QString& text) override;
    int FontCount() const override;
    QString Fonts(int index) const override;

    // Position of a scale point in device pixels (scale origin included).
    QPointF toDevice(double x, double y) const;

private:
    // Twips per unit of a standard scale along one axis; for vbUser, the user scale.
    double twipsPerUnit(int mode, bool horizontal) const;
    void resetUnitScale();
    QPen linePen(gdi::COLORREF color) const;
    void updateFont() const;
    QPainter* ensurePainter() {
        painter_ = dc_.painter();
        return painter_;
    }

    QPainter* painter_ = nullptr;
    gdi::DeviceContext dc_;
    int scaleMode_ = vbTwips;
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    double scaleWidth_ = 0;
    double scaleHeight_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
    int drawWidth_ = 1;
    int drawStyle_ = 0;
    gdi::COLORREF foreColor_ = 0;
    gdi::COLORREF backColor_ = 0xFFFFFF;
    QString fontName_ = QStringLiteral("Arial");
    double fontSize_ = 8.25;
    bool fontBold_ = false;
    mutable QFont measureFont_;
    mutable bool fontDirty_ = true;
};

// The preview's page picture: a white image of a given pixel size with its own
// painter, drawn through the same surface operations.
class PictureSurface : public PainterSurface {
public:
    explicit PictureSurface(int width = 1, int height = 1, double dpi = 96.0);
    ~PictureSurface() override;

    // A new size gives a new, cleared picture; the scale mode is kept.
    void resize(int width, int height);
    const QImage& image() const { return image_; }

private:
    void open();

    QImage image_;
    std::unique_ptr<QPainter> ownPainter_;
    double dpi_;
};

}  // namespace platform
