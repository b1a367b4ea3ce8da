#include "Report.h"

#include <QTextCharFormat>
#include <QTextCursor>

#include "DatiAnalisi.h"
#include "VbConv.h"

namespace {
const QString kCourier = QStringLiteral("Courier New");
const QString kLf = QStringLiteral("\n");
constexpr int kBlack = 0;
constexpr int kBlue = 9;
}  // namespace

QColor paletteColor(int index) {
    static const QRgb palette[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    return QColor(palette[index & 15]);
}

ReportWriter::ReportWriter() {
    current.font = kCourier;
    current.color = paletteColor(kBlack);
}

void ReportWriter::setColor(int colorIndex) {
    current.color = paletteColor(colorIndex);
}

void ReportWriter::ImpostaCarattere(const QString& font, double size, const QString& style,
                                    int colorIndex) {
    current.size = size;
    current.font = font;
    setColor(colorIndex);
    if (style == QLatin1String("Normale")) {
        current.bold = current.italic = current.strike = current.underline = false;
        current.offsetTwips = 0;
    } else if (style == QLatin1String("Grassetto")) {
        current.bold = true;
    } else if (style == QLatin1String("Corsivo")) {
        current.italic = true;
    } else if (style == QLatin1String("Sottolineato")) {
        current.underline = true;
    } else if (style == QLatin1String("SottolineatoGrassetto")) {
        current.bold = current.underline = true;
    } else if (style == QLatin1String("Apice")) {
        current.offsetTwips = 45;
    } else if (style == QLatin1String("Pedice")) {
        current.offsetTwips = -40;
    }
}

void ReportWriter::write(const QString& text) {
    if (text.isEmpty()) return;
    ReportRun r = current;
    r.text = text;
    // Consecutive runs of one format are one run.
    if (!out.isEmpty()) {
        ReportRun& last = out.last();
        if (last.font == r.font && last.size == r.size && last.color == r.color &&
            last.bold == r.bold && last.italic == r.italic && last.underline == r.underline &&
            last.strike == r.strike && last.offsetTwips == r.offsetTwips) {
            last.text += text;
            return;
        }
    }
    out << r;
}

void ReportWriter::subscript(const QString& text) {
    current.size = 8;
    current.offsetTwips = -40;
    write(text);
    current.size = 10;
    current.offsetTwips = 0;
}

QString paddedText(const QString& text) {
    auto fit = [](const QString& s) { return s.left(59).leftJustified(59, QLatin1Char(' ')); };
    QString s = fit(text);
    while (vb::Trim(s).size() < 58) s = fit(vb::Trim(s) + QStringLiteral(" ."));
    return s;
}

QString valueField(float value) {
    return vb::FormatText(vb::Format(value, QStringLiteral("##0.00")),
                          QStringLiteral("@@@@@@ daN/mq"));
}

QString dittoField(float value) {
    return vb::FormatText(vb::Format(value, QStringLiteral("##0.00")),
                          QStringLiteral("@@@@@@   ")) +
           QLatin1Char('"');
}

namespace {

// A group of ticked rows: first row with its value field, the others with ditto fields.
template <size_t N>
void writeRows(ReportWriter& w, const std::array<float, N>& active,
               const std::array<QString, N>& descr, const std::array<float, N>& values) {
    bool first = true;
    for (size_t j = 1; j < N; ++j) {
        if (active[j] != 1) continue;
        w.write(QStringLiteral("     "));
        w.write(paddedText(descr[j]));
        w.write(QStringLiteral("    ="));
        w.write(first ? valueField(values[j]) : dittoField(values[j]));
        w.write(kLf);
        first = false;
    }
}

void groupHeading(ReportWriter& w, const QString& title) {
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Normale"), kBlue);
    w.write(QStringLiteral("     "));
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Sottolineato"), kBlack);
    w.write(title);
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Normale"), kBlue);
    w.write(kLf);
}

void variableHeading(ReportWriter& w, const QString& title) {
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Normale"), kBlack);
    w.write(QStringLiteral("     "));
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Sottolineato"), kBlack);
    w.write(title);
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Normale"), kBlue);
    w.write(kLf);
}

void rule(ReportWriter& w) {
    w.write(QString(62, QLatin1Char(' ')) + QString(20, QLatin1Char('-')));
    w.write(kLf);
}

void totalLine(ReportWriter& w, const QString& description, int n, float value) {
    w.write(QStringLiteral("     "));
    w.write(paddedText(description));
    w.write(QStringLiteral(" Q"));
    w.subscript(QStringLiteral("k") + QString::number(n));
    w.write(QStringLiteral("="));
    w.write(valueField(value));
    w.write(kLf);
    w.write(kLf);
}

QString f2(float v) {
    return vb::Format(v, QStringLiteral("##0.00"));
}

}  // namespace

QList<ReportRun> buildReport(const DatiAnalisi& d) {
    ReportWriter w;
    int n = 0;

    // Title
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Normale"), kBlack);
    w.write(QStringLiteral("     "));
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("SottolineatoGrassetto"), kBlack);
    w.write(QStringLiteral("ANALISI DEI CARICHI"));
    w.write(kLf);
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Normale"), kBlue);
    w.write(kLf);

    // Permanent loads and self weight
    groupHeading(w, QStringLiteral("CARICHI PERMANENTI:"));
    w.ImpostaCarattere(kCourier, 8, QStringLiteral("Normale"), kBlue);
    w.write(QStringLiteral("      "));
    w.setSize(10);
    w.write(paddedText(QStringLiteral("PESO PROPRIO: ") + d.DescrPesoProprio));
    w.write(QStringLiteral(" G"));
    w.subscript(QStringLiteral("1"));
    w.write(QStringLiteral(" ="));
    w.write(valueField(d.PesoProprio));
    w.write(kLf);
    w.write(kLf);

    if (d.TotPermanenti > 0) {
        groupHeading(w, QStringLiteral("CARICHI PERMANENTI NON STRUTTURALI:"));
        writeRows(w, d.PermAttivo, d.PermDescr, d.PermValore);
        rule(w);
        w.write(QString(64, QLatin1Char(' ')) + QStringLiteral(" G"));
        w.subscript(QStringLiteral("2 "));
        w.write(QStringLiteral("="));
        w.write(valueField(d.TotPermanenti));
        w.write(kLf);
    }

    if (d.TotLungaDurata > 0) {
        groupHeading(w, QStringLiteral("CARICHI VARIABILI DI LUNGA DURATA:"));
        writeRows(w, d.LDAttivo, d.LDDescr, d.LDValore);
        rule(w);
        ++n;
        w.write(QString(64, QLatin1Char(' ')) + QStringLiteral(" Q"));
        w.subscript(QStringLiteral("k") + QString::number(n));
        w.write(QStringLiteral("="));
        w.write(valueField(d.TotLungaDurata));
        w.write(kLf);
    }

    if (d.TotBreveRipartito > 0 && d.Categoria != 0) {
        variableHeading(w, QStringLiteral("CARICHI VARIABILI DI BREVE DURATA:"));
        ++n;
        totalLine(w, d.DescrCategoria, n, d.TotBreveRipartito);
    }

    if (d.CaricoNeve != 0) {
        variableHeading(w, QStringLiteral("CARICO NEVE:"));
        w.write(QStringLiteral("     ZONA ") + d.ZonaNeve + QStringLiteral("     a"));
        w.subscript(QStringLiteral("s"));
        w.write(QStringLiteral("=") + f2(d.QuotaSlm) + QStringLiteral("m.     C"));
        w.subscript(QStringLiteral("E"));
        w.write(QStringLiteral("=") + f2(d.CeNeve) + QStringLiteral("     C"));
        w.subscript(QStringLiteral("t"));
        w.write(QStringLiteral("=") + f2(d.CtNeve) + QStringLiteral("     "));
        // No symbol-encoded font here: the Greek mu is written as itself.
        w.write(QString(QChar(0x03BC)));
        w.setSize(8);
        w.write(QStringLiteral("=") + f2(d.MuNeve));
        w.setSize(10);
        w.write(kLf);
        ++n;
        totalLine(w, d.FormulaNeve, n, d.CaricoNeve);
    }

    if (d.CaricoVento != 0) {
        variableHeading(w, QStringLiteral("CARICO VENTO:"));
        w.write(QStringLiteral("     ZONA:") + vb::Str(static_cast<double>(d.ZonaVento)) +
                QStringLiteral("           a"));
        w.subscript(QStringLiteral("s"));
        w.write(QStringLiteral("= ") + f2(d.QuotaSlm) + QStringLiteral("m.    Rug.=\"") +
                d.ClasseRugosita + QStringLiteral("\""));
        w.write(kLf);
        w.write(QStringLiteral("     D"));
        w.subscript(QStringLiteral("mare"));
        w.write(QStringLiteral("=") + f2(d.DistanzaMare) + QStringLiteral("km.     H"));
        w.subscript(QStringLiteral("edif"));
        w.write(QStringLiteral("=") + f2(d.AltezzaEdificio) + QStringLiteral("m.    C"));
        w.subscript(QStringLiteral("esp"));
        w.write(QStringLiteral("=\"") +
                d.CategoriaEsposizione.left(3).leftJustified(3, QLatin1Char(' ')) +
                QStringLiteral("\""));
        w.write(kLf);
        ++n;
        totalLine(w, d.FormulaVento, n, d.CaricoVento);
    }

    w.write(kLf);
    return w.runs();
}

