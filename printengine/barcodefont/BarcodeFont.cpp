#include "BarcodeFont.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMutex>
#include <QMutexLocker>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initBarcodeFontResource() {
    Q_INIT_RESOURCE(barcode_font);
}

namespace BarcodeFont {

namespace {
const char* const kResourcePath = ":/barcodefont/VelmoraEANUPC.ttf";
}

QString family() {
    return QStringLiteral("Velmora EAN UPC");
}

QString proposedFontName() {
    return QStringLiteral("MW6 UES");
}

bool registerFont() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;

    static QMutex mutex;
    QMutexLocker lock(&mutex);
    // The font database belongs to the application: an id from an earlier application
    // object is worthless, so the check is against the database itself.
    static int fontId = -1;
    if (fontId < 0 || !QFontDatabase::applicationFontFamilies(fontId).contains(family())) {
        initBarcodeFontResource();
        QFile file(QString::fromLatin1(kResourcePath));
        if (!file.open(QIODevice::ReadOnly)) return false;
        fontId = QFontDatabase::addApplicationFontFromData(file.readAll());
        if (fontId < 0) return false;
    }
    // insertSubstitution adds a name only once.
    QFont::insertSubstitution(proposedFontName(), family());
    return true;
}

}  // namespace BarcodeFont
