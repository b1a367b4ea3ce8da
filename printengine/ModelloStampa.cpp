#include "ModelloStampa.h"

#include <array>
#include <cstring>
#include <vector>

#include "CodePage1252.h"
#include "Errore.h"
#include "ValoriComando.h"
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

namespace {
// Characters of the code page's 256 bytes.
const std::array<char16_t, 256>& tabellaDecodifica() {
    static const std::array<char16_t, 256> t = [] {
        std::array<char16_t, 256> a{};
        QByteArray all(256, 0);
        for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
        const QString chars = platform::fromCp1252(all);
        for (int b = 0; b < 256 && b < chars.size(); ++b) a[b] = chars[b].unicode();
        return a;
    }();
    return t;
}

QString decodifica(const char* p, qsizetype n) {
    // Mostly plain text: the vectorised Latin-1 copy, then the few bytes where the
    // code page differs (0x80-0x9F) and the escapes.
    QString s = QString::fromLatin1(p, n);
    bool speciale = false;
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        speciale |= (static_cast<unsigned>(b - 0x80u) < 0x20u) | (b == kEsc);
    }
    if (!speciale) return s;
    const auto& t = tabellaDecodifica();
    char16_t* d = reinterpret_cast<char16_t*>(s.data());
    bool esc = false;
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        esc |= b == kEsc;
        d[i] = t[b];
    }
    return esc ? togliEscape(s) : s;
}

// Calls `f` with each line of the file, decoded, until it returns false.
template <typename F>
void perRiga(const QByteArray& file, F&& f) {
    const char* base = file.constData();
    const qsizetype n = file.size();
    qsizetype start = 0;
    while (start < n) {
        const char* nl = static_cast<const char*>(std::memchr(base + start, '\n', n - start));
        const qsizetype end = nl ? nl - base : n;
        qsizetype stop = end;
        if (stop > start && base[stop - 1] == '\r') --stop;
        if (!f(decodifica(base + start, stop - start))) return;
        start = end + 1;
    }
}
}  // namespace

QStringList righe(const QByteArray& file) {
    QStringList r;
    r.reserve(file.size() / 24 + 1);
    perRiga(file, [&](QString&& s) {
        r.append(std::move(s));
        return true;
    });
    return r;
}

QStringList righeIntestazione(const QByteArray& file) {
    QStringList r;
    const QString& ultima = chiaviIntestazione().last();
    perRiga(file, [&](QString&& s) {
        const bool fine = s.contains(ultima);
        r.append(std::move(s));
        return !fine;
    });
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

Voci leggiVoci(const QByteArray& file) {
    // Line spans over the bytes: only names and specifications are decoded.
    struct Span {
        qsizetype start, size;
    };
    std::vector<Span> r;
    r.reserve(static_cast<size_t>(file.size() / 24 + 1));
    const char* base = file.constData();
    const qsizetype total = file.size();
    for (qsizetype start = 0; start < total;) {
        const char* nl = static_cast<const char*>(std::memchr(base + start, '\n', total - start));
        const qsizetype end = nl ? nl - base : total;
        qsizetype stop = end;
        if (stop > start && base[stop - 1] == '\r') --stop;
        r.push_back({start, stop - start});
        start = end + 1;
    }
    auto begins = [&](size_t k, const char* what) {
        const size_t len = std::strlen(what);
        return r[k].size >= static_cast<qsizetype>(len) &&
               std::memcmp(base + r[k].start, what, len) == 0;
    };
    auto blank = [&](size_t k) {
        for (qsizetype c = 0; c < r[k].size; ++c)
            if (base[r[k].start + c] != ' ') return false;
        return true;
    };
    auto text = [&](size_t k) { return decodifica(base + r[k].start, r[k].size); };
    // Command names repeat: the names met so far are shared, not decoded again.
    std::vector<std::pair<QByteArray, QString>> nomi;
    auto nome = [&](size_t k) {
        const QByteArrayView b(base + r[k].start, r[k].size);
        for (const auto& [bytes, testo] : nomi)
            if (bytes == b) return testo;
        QString t = text(k);
        if (nomi.size() < 64) nomi.emplace_back(b.toByteArray(), t);
        return t;
    };

    Voci out;
    const size_t n = r.size();
    out.voci.reserve(static_cast<qsizetype>(n / 4 + 1));
    size_t i = 0;
    while (i < n) {
        if (!begins(i, "OGGETTO")) {
            ++i;
            continue;
        }
        Voce v;
        v.riga = static_cast<int>(i + 1);
        // The name line must exist, hold something and not end the file.
        if (i + 1 >= n || i + 1 == n - 1 || blank(i + 1)) {
            ++out.incomplete;
            if (i + 2 >= n) out.troncato = true;
            i += 2;
            continue;
        }
        v.nome = nome(i + 1);
        if (i + 2 < n && begins(i + 2, "SPECIFICA") && i + 2 != n - 1) {
            if (!blank(i + 3)) v.specifica = text(i + 3);
            i += 4;
        } else {
            if (i + 2 >= n - 1) out.troncato = true;
            if (v.nome != nomeNewPage() || out.troncato) ++out.incomplete;
            // A following entry is not swallowed with the missing line.
            i += (i + 2 < n && begins(i + 2, "SPECIFICA")) ? 3 : 2;
        }
        out.voci.append(std::move(v));
    }
    return out;
}

}  // namespace velmora::modello
