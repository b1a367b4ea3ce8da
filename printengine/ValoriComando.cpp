#include "ValoriComando.h"

#include <cmath>
#include <limits>

#include "Errore.h"
#include "Regional.h"
#include "VbConv.h"

namespace velmora {

std::optional<QString> Estrai_Valore(const QString& variabile, const QString& specifica) {
    const qsizetype p = specifica.indexOf(variabile, 0, Qt::CaseSensitive);
    if (p < 0) return std::nullopt;
    // The closing bar is looked for after the key itself, which for every key
    // without an inner bar is the same as looking from the key's start.
    const qsizetype start = p + variabile.size();
    const qsizetype q = specifica.indexOf(QLatin1Char('|'), start);
    if (q < 0) return std::nullopt;
    QString v = specifica.mid(start, q - start);
    if (v == QLatin1String("Falso")) return QStringLiteral("False");
    if (v == QLatin1String("Vero")) return QStringLiteral("True");
    if (v == QLatin1String("16.711.680") || v == QLatin1String("16 711 680"))
        return QStringLiteral("16711680");
    return v;
}

namespace specifica {

namespace {
// Digits with an optional minus and the regional decimal mark: nearly every value
// of a specification, read here without the general conversion (a page replay
// reads thousands of them). Anything else goes the general way.
std::optional<double> semplice(const QString& v, QChar decimale) {
    const qsizetype n = v.size();
    if (n == 0 || n > 15) return std::nullopt;
    qsizetype i = v[0] == QLatin1Char('-') ? 1 : 0;
    long long mantissa = 0;
    int cifre = 0, decimali = 0;
    bool virgola = false;
    for (; i < n; ++i) {
        const char16_t c = v[i].unicode();
        if (c >= u'0' && c <= u'9') {
            mantissa = mantissa * 10 + (c - u'0');
            ++cifre;
            if (virgola) ++decimali;
        } else if (v[i] == decimale && !virgola && cifre > 0) {
            virgola = true;
        } else {
            return std::nullopt;
        }
    }
    if (cifre == 0 || (virgola && decimali == 0)) return std::nullopt;
    static constexpr double potenze[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6, 1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14};
    // Both exact, so the quotient is rounded once, as the general reading does.
    const double d = double(mantissa) / potenze[decimali];
    return v[0] == QLatin1Char('-') ? -d : d;
}

double locale(const QString& valore) {
    if (auto d = semplice(valore, platform::Regional::current().decimal)) return *d;
    std::optional<double> d = vb::parseNumber(valore);
    if (!d || !std::isfinite(*d)) throw Errore(ErrTipo);
    return *d;
}
}  // namespace

float comeNumero(const QString& valore) {
    double d = locale(valore);
    if (std::abs(d) > std::numeric_limits<float>::max()) throw Errore(ErrOverflow);
    return static_cast<float>(d);
}

int16_t comeIntero16(const QString& valore) {
    double d = locale(valore);
    if (!vb::fitsInt16(d)) throw Errore(ErrOverflow);
    return vb::CInt(d);
}

int32_t comeIntero32(const QString& valore) {
    double d = locale(valore);
    double r = std::nearbyint(d);  // halves to even under the default rounding mode
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max())
        throw Errore(ErrOverflow);
    return vb::CLng(d);
}

bool comeBooleano(const QString& valore) {
    const QString t = valore.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    return locale(valore) != 0.0;
}

float numero(const QString& chiave, const QString& specifica) {
    auto v = Estrai_Valore(chiave, specifica);
    return v ? comeNumero(*v) : 0.0f;
}

int16_t intero16(const QString& chiave, const QString& specifica) {
    auto v = Estrai_Valore(chiave, specifica);
    return v ? comeIntero16(*v) : int16_t(0);
}

int32_t intero32(const QString& chiave, const QString& specifica) {
    auto v = Estrai_Valore(chiave, specifica);
    return v ? comeIntero32(*v) : 0;
}

double numeroIniziale(const QString& chiave, const QString& specifica) {
    auto v = Estrai_Valore(chiave, specifica);
    return v ? vb::Val(*v) : 0.0;
}

bool booleano(const QString& chiave, const QString& specifica) {
    auto v = Estrai_Valore(chiave, specifica);
    return v ? comeBooleano(*v) : false;
}

int32_t colore(const QString& chiave, const QString& specifica) {
    return intero32(chiave, specifica);
}

QString testo(const QString& chiave, const QString& specifica) {
    return Estrai_Valore(chiave, specifica).value_or(QString());
}

QString segnaposto(const QString& etichetta, const QString& nCar) {
    const double w0 = vb::Val(nCar) - 2;
    // Saturated: a width beyond the 16-bit range is no real field.
    const int w = vb::CInt(std::clamp(w0, -32768.0, 32767.0));
    if (w > 0 && etichetta.size() < w)
        return QLatin1Char('<') + etichetta + QString(w - etichetta.size(), QLatin1Char('_')) +
               QLatin1Char('>');
    if (w <= 0) return QLatin1Char('<') + etichetta + QLatin1Char('>');
    return QLatin1Char('<') + etichetta.left(w) + QLatin1Char('>');
}

QString dueDecimali(double valore) {
    return vb::Format(valore, QStringLiteral("#,##0.00"));
}
QString fisso2(double valore) {
    return vb::Format(valore, QStringLiteral("0.00"));
}
QString fisso3(double valore) {
    return vb::Format(valore, QStringLiteral("0.000"));
}
QString coloreRaggruppato(int32_t colore) {
    return vb::Format(static_cast<double>(colore), QStringLiteral("#,##0"));
}

}  // namespace specifica
}  // namespace velmora
