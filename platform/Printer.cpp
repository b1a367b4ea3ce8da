#include "Printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cmath>

namespace platform {

namespace {
constexpr double kMmPerInch = 25.4;
constexpr int kPdfDpi = 1200;

QSizeF paperMm(int code) {
    switch (code) {
        case 1:
        case 2:
        case 18:
            return {215.9, 279.4};
        case 3:
            return {279.4, 431.8};
        case 4:
            return {431.8, 279.4};
        case 5:
            return {215.9, 355.6};
        case 6:
            return {139.7, 215.9};
        case 7:
            return {184.15, 266.7};
        case 8:
            return {297, 420};
        case 9:
        case 10:
            return {210, 297};
        case 11:
            return {148, 210};
        case 12:
            return {257, 364};
        case 13:
            return {182, 257};
        case 14:
            return {215.9, 330.2};
        case 15:
            return {215, 275};
        case 19:
            return {98.425, 225.425};
        default:
            return {};
    }
}

bool hasGui() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QString pngPath(const QString& out, int n) {
    QFileInfo fi(out);
    QString suffix = fi.suffix().isEmpty() ? QStringLiteral("png") : fi.suffix();
    return fi.path() + QLatin1Char('/') + fi.completeBaseName() + QLatin1Char('-') +
           QString::number(n) + QLatin1Char('.') + suffix;
}
}  // namespace

QString Printer::pdfPrinterName() {
    return QStringLiteral("Velmora PDF");
}
QString Printer::rasterPrinterName() {
    return QStringLiteral("Velmora Immagine PNG");
}

QStringList Printer::installedPrinterNames() {
    if (!hasGui()) return {};
    return QPrinterInfo::availablePrinterNames();
}

QStringList Printer::availablePrinterNames() {
    QStringList names = installedPrinterNames();
    names << pdfPrinterName() << rasterPrinterName();
    return names;
}

QString Printer::defaultPrinterName() {
    if (hasGui()) {
        QString def = QPrinterInfo::defaultPrinterName();
        if (!def.isEmpty()) return def;
        QStringList installed = QPrinterInfo::availablePrinterNames();
        if (!installed.isEmpty()) return installed.first();
    }
    return pdfPrinterName();
}

QSizeF Printer::paperSizeMillimetres(int code) {
    return paperMm(code);
}

Printer::Printer(const QString& printerName) {
    if (printerName.isEmpty() || !select(printerName)) select(defaultPrinterName());
    if (name.isEmpty()) select(pdfPrinterName());
}

Printer::~Printer() {
    // A document left open is printed, as the system does when a program ends.
    if (active) endDoc();
}

bool Printer::select(const QString& printerName) {
    if (active) return false;
    Kind k;
    if (printerName == pdfPrinterName())
        k = Kind::Pdf;
    else if (printerName == rasterPrinterName())
        k = Kind::Raster;
    else if (installedPrinterNames().contains(printerName))
        k = Kind::Installed;
    else
        return false;

    QSizeF keepSize = pageSizeMillimetres();
    name = printerName;
    printerKind = k;
    qprinter.reset();
    if (k == Kind::Installed) {
        qprinter = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printerName),
                                              QPrinter::HighResolution);
    } else if (k == Kind::Pdf) {
        qprinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        qprinter->setOutputFormat(QPrinter::PdfFormat);
        qprinter->setResolution(kPdfDpi);
        qprinter->setFullPage(true);
    }
    if (paperCode == PaperUser && !keepSize.isEmpty()) {
        customSize = keepSize;
    }
    if (!setPaperSize(paperCode)) paperCode = 9, applySettings();
    if (copyCount > maxCopies()) copyCount = 1;
    applySettings();
    return true;
}

QPageLayout::Orientation Printer::qtOrientation() const {
    return orient == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void Printer::applySettings() {
    if (!qprinter) return;
    QSizeF mm = paperCode == PaperUser ? customSize : paperMm(paperCode);
    if (!mm.isEmpty())
        qprinter->setPageSize(
            QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch));
    qprinter->setPageOrientation(qtOrientation());
    qprinter->setCopyCount(copyCount);
    if (printerKind == Kind::Pdf) qprinter->setPageMargins(QMarginsF(0, 0, 0, 0));
}

