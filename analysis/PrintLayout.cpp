#include "PrintLayout.h"

#include "DatiAnalisi.h"
#include "Report.h"
#include "VbConv.h"

QString PrintLine::specifica() const {
    static const QString tail = QStringLiteral(
        "|Carattere=Courier New|Altezza=10|Col=0|Angolo=0|Grassetto=%1|Sottolineato=%2"
        "|Barrato=False|Corsivo=False|Opaco=False|ColoreOpaco=0|DX=0|NCar=0|");
    // A bar would end the text field early and turn the rest into keys.
    QString safe = text;
    safe.replace(QLatin1Char('|'), QChar(0x00A6));
    const QString pos = QStringLiteral("#,##0.00");
    return QStringLiteral("|Testo=") + safe + QStringLiteral("|x1=") + vb::Format(x, pos) +
           QStringLiteral("|y1=") + vb::Format(y, pos) +
           tail.arg(style == Title ? QStringLiteral("True") : QStringLiteral("False"),
                    style == Data ? QStringLiteral("False") : QStringLiteral("True"));
}

namespace {
QString f2(float v) {
    return vb::Format(v, QStringLiteral("##0.00"));
}
}  // namespace

QList<PrintLine> buildPrintLines(const DatiAnalisi& d) {
    QList<PrintLine> out;
    const double step = 7;
    double y = 20;
    int n = 0;
    auto line = [&](const QString& text, PrintLine::Style style, double x = 10, double at = -1) {
        out << PrintLine{text, x, at < 0 ? y : at, style};
    };
    const QString lead = QStringLiteral("     ");

    line(QStringLiteral("ANALISI DEI CARICHI"), PrintLine::Title);
    y += 2 * step;
    line(QStringLiteral("CARICHI PERMANENTI:"), PrintLine::Heading);
    y += step;
    line(lead + paddedText(QStringLiteral("PESO PROPRIO: ") + d.DescrPesoProprio) +
             QStringLiteral(" G1  =") + valueField(d.PesoProprio),
         PrintLine::Data);
    y += step;

    if (d.TotPermanenti > 0) {
        line(QStringLiteral("CARICHI PERMANENTI NON STRUTTURALI:"), PrintLine::Heading);
        y += step;
        bool first = true;
        for (int j = 1; j <= 13; ++j) {
            if (d.PermAttivo[j] != 1) continue;
            line(lead + paddedText(d.PermDescr[j]) + QStringLiteral("     =") +
                     (first ? valueField(d.PermValore[j]) : dittoField(d.PermValore[j])),
                 PrintLine::Data);
            first = false;
            y += step;
        }
        line(QString(20, QLatin1Char('-')), PrintLine::Data, 130, y - step / 2);
        line(QStringLiteral("G2  =") + valueField(d.TotPermanenti), PrintLine::Data, 130);
        y += step;
    }

    if (d.TotLungaDurata > 0) {
        line(QStringLiteral("CARICHI VARIABILI DI LUNGA DURATA:"), PrintLine::Heading);
        bool first = true;
        for (int j = 1; j <= 5; ++j) {
            if (d.LDAttivo[j] != 1) continue;
            line(lead + paddedText(d.LDDescr[j]) + QStringLiteral("    =") +
                     (first ? valueField(d.LDValore[j]) : dittoField(d.LDValore[j])),
                 PrintLine::Data, 10, y + step);
            first = false;
            y += step;
        }
        line(QString(20, QLatin1Char('-')), PrintLine::Data, 130, y + step / 2);
        y += step / 2;
        ++n;
        line(QStringLiteral("Qk") + QString::number(n) + QStringLiteral(" =") +
                 valueField(d.TotLungaDurata),
             PrintLine::Data, 130, y + step / 2);
        y += step / 2 + step;
    }

    auto totalLine = [&](const QString& descr, float value) {
        ++n;
        line(lead + paddedText(descr) + QStringLiteral(" Qk") + QString::number(n) +
                 QStringLiteral(" =") + valueField(value),
             PrintLine::Data);
        y += step;
    };

    if (d.TotBreveRipartito > 0 && d.Categoria != 0) {
        line(QStringLiteral("CARICHI VARIABILI DI BREVE DURATA:"), PrintLine::Heading);
        y += step;
        totalLine(d.DescrCategoria, d.TotBreveRipartito);
    }

    if (d.CaricoNeve != 0) {
        line(QStringLiteral("CARICO NEVE:"), PrintLine::Heading);
        y += step;
        line(lead + QStringLiteral("ZONA ") + d.ZonaNeve + QStringLiteral("     as =") +
                 f2(d.QuotaSlm) + QStringLiteral("m.     CE = ") + f2(d.CeNeve) +
                 QStringLiteral("     Ct = ") + f2(d.CtNeve) + QStringLiteral("     m = ") +
                 f2(d.MuNeve),
             PrintLine::Data);
        y += step;
        totalLine(d.FormulaNeve, d.CaricoNeve);
    }

    if (d.CaricoVento != 0) {
        line(QStringLiteral("CARICO VENTO:"), PrintLine::Heading);
        y += step;
        line(lead + QStringLiteral("ZONA:") + vb::Str(static_cast<double>(d.ZonaVento)) +
                 QStringLiteral("            as=") + f2(d.QuotaSlm) +
                 QStringLiteral("m.     Rug.=\"") + d.ClasseRugosita + QStringLiteral("\""),
             PrintLine::Data);
        y += step;
        line(lead + QStringLiteral("Dmare=") + f2(d.DistanzaMare) +
                 QStringLiteral("km.     Hedif=") + f2(d.AltezzaEdificio) +
                 QStringLiteral("m.    Cesp=\"") + d.CategoriaEsposizione + QStringLiteral("\""),
             PrintLine::Data);
        y += step;
        totalLine(d.FormulaVento, d.CaricoVento);
    }
    return out;
}
