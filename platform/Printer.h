#pragma once

// The system printer and its siblings: every installed (CUPS) printer, a PDF
// printer that writes a file, and a raster printer that makes one image per
// page. Settings use the paper, orientation and quality codes the print
// library publishes; a drawing surface wraps the page device this hands out.

#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QPaintDevice;
class QPrinter;

namespace platform {

class Printer {
public:
    enum class Kind { Installed, Pdf, Raster };

    // Paper size codes (the published paper-size enumeration).
    static constexpr int PaperUser = 256;
    // Orientation codes.
    static constexpr int Portrait = 1;
    static constexpr int Landscape = 2;

    static QString pdfPrinterName();
    static QString rasterPrinterName();
    // Installed printers in the system's order, then the PDF and the raster printer.
    static QStringList availablePrinterNames();
    static QStringList installedPrinterNames();
    // The system's default printer, or the PDF printer when none is installed.
    static QString defaultPrinterName();
    // Page size of a paper code in millimetres, portrait; empty for unknown codes.
    static QSizeF paperSizeMillimetres(int code);

    // Opens the named printer, or the default printer when the name is empty or unknown.
    explicit Printer(const QString& name = QString());
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Switches to another printer, keeping paper, orientation and copies where it
    // accepts them. False (and nothing changed) for an unknown name or while printing.
    bool select(const QString& name);
    QString deviceName() const { return name; }
    Kind kind() const { return printerKind; }

    // PDF printer: the file written; raster printer: when set, each page is also
    // saved as PNG, "-N" put before the extension for page N.
    void setOutputFile(const QString& path) { output = path; }
    QString outputFile() const { return output; }

    // Settings; a false return is the printer refusing the value (nothing changed).
    int paperSize() const { return paperCode; }
    bool setPaperSize(int code);
    int orientation() const { return orient; }
    bool setOrientation(int code);
    int printQuality() const { return quality; }
    bool setPrintQuality(int code);
    int copies() const { return copyCount; }
    bool setCopies(int n);
    int maxCopies() const;
    // Dots per inch of the page device; the raster printer's may be chosen.
    int resolution() const;
    bool setResolution(int dpi);

    QStringList fonts() const;

    // Geometry of the current settings. The device's origin is the top-left of
    // the printable area; the physical offset is the unprintable margin.
    QSizeF pageSizeMillimetres() const;
    QSize pageSizePixels() const;
    QRect printableAreaPixels() const;  // relative to the paper's corner
    QRectF printableAreaMillimetres() const;
    QPoint physicalOffsetPixels() const { return printableAreaPixels().topLeft(); }
    // Raster printer only: paper margins it cannot print on, as some printers have.
    bool setUnprintableMargins(const QMarginsF& millimetres);

    // Job. The document starts here, or with the first request for the painter or a
    // new page. False when the printer cannot start it (see lastError).
    bool beginDoc();
    QPainter* painter();
    QPaintDevice* device();
    bool isPrinting() const { return active; }
    bool newPage();
    bool endDoc();
    bool killDoc();
    // Current page number of the document, 1 before anything was printed.
    int page() const { return pageNo; }
    // Raster printer: the images of the last document, one per page.
    const QList<QImage>& rasterPages() const { return images; }
    QString lastError() const { return error; }

private:
    void startRasterPage();
    void applySettings();
    QPageLayout::Orientation qtOrientation() const;

    QString name;
    Kind printerKind = Kind::Pdf;
    QString output;
    int paperCode = 9;
    int orient = Portrait;
    int quality = -4;
    int copyCount = 1;
    int rasterDpi = 150;
    QSizeF customSize;
    QMarginsF rasterMargins;
    std::unique_ptr<QPrinter> qprinter;
    std::unique_ptr<QPainter> paint;
    QImage currentImage;
    QList<QImage> images;
    bool active = false;
    int pageNo = 1;
    QString error;
};

}  // namespace platform
