#include "ModelloStampa.h"

#include <array>

#include "CodePage1252.h"
#include "Errore.h"
#include "Specifica.h"
#include "VbConv.h"

namespace velmora::modello {

namespace {
constexpr char kEsc = 0x1F;

// Byte of each character the code page holds, 0 for the others (0 itself is
// handled apart).
const std::array<uint8_t, 65536>& tabellaCodifica() {
    static const std::array<uint8_t, 65536> t = [] {
        std::array<uint8_t, 65536> a{};
        QByteArray all(256, 0);
        for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
        QString chars = platform::fromCp1252(all);
        for (int b = 1; b < 256 && b < chars.size(); ++b)
            a[chars[b].unicode()] = static_cast<uint8_t>(b);
        return a;
    }();
    return t;
}

void codifica(const QString& s, QByteArray& out) {
    const auto& t = tabellaCodifica();
    static const char hex[] = "0123456789ABCDEF";
    for (QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c == u'\r') {
            out.append(kEsc).append('r');
        } else if (c == u'\n') {
            out.append(kEsc).append('n');
        } else if (c == kEsc) {
            out.append(kEsc).append(kEsc);
        } else if (c != 0 && t[c] != 0) {
            out.append(static_cast<char>(t[c]));
        } else {
            out.append(kEsc).append('u');
            for (int sh = 12; sh >= 0; sh -= 4) out.append(hex[(c >> sh) & 0xF]);
        }
    }
}

QString togliEscape(const QString& s) {
    QString r;
    r.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        QChar c = s[i];
        if (c.unicode() != kEsc || i + 1 >= s.size()) {
            r.append(c);
            continue;
        }
        QChar n = s[i + 1];
        if (n == QLatin1Char('r'))
            r.append(QLatin1Char('\r')), ++i;
        else if (n == QLatin1Char('n'))
            r.append(QLatin1Char('\n')), ++i;
        else if (n.unicode() == kEsc)
            r.append(QChar(kEsc)), ++i;
        else if (n == QLatin1Char('u') && i + 5 < s.size()) {
            bool ok = false;
            uint v = s.mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                r.append(QChar(static_cast<char16_t>(v)));
                i += 5;
            } else {
                r.append(c);
            }
        } else {
            r.append(c);
        }
    }
    return r;
}

QString booleano(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}
}  // namespace

const QStringList& chiaviIntestazione() {
    static const QStringList k = {
        QStringLiteral("[PaperSize]:"),
        QStringLiteral("[Orientamento]:"),
        QStringLiteral("[PrintyQuality]:"),
        QStringLiteral("[tipo_camp_Sup]:"),
        QStringLiteral("[col_camp_Sup]:"),
        QStringLiteral("[col_contorno_Sup]:"),
        QStringLiteral("[spes_contorno_Sup]:"),
        QStringLiteral("[tipo_contorno_Sup]:"),
        QStringLiteral("[col_Linea]:"),
        QStringLiteral("[tipo_Linea]:"),
        QStringLiteral("[spes_Linea]:"),
        QStringLiteral("[CarattereTesto_gen]:"),
        QStringLiteral("[DimensTesto_gen]:"),
        QStringLiteral("[BoldTesto_gen]:"),
        QStringLiteral("[CorsivoTesto_gen]:"),
        QStringLiteral("[BarratoTesto_gen]:"),
        QStringLiteral("[SottolineatoTesto_gen]:"),
        QStringLiteral("[ColoreTesto_gen]:"),
        QStringLiteral("[OpacoTesto_gen]:"),
        QStringLiteral("[ColoreOpacoTesto_gen]:"),
    };
    return k;
}

QByteArray scrivi(const Intestazione& h, const QList<PaginaPtr>& pagine) {
    const AttributiPredefiniti& a = h.attributi;
    const QStringList valori = {
        QString::number(h.PaperSize),
        QString::number(h.Orientamento),
        QString::number(h.PrintyQuality),
        QString::number(a.tipo_camp_Sup),
        QString::number(a.col_camp_Sup),
        QString::number(a.col_contorno_Sup),
        // Period notation whatever the regional settings: the shortest form that reads back.
        QString::number(static_cast<double>(a.spes_contorno_Sup), 'g', 7),
        QString::number(a.tipo_contorno_Sup),
        QString::number(a.col_Linea),
        QString::number(a.tipo_Linea),
        specifica::fisso3(static_cast<double>(a.spes_Linea)),
        a.CarattereTesto_gen,
        QString::number(a.DimensTesto_gen),
        booleano(a.BoldTesto_gen),
        booleano(a.CorsivoTesto_gen),
        booleano(a.BarratoTesto_gen),
        booleano(a.SottolineatoTesto_gen),
        QString::number(a.ColoreTesto_gen),
        booleano(a.OpacoTesto_gen),
        QString::number(a.ColoreOpacoTesto_gen),
    };
    QByteArray out;
    qsizetype stima = 1024;
    for (const PaginaPtr& p : pagine)
        for (const ComandoPtr& c : p->Comandi())
            stima += 32 + c->NomeComando.size() + c->StringaComando.size();
    out.reserve(stima);
    const QStringList& chiavi = chiaviIntestazione();
    for (int k = 0; k < chiavi.size(); ++k) {
        codifica(chiavi[k], out);
        codifica(valori[k], out);
        out.append("\r\n");
    }
    for (const PaginaPtr& p : pagine) {
        for (const ComandoPtr& c : p->Comandi()) {
            out.append("OGGETTO  : \r\n");
            codifica(c->NomeComando, out);
            out.append("\r\nSPECIFICA: \r\n");
            codifica(c->StringaComando, out);
            out.append("\r\n");
        }
    }
    return out;
}

