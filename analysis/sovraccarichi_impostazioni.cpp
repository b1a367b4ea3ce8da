// Window placement kept per user, the layout that follows a resize, and the
// opening of documents with the desktop.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

#include "ParametriCarichi.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "Twips.h"
#include "VbConv.h"
#include "sovraccarichi.h"

using platform::pxToTwips;
using platform::twipsToPx;

namespace {

const QString kApp = QStringLiteral("Tessaro");
const QString kSection = QStringLiteral("Sovraccarichi");

// Placements beyond this many twips are damaged settings, not a screen.
constexpr double kMaxTwips = 300000;
// A restored window is never smaller than this (pixels), so that it can still be used.
constexpr int kMinRestoredWidth = 240, kMinRestoredHeight = 160;

}  // namespace

void ParametriNeve::setParapettoText(const QString& text) {
    const QString t = text.trimmed();
    if (t == QLatin1String("SI"))
        parapetto = 1;
    else if (vb::IsNumeric(t) && vb::CDbl(t) == 1.0)
        parapetto = 1;
    else
        parapetto = 0;
}

int sovraccarichi::outerWidthTwips() const {
    const int margin = isVisible() ? frameGeometry().width() - width() : 0;
    return static_cast<int>(pxToTwips(width() + margin));
}

int sovraccarichi::outerHeightTwips() const {
    const int margin = isVisible() ? frameGeometry().height() - height() : 0;
    return static_cast<int>(pxToTwips(height() + margin));
}

void sovraccarichi::Salva_Parametri_Registro_Sovraccarichi() {
    const QRect outer = frameGeometry();
    auto save = [this](const char* key, double twips) {
        settings.save(kApp, kSection, QString::fromLatin1(key), vb::CStr(std::round(twips)));
    };
    save("Top", pxToTwips(outer.y()));
    save("Left", pxToTwips(outer.x()));
    save("Width", outerWidthTwips());
    save("Height", outerHeightTwips());
}

void sovraccarichi::Leggi_Parametri_Registro_Sovraccarichi() {
    auto read = [this](const char* key) -> std::optional<double> {
        const QString t = settings.get(kApp, kSection, QString::fromLatin1(key));
        if (!vb::IsNumeric(t)) return std::nullopt;
        const double v = vb::CDbl(t);
        if (std::fabs(v) > kMaxTwips) return std::nullopt;
        return v;
    };
    QPoint pos = this->pos();
    if (const auto top = read("Top")) pos.setY(twipsToPx(*top));
    if (const auto left = read("Left")) pos.setX(twipsToPx(*left));
    QSize outer(twipsToPx(outerWidthTwips()), twipsToPx(outerHeightTwips()));
    bool sized = false;
    if (const auto w = read("Width"); w && *w > 0) {
        outer.setWidth(std::max(twipsToPx(*w), kMinRestoredWidth));
        sized = true;
    }
    if (const auto h = read("Height"); h && *h > 0) {
        outer.setHeight(std::max(twipsToPx(*h), kMinRestoredHeight));
        sized = true;
    }
    // A placement left on a screen that is no longer there comes back to the design one.
    const QRect wanted(pos, outer);
    bool onScreen = QGuiApplication::screens().isEmpty();
    for (QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().intersects(wanted)) onScreen = true;
    if (onScreen) move(pos);
    if (sized) {
        resize(outer);
        // The desktop's frame is known only once the window is shown.
        pendingOuterSize = outer;
    }
}

void sovraccarichi::applyPendingOuterSize() {
    if (!pendingOuterSize || !isVisible()) return;
    const int dw = frameGeometry().width() - width();
    const int dh = frameGeometry().height() - height();
    if (dw == 0 && dh == 0) return;  // no frame yet (or none at all)
    const QSize outer = *pendingOuterSize;
    pendingOuterSize.reset();
    resize(std::max(outer.width() - dw, 1), std::max(outer.height() - dh, 1));
}

void sovraccarichi::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    applyPendingOuterSize();
}

void sovraccarichi::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    applyPendingOuterSize();
}

void sovraccarichi::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    posizionaOggetti();
}

void sovraccarichi::posizionaOggetti() {
    if (!RichTextBox1 || !bottomBar) return;
    auto tw = [](int px) { return static_cast<int>(pxToTwips(px)); };
    const int W = outerWidthTwips();
    const int H = outerHeightTwips();
    // Each step on its own: one that would give a negative size is skipped.
    const int paneTop = tw(RichTextBox1->y());
    const int paneLeft = tw(RichTextBox1->x());
    const int paneH = H - paneTop - tw(bottomBar->height()) - 700;
    if (paneH > 0) RichTextBox1->resize(RichTextBox1->width(), twipsToPx(paneH));
    const int paneW = W - paneLeft - 400;
    if (paneW > 0) RichTextBox1->resize(twipsToPx(paneW), RichTextBox1->height());
    const int barTop = paneTop + tw(RichTextBox1->height()) + 100;
    if (barTop > 0) bottomBar->move(bottomBar->x(), twipsToPx(barTop));
    const int barW = W - tw(bottomBar->x()) - 400;
    if (barW > 0) bottomBar->resize(twipsToPx(barW), bottomBar->height());
    const int esci = tw(bottomBar->width()) - tw(Command2->width()) - 100;
    if (esci >= 0) Command2->move(twipsToPx(esci), Command2->y());
    const int help = tw(Command2->x()) - tw(Command6->width()) - 100;
    if (help >= 0) Command6->move(twipsToPx(help), Command6->y());
    const int stampa = tw(Command6->x()) - tw(Command1->width()) - 100;
    if (stampa >= 0) Command1->move(twipsToPx(stampa), Command1->y());
}

int sovraccarichi::ApriDocumento(const QString& target) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;

    const QString dir = QCoreApplication::applicationDirPath();
    const bool address = target.startsWith(QLatin1String("http"), Qt::CaseInsensitive) ||
                         target.startsWith(QLatin1String("mailto"), Qt::CaseInsensitive);
    if (!address && (target.trimmed().isEmpty() || !QFileInfo(QDir(dir), target).exists())) {
        prompter.beep();
        prompter.message(QStringLiteral("Il file specificato non esiste nell'Archivio Server."),
                         platform::vbOKOnly);
        return 0;
    }

    const int r = shell.open(target, dir, platform::SW_SHOW);
    if (r > 32) return r;
    QString text;
    switch (r) {
        case 2:
            text = QStringLiteral("File non trovato.");
            break;
        case 3:
            text = QStringLiteral("Percorso non trovato");
            break;
        case 5:
            text = QStringLiteral("Accesso negato");
            break;
        case 8:
            text = QStringLiteral("Memoria insufficiente per aprire il file");
            break;
        case 11:
            text = QStringLiteral("Invalid EXE file or error in EXE image");
            break;
        case 26:
            text = QStringLiteral("A sharing violation occurred");
            break;
        case 27:
            text = QStringLiteral("Incomplete or invalid file association");
            break;
        case 28:
            text = QStringLiteral("DDE Time out");
            break;
        case 29:
            text = QStringLiteral("DDE transaction failed");
            break;
        case 30:
            text = QStringLiteral("DDE busy");
            break;
        case 31:
            text = QStringLiteral(
                       "Nessun Programma installato nel PC è dedicato ad aprire file con "
                       "estensione ") +
                   target.right(4).toUpper();
            break;
        case 32:
            text = QStringLiteral("DLL not found");
            break;
        default:
            text = QStringLiteral("Errore non individuabile nell'apertura del File");
            break;
    }
    prompter.message(text, platform::vbOKOnly);
    return r;
}
