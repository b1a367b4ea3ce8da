#include "QtPrinterDialogs.h"

#include <QDialogButtonBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <cmath>

#include "Printer.h"

namespace velmora {

namespace {
// A device for the dialogs carrying the printer's current settings.
std::unique_ptr<QPrinter> perDialogo(const platform::Printer& p) {
    std::unique_ptr<QPrinter> q;
    if (p.kind() == platform::Printer::Kind::Installed)
        q = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(p.deviceName()));
    else {
        q = std::make_unique<QPrinter>();
        q->setOutputFormat(QPrinter::PdfFormat);
    }
    q->setPageSize(QPageSize(platform::Printer::paperSizeMillimetres(p.paperSize()).isEmpty()
                                 ? p.pageSizeMillimetres()
                                 : platform::Printer::paperSizeMillimetres(p.paperSize()),
                             QPageSize::Millimeter));
    q->setPageOrientation(p.orientation() == platform::Printer::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    q->setCopyCount(p.copies());
    return q;
}

int codiceFormato(const QSizeF& mm, int attuale) {
    for (int c : {9, 8, 11, 1, 5, 3, 4, 6, 7, 12, 13, 14, 15, 19}) {
        QSizeF s = platform::Printer::paperSizeMillimetres(c);
        if ((std::abs(s.width() - mm.width()) < 1.5 && std::abs(s.height() - mm.height()) < 1.5))
            return c;
    }
    return attuale;
}
}  // namespace

bool QtPrinterDialogs::properties(platform::Printer& printer, int32_t hwnd) {
    // The built-in printers have no driver of their own: their properties are the page's.
    if (printer.kind() != platform::Printer::Kind::Installed) {
        std::optional<ImpostazioniDocumento> s = documentSetup(printer, hwnd);
        if (!s) return false;
        printer.setOrientation(s->orientamento);
        printer.setPaperSize(s->formato);
        return true;
    }
    auto q = perDialogo(printer);
    QPrintDialog d(q.get());
    d.setWindowTitle(QStringLiteral("Proprietà stampante"));
    d.setOption(QAbstractPrintDialog::PrintToFile, false);
    // The dialog confirms settings here; it does not print.
    for (QDialogButtonBox* box : d.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    return d.exec() == QDialog::Accepted;
}

std::optional<ImpostazioniDocumento> QtPrinterDialogs::documentSetup(platform::Printer& printer,
                                                                     int32_t) {
    auto q = perDialogo(printer);
    QPageSetupDialog d(q.get());
    d.setWindowTitle(QStringLiteral("Imposta pagina - %1").arg(printer.deviceName()));
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    ImpostazioniDocumento s;
    const QPageLayout l = q->pageLayout();
    s.orientamento = l.orientation() == QPageLayout::Landscape ? platform::Printer::Landscape
                                                               : platform::Printer::Portrait;
    s.copie = q->copyCount();
    s.qualita = printer.printQuality();
    s.formato = codiceFormato(l.pageSize().size(QPageSize::Millimeter), printer.paperSize());
    return s;
}

}  // namespace velmora