QStringList righe(const QByteArray& file) {
    QStringList r;
    qsizetype start = 0;
    const qsizetype n = file.size();
    r.reserve(n / 16 + 1);
    while (start < n) {
        qsizetype end = file.indexOf('\n', start);
        qsizetype next = end < 0 ? n : end + 1;
        qsizetype stop = end < 0 ? n : end;
        if (stop > start && file[stop - 1] == '\r') --stop;
        QByteArrayView riga(file.constData() + start, stop - start);
        QString s = platform::fromCp1252(riga.toByteArray());
        if (riga.contains(kEsc)) s = togliEscape(s);
        r.append(s);
        start = next;
    }
    return r;
}

void assegna(Intestazione& h, int chiave, const QString& v) {
    AttributiPredefiniti& a = h.attributi;
    using namespace specifica;
    switch (chiave) {
        case 0:
            h.PaperSize = comeIntero16(v);
            break;
        case 1:
            h.Orientamento = comeIntero16(v);
            break;
        case 2:
            h.PrintyQuality = comeIntero16(v);
            break;
        case 3:
            a.tipo_camp_Sup = comeIntero16(v);
            break;
        case 4:
            a.col_camp_Sup = comeIntero32(v);
            break;
        case 5:
            a.col_contorno_Sup = comeIntero32(v);
            break;
        case 6:
            a.spes_contorno_Sup = static_cast<float>(vb::Val(v));
            break;
        case 7:
            a.tipo_contorno_Sup = comeIntero16(v);
            break;
        case 8:
            a.col_Linea = comeIntero32(v);
            break;
        case 9:
            a.tipo_Linea = comeIntero16(v);
            break;
        case 10:
            a.spes_Linea = comeNumero(v);
            break;
        case 11:
            a.CarattereTesto_gen = v;
            break;
        case 12:
            a.DimensTesto_gen = comeIntero32(v);
            break;
        case 13:
            a.BoldTesto_gen = comeBooleano(v);
            break;
        case 14:
            a.CorsivoTesto_gen = comeBooleano(v);
            break;
        case 15:
            a.BarratoTesto_gen = comeBooleano(v);
            break;
        case 16:
            a.SottolineatoTesto_gen = comeBooleano(v);
            break;
        case 17:
            a.ColoreTesto_gen = comeIntero32(v);
            break;
        case 18:
            a.OpacoTesto_gen = comeBooleano(v);
            break;
        case 19:
            a.ColoreOpacoTesto_gen = comeIntero32(v);
            break;
        default:
            break;
    }
}

Voci leggiVoci(const QStringList& r) {
    Voci out;
    const qsizetype n = r.size();
    qsizetype i = 0;
    while (i < n) {
        if (!r[i].startsWith(QLatin1String("OGGETTO"))) {
            ++i;
            continue;
        }
        Voce v;
        v.riga = static_cast<int>(i + 1);
        // The name line must exist, hold something and not end the file.
        if (i + 1 >= n || i + 1 == n - 1 || vb::Trim(r[i + 1]).isEmpty()) {
            ++out.incomplete;
            if (i + 2 >= n) out.troncato = true;
            i += 2;
            continue;
        }
        v.nome = r[i + 1];
        if (i + 2 < n && r[i + 2].startsWith(QLatin1String("SPECIFICA")) && i + 2 != n - 1) {
            if (!vb::Trim(r[i + 3]).isEmpty()) v.specifica = r[i + 3];
            i += 4;
        } else {
            if (i + 2 >= n - 1) out.troncato = true;
            if (v.nome != nomeNewPage() || out.troncato) ++out.incomplete;
            // A following entry is not swallowed with the missing line.
            i += (i + 2 < n && r[i + 2].startsWith(QLatin1String("SPECIFICA"))) ? 3 : 2;
        }
        out.voci.append(v);
    }
    return out;
}

}  // namespace velmora::modello