bool Printer::setPaperSize(int code) {
    if (active) return false;
    QSizeF mm;
    if (code == PaperUser) {
        mm = customSize.isEmpty() ? pageSizeMillimetres() : customSize;
        if (orient == Landscape) mm.transpose();
        if (mm.isEmpty()) mm = paperMm(9);
    } else {
        mm = paperMm(code);
        if (mm.isEmpty()) return false;
    }
    if (printerKind == Kind::Installed && qprinter) {
        const QList<QPageSize> supported = QPrinterInfo(*qprinter).supportedPageSizes();
        bool ok = supported.isEmpty() || code == PaperUser;
        for (const QPageSize& ps : supported) {
            QSizeF s = ps.size(QPageSize::Millimeter);
            if (std::abs(s.width() - mm.width()) < 1.5 && std::abs(s.height() - mm.height()) < 1.5)
                ok = true;
        }
        if (!ok) return false;
    }
    if (code == PaperUser) customSize = mm;
    paperCode = code;
    applySettings();
    return true;
}

bool Printer::setOrientation(int code) {
    if (code != Portrait && code != Landscape) return false;
    if (active) return false;
    orient = code;
    applySettings();
    return true;
}

bool Printer::setPrintQuality(int code) {
    if (code >= -4 && code <= -1) {
        quality = code;
        return true;
    }
    if (code <= 0) return false;
    // A positive quality is a resolution in dots per inch.
    if (printerKind == Kind::Installed && qprinter) {
        const QList<int> res = QPrinterInfo(*qprinter).supportedResolutions();
        if (!res.isEmpty() && !res.contains(code)) return false;
        if (active) return false;
        qprinter->setResolution(code);
    } else if (printerKind == Kind::Raster) {
        if (!setResolution(code)) return false;
    } else {
        return false;
    }
    quality = code;
    return true;
}

int Printer::maxCopies() const {
    // The built-in printers make one copy: a second would need the pages again.
    if (printerKind != Kind::Installed) return 1;
    return qprinter && qprinter->supportsMultipleCopies() ? 9999 : 1;
}

bool Printer::setCopies(int n) {
    if (n < 1 || n > maxCopies() || active) return false;
    copyCount = n;
    applySettings();
    return true;
}

int Printer::resolution() const {
    if (printerKind == Kind::Raster) return rasterDpi;
    return qprinter ? qprinter->resolution() : rasterDpi;
}

bool Printer::setResolution(int dpi) {
    if (printerKind != Kind::Raster || dpi < 10 || dpi > 2400 || active) return false;
    rasterDpi = dpi;
    return true;
}

QStringList Printer::fonts() const {
    if (!hasGui()) return {};
    return QFontDatabase::families();
}

QSizeF Printer::pageSizeMillimetres() const {
    if (qprinter) return qprinter->pageLayout().fullRect(QPageLayout::Millimeter).size();
    QSizeF mm = paperCode == PaperUser ? customSize : paperMm(paperCode);
    if (mm.isEmpty()) mm = paperMm(9);
    if (orient == Landscape) mm.transpose();
    return mm;
}

QSize Printer::pageSizePixels() const {
    if (qprinter) return qprinter->paperRect(QPrinter::DevicePixel).size().toSize();
    QSizeF mm = pageSizeMillimetres();
    return QSize(qRound(mm.width() / kMmPerInch * rasterDpi),
                 qRound(mm.height() / kMmPerInch * rasterDpi));
}

QRect Printer::printableAreaPixels() const {
    if (qprinter) return qprinter->pageRect(QPrinter::DevicePixel).toRect();
    const QSize page = pageSizePixels();
    const double f = rasterDpi / kMmPerInch;
    const int l = qRound(rasterMargins.left() * f), t = qRound(rasterMargins.top() * f);
    const int r = qRound(rasterMargins.right() * f), b = qRound(rasterMargins.bottom() * f);
    return QRect(l, t, std::max(0, page.width() - l - r), std::max(0, page.height() - t - b));
}