QList<ReportRun> buildBanner(const QString& webUrl, int major, int minor) {
    ReportWriter w;
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Normale"), kBlack);
    w.write(QStringLiteral("\n\n\n"));
    w.write(QString(21, QLatin1Char(' ')) + QStringLiteral("Software Free\n\n"));
    w.write(QStringLiteral("     ANALISI DEI CARICHI  D.M.14/01/2008 Vers.") +
            vb::Str(static_cast<double>(major)) + QLatin1Char('.') +
            vb::Str(static_cast<double>(minor)) + QStringLiteral("\n\n\n"));
    w.write(QString(23, QLatin1Char(' ')));
    w.ImpostaCarattere(QStringLiteral("Arial"), 12, QStringLiteral("Normale"), kBlack);
    w.write(QStringLiteral("Vortanel"));
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Normale"), kBlack);
    w.write(QStringLiteral("\n") + QString(20, QLatin1Char(' ')));
    w.ImpostaCarattere(kCourier, 10, QStringLiteral("Sottolineato"), kBlue);
    w.write(webUrl);
    w.setUnderline(false);
    return w.runs();
}

QStringList reportLines(const QList<ReportRun>& runs) {
    QString all;
    for (const ReportRun& r : runs) all += r.text;
    QStringList lines = all.split(QLatin1Char('\n'));
    // The text ends with a line feed; what follows it is no line.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void appendRuns(QTextCursor& cursor, const QList<ReportRun>& runs) {
    for (const ReportRun& r : runs) {
        QTextCharFormat f;
        f.setFontFamilies({r.font});
        f.setFontPointSize(r.size);
        f.setForeground(r.color);
        f.setFontWeight(r.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(r.italic);
        f.setFontUnderline(r.underline);
        f.setFontStrikeOut(r.strike);
        // The offset moves the run off the baseline without the extra shrinking of
        // Qt's own subscript; it is given as a share of the run's line height.
        if (r.offsetTwips != 0) {
            const double points = r.offsetTwips / 20.0;
            f.setBaselineOffset(100.0 * points / (r.size * 1.15));
        }
        cursor.insertText(r.text, f);
    }
}