bool Printer::setUnprintableMargins(const QMarginsF& mm) {
    if (printerKind != Kind::Raster || active || mm.left() < 0 || mm.top() < 0 || mm.right() < 0 ||
        mm.bottom() < 0)
        return false;
    rasterMargins = mm;
    return true;
}

void Printer::startRasterPage() {
    // The device's origin is the printable area's corner, as on a real printer.
    paint->begin(&currentImage);
    const QRect area = printableAreaPixels();
    paint->setClipRect(area);
    paint->translate(area.topLeft());
}

QRectF Printer::printableAreaMillimetres() const {
    QRect px = printableAreaPixels();
    double f = kMmPerInch / resolution();
    return QRectF(px.x() * f, px.y() * f, px.width() * f, px.height() * f);
}

bool Printer::beginDoc() {
    if (active) return true;
    error.clear();
    paint = std::make_unique<QPainter>();
    if (printerKind == Kind::Raster) {
        images.clear();
        currentImage = QImage(pageSizePixels(), QImage::Format_RGB32);
        if (currentImage.isNull()) {
            error = QStringLiteral("Memoria insufficiente per la pagina");
            return false;
        }
        currentImage.setDotsPerMeterX(qRound(rasterDpi / 0.0254));
        currentImage.setDotsPerMeterY(qRound(rasterDpi / 0.0254));
        currentImage.fill(Qt::white);
        startRasterPage();
        if (!paint->isActive()) return false;
    } else {
        if (printerKind == Kind::Pdf) {
            if (output.isEmpty()) {
                QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
                if (dir.isEmpty()) dir = QDir::homePath();
                output = dir + QStringLiteral("/Velmora.pdf");
            }
            qprinter->setOutputFileName(output);
        }
        applySettings();
        if (!paint->begin(qprinter.get())) {
            error = QStringLiteral("Impossibile avviare la stampa su \"%1\"").arg(name);
            paint.reset();
            return false;
        }
    }
    active = true;
    pageNo = 1;
    return true;
}

QPainter* Printer::painter() {
    if (!active && !beginDoc()) return nullptr;
    return paint.get();
}

QPaintDevice* Printer::device() {
    if (!active && !beginDoc()) return nullptr;
    if (printerKind == Kind::Raster) return &currentImage;
    return qprinter.get();
}

bool Printer::newPage() {
    if (!active && !beginDoc()) return false;
    if (printerKind == Kind::Raster) {
        paint->end();
        images.append(currentImage);
        currentImage = QImage(pageSizePixels(), QImage::Format_RGB32);
        currentImage.setDotsPerMeterX(qRound(rasterDpi / 0.0254));
        currentImage.setDotsPerMeterY(qRound(rasterDpi / 0.0254));
        currentImage.fill(Qt::white);
        startRasterPage();
    } else if (!qprinter->newPage()) {
        return false;
    }
    ++pageNo;
    return true;
}

bool Printer::endDoc() {
    if (!active) return true;
    bool ok = true;
    paint->end();
    paint.reset();
    if (printerKind == Kind::Raster) {
        images.append(currentImage);
        currentImage = QImage();
        if (!output.isEmpty()) {
            for (int i = 0; i < images.size(); ++i) {
                QString path = images.size() == 1 ? output : pngPath(output, i + 1);
                if (!images[i].save(path, "PNG")) {
                    error = QStringLiteral("Impossibile scrivere il file \"%1\"").arg(path);
                    ok = false;
                }
            }
        }
    } else if (qprinter->printerState() == QPrinter::Error) {
        error = QStringLiteral("Errore della stampante \"%1\"").arg(name);
        ok = false;
    }
    active = false;
    pageNo = 1;
    return ok;
}

bool Printer::killDoc() {
    if (!active) return true;
    if (qprinter) qprinter->abort();
    if (paint && paint->isActive()) paint->end();
    paint.reset();
    if (printerKind == Kind::Pdf && !output.isEmpty()) QFile::remove(output);
    if (printerKind == Kind::Raster) {
        images.clear();
        currentImage = QImage();
    }
    active = false;
    pageNo = 1;
    return true;
}

}  // namespace platform
