// Model objects bound to document data, and the barcode command: placeholders,
// rewrites of the specification string, the body-row grid and the label grid.

#include "StampaCampi.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <functional>
#include <vector>

#include "ClsComandi.h"
#include "ClsPagina.h"
#include "Errore.h"
#include "Prompter.h"
#include "UPCEAN.h"
#include "ValoriComando.h"
#include "VbConv.h"
#include "clsModStampa.h"

namespace velmora::campi {

using namespace com;
using namespace specifica;

namespace {

const QChar LF = QLatin1Char('\n');
const QChar BARRA = QLatin1Char('|');
const QString kIdCampione = QStringLiteral("12345678901234567890");
// More labels than any sheet holds: a grid beyond it is a typing error, not a
// reason to draw for hours.
constexpr int kMaxEtichette = 10000;

QString valore(const QString& chiave, const QString& spec) {
    return Estrai_Valore(chiave, spec).value_or(QString());
}

void mostra(clsModStampa& j, const QString& testoMessaggio) {
    j.prompter().beep();
    j.prompter().message(testoMessaggio, platform::vbOKOnly, titoloLibreria());
}

QString descrizione(const std::exception_ptr& e) {
    try {
        std::rethrow_exception(e);
    } catch (const Errore& x) {
        return x.descrizione();
    } catch (const std::bad_alloc&) {
        return descrizioneErrore(ErrMemoria);
    } catch (const std::exception& x) {
        return QString::fromUtf8(x.what());
    }
}

// Runs f; a failure is shown as riga + description + the specification string as it is
// at that moment.
void comando(clsModStampa& j, const QString& riga, const QString& spec,
             const std::function<void()>& f) {
    try {
        f();
    } catch (...) {
        mostra(j, riga + LF + descrizione(std::current_exception()) + LF +
                      QStringLiteral("Specifica di Stampa:") + LF + spec);
    }
}

// Page of the window (the page being replayed while one is).
const ClsPagina& paginaMostrata(clsModStampa& j) {
    const int32_t n = j.stato().nPagCorr;
    const QList<PaginaPtr>* pagine = j.Pagine();
    if (!pagine || n < 1 || n > pagine->size()) throw Errore(ErrIndice);
    return *(*pagine)[n - 1];
}

// Fields of a specification between bars, field 0 being the text before the first.
QString campo(const QStringList& campi, int i) {
    if (i >= campi.size()) throw Errore(ErrIndice);
    return campi[i];
}

QString etichettaColonna(const QString& nome) {
    if (nome == QLatin1String("Sconto")) return QStringLiteral("S.to");
    if (nome.startsWith(QStringLiteral("Quantità"))) return QStringLiteral("Quant.");
    if (nome == QLatin1String("UnitMis")) return QStringLiteral("U.M.");
    return nome;
}

QString etichettaRigo(const QString& nome) {
    if (nome.startsWith(QStringLiteral("Quantità_"))) return QStringLiteral("Q.") + nome.right(3);
    if (nome.startsWith(QLatin1String("Peso_"))) return QStringLiteral("P.") + nome.right(3);
    return nome;
}

QString tipoRiepilogo(const QString& Oggetto) {
    if (Oggetto == QLatin1String("Riepilogo Imponibile IVA")) return QStringLiteral("Impon");
    if (Oggetto == QLatin1String("Riepilogo Imposta x AliquotaIVA"))
        return QStringLiteral("Impost");
    return QString();
}

QString identificativo(const QString& IdCarcassa) {
    return IdCarcassa == QLatin1String("IdCarcassa") ? kIdCampione : IdCarcassa;
}

// The characters first … last of the identifier, as "NCaratteri=(first,last)" says.
QString parteId(const QString& id, const QString& spec) {
    QString intervallo = valore(QStringLiteral("NCaratteri="), spec);
    intervallo.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    const QStringList parti = intervallo.split(QLatin1Char(','));
    if (parti.size() < 2) throw Errore(ErrIndice);
    const int primo = comeIntero16(parti[0]);
    const int ultimo = comeIntero16(parti[1]);
    // A range that starts before the identifier or ends before it starts selects nothing.
    if (primo < 1 || ultimo < primo) throw Errore(ErrChiamataNonValida);
    return id.mid(primo - 1, ultimo - primo + 1);
}

QString specIdCarcassa(const QString& IdCarcassa, const QString& spec) {
    const QStringList campi = spec.split(BARRA);
    QString s = QStringLiteral("|Testo=") + parteId(identificativo(IdCarcassa), spec) + BARRA;
    for (int i = 2; i <= 14; ++i) s += campo(campi, i) + BARRA;
    return s;
}

QString specCampo(const QString& spec) {
    const QString nome = valore(QStringLiteral("Campo="), spec);
    QString s = spec;
    return s.replace(
        QStringLiteral("Campo=") + nome,
        QStringLiteral("Testo=") +
            segnaposto(nome, nome.size(), valore(QStringLiteral("NCar="), spec), true));
}

QString specRiepilogo(const QString& spec, const QString& tipo) {
    const QString aliquota = valore(QStringLiteral("IVA="), spec);
    const QString etichetta = tipo + aliquota + QLatin1Char('%');
    QString s = spec;
    return s.replace(
        QStringLiteral("IVA=") + aliquota,
        QStringLiteral("Testo=") +
            segnaposto(etichetta, etichetta.size(), valore(QStringLiteral("NCar="), spec), true));
}

QString specRigo(const QString& spec) {
    const QString nome = valore(QStringLiteral("Rigo="), spec);
    QString s = spec;
    return s.replace(
        QStringLiteral("Rigo=") + nome,
        QStringLiteral("Testo=") + segnaposto(etichettaRigo(nome), nome.size(),
                                              valore(QStringLiteral("NCar="), spec), false));
}

// Column field: the placeholder, then the text moved DX right of the column's left
// edge and 1 mm below its top. Rewrites s step by step, so that a failure shows it.
void riscriviColonna(QString& s) {
    const QString nome = valore(QStringLiteral("Campo="), s);
    const QString nCar = valore(QStringLiteral("NCar="), s);
    s.replace(
        QStringLiteral("Campo=") + nome,
        QStringLiteral("Testo=") + segnaposto(etichettaColonna(nome), nome.size(), nCar, true));
    const QString x1 = valore(QStringLiteral("x1="), s);
    const QString y = valore(QStringLiteral("Y="), s);
    const float dx = numero(QStringLiteral("DX="), s);
    const float nx = comeNumero(x1) + dx;
    const float ny = comeNumero(y) + 1;
    s.replace(QStringLiteral("x1=") + x1, QStringLiteral("x1=") + fisso2(nx));
    s.replace(QStringLiteral("Y=") + y, QStringLiteral("y1=") + fisso2(ny));
}

// The encoded string, with every key of the command checked, so that a bad value
// fails with the barcode's own message and not with the text's.
QString codiceStampato(const QString& spec) {
    numero(QStringLiteral("Altezza="), spec);
    numero(QStringLiteral("x1="), spec);
    numero(QStringLiteral("y1="), spec);
    const int16_t n = intero16(QStringLiteral("NCar="), spec);
    QString codice = valore(QStringLiteral("Campo="), spec);
    if (n > 0) codice = codice.left(n);
    intero32(QStringLiteral("Angolo="), spec);
    for (const char* k : {"Barrato=", "Grassetto=", "Corsivo=", "Opaco=", "Sottolineato="})
        booleano(QString::fromLatin1(k), spec);
    colore(QStringLiteral("Col="), spec);
    colore(QStringLiteral("ColoreOpaco="), spec);
    return UPCEAN::encodeForType(valore(QStringLiteral("TipoCodice="), spec), codice);
}

// The text factor of the printer does not apply to barcodes: it would change the
// module width the scanner relies on.
class SenzaFattoreTesto {
public:
    explicit SenzaFattoreTesto(clsModStampa& j) : job(j) {
        job.get_fc(&vecchio);
        job.setFc(1);
    }
    ~SenzaFattoreTesto() { job.setFc(vecchio); }
    SenzaFattoreTesto(const SenzaFattoreTesto&) = delete;
    SenzaFattoreTesto& operator=(const SenzaFattoreTesto&) = delete;

private:
    clsModStampa& job;
    float vecchio = 1;
};

int puntiDaSpostare(const ComandoPtr& c) {
    const QString& n = c->NomeComando;
    if (n.startsWith(QLatin1String("Campo Colonna")) || n == nomeNewPage() ||
        n == QLatin1String("Array Etichette") || !ComandoValido(n))
        return 0;
    if (n == QLatin1String("Linea") || n == QLatin1String("Cerchio")) return 2;
    if (n == QLatin1String("Rettangolo")) return 4;
    if (n == QLatin1String("Superficie") || n == QLatin1String("Polilinea"))
        return intero16(QStringLiteral("nVert="), c->StringaComando);
    if (n == QLatin1String("Arco")) return 3;
    return 1;
}

void disegnaOggetto(clsModStampa& j, const QString& nome, const QString& s, bool attivo) {
    if (nome == QLatin1String("Linea"))
        j.stampaLinea(s, attivo);
    else if (nome == QLatin1String("Cerchio"))
        j.stampacerchio(s, attivo);
    else if (nome == QLatin1String("Rettangolo"))
        j.StampaRettangolo(s, attivo);
    else if (nome == QLatin1String("Superficie"))
        j.stampaSuperficie(s, attivo);
    else if (nome == QLatin1String("Polilinea"))
        j.stampaPolilinea(s, attivo);
    else if (nome == QLatin1String("Arco"))
        j.stampaarco(s, attivo);
    else if (nome == QLatin1String("Testo"))
        j.StampaTesto(s, attivo);
    else if (nome == QLatin1String("Testo Esteso"))
        j.StampaMemo(s, attivo);
    else if (nome == QLatin1String("Immagine"))
        j.StampaImmagine(s, attivo);
    else
        stampaObjModel(j, nome, s, attivo);
}

QString lineaSpec(float x1, float y1, float x2, float y2, int32_t col, int16_t tipo, float spes) {
    return QStringLiteral("|x1=") + dueDecimali(x1) + QStringLiteral("|y1=") + dueDecimali(y1) +
           QStringLiteral("|x2=") + dueDecimali(x2) + QStringLiteral("|y2=") + dueDecimali(y2) +
           QStringLiteral("|Col=") + QString::number(col) + QStringLiteral("|TipoCont=") +
           QString::number(tipo) + QStringLiteral("|SpesCont=") + dueDecimali(spes) + BARRA;
}

}  // namespace

QString segnaposto(const QString& etichetta, qsizetype lunghezza, const QString& nCar,
                   bool taglia) {
    // Saturated: a width beyond the 16-bit range is no real field.
    const int w = vb::CInt(std::clamp(vb::Val(nCar) - 2, -32768.0, 32767.0));
    if (w > 0 && lunghezza < w)
        return QLatin1Char('<') + etichetta +
               QString(std::max<qsizetype>(0, w - etichetta.size()), QLatin1Char('_')) +
               QLatin1Char('>');
    if (w <= 0 || !taglia) return QLatin1Char('<') + etichetta + QLatin1Char('>');
    return QLatin1Char('<') + etichetta.left(w) + QLatin1Char('>');
}

void stampaObjModel(clsModStampa& j, const QString& o, const QString& s, bool a) {
    if (o.startsWith(QLatin1String("Campo Colonna")))
        stampaCampoColonna(j, s, a);
    else if (o.startsWith(QLatin1String("Campo")))
        stampaCampo(j, o, s, a);
    else if (o == QLatin1String("Impostazioni Righe"))
        stampaLineeCorpoDoc(j, s, a);
    else if (!tipoRiepilogo(o).isEmpty())
        stampaRiepilogoIVA(j, s, tipoRiepilogo(o), a);
    else if (o == QLatin1String("Array Etichette"))
        stampaArrayEtichette(j, s, a);
    else if (o == QLatin1String("Codice a Barre"))
        stampaCodBarre(j, s, a);
    else if (vb::Trim(o) == QLatin1String("Rigo DDTMac"))
        stampaRigoDDTMac(j, s, a);
    else if (vb::Trim(o) == QLatin1String("IdCarcassa"))
        stampaIdCarcassa(j, QStringLiteral("IdCarcassa"), s, a);
}

void stampaCampo(clsModStampa& j, const QString& Oggetto, const QString& Specifica, bool Attivo) {
    if (j.registraComando(Oggetto, Specifica)) return;
    const QString nome = valore(QStringLiteral("Campo="), Specifica);
    QString s = Specifica;
    comando(j, QStringLiteral("Errore nella Stampa del Campo ") + nome, s, [&] {
        s = specCampo(Specifica);
        j.StampaTesto(s, Attivo);
    });
}

void stampaCampoColonna(clsModStampa& j, const QString& Specifica, bool Attivo) {
    if (j.registraComando(QStringLiteral("Campo Colonna"), Specifica)) return;
    const QString nome = valore(QStringLiteral("Campo="), Specifica);
    QString s = Specifica;
    comando(j, QStringLiteral("Errore nella Stampa del Campo Colonna ") + nome, s, [&] {
        riscriviColonna(s);
        j.StampaTesto(s, Attivo);
    });
}

void stampaLineeCorpoDoc(clsModStampa& j, const QString& Specifica, bool Attivo) {
    const ClsPagina& pagina = paginaMostrata(j);
    if (j.registraComando(QStringLiteral("Impostazioni Righe"), Specifica)) return;
    comando(j, QStringLiteral("Errore nella Stampa delle Linee del Corpo del Documento"), Specifica,
            [&] {
                const int16_t n = intero16(QStringLiteral("NRighexPagina="), Specifica);
                const float a = numero(QStringLiteral("Altezza="), Specifica);
                const bool verticali =
                    valore(QStringLiteral("Linee Verticali="), Specifica) == QLatin1String("SI");
                const bool orizzontali =
                    valore(QStringLiteral("Linee Orizzontali="), Specifica) == QLatin1String("SI");
                const int32_t col = colore(QStringLiteral("Col="), Specifica);
                const int16_t tipo = intero16(QStringLiteral("TipoCont="), Specifica);
                const float spes = numero(QStringLiteral("SpesCont="), Specifica);
                // A copy: drawing may not change the page, but the list must outlive it.
                const QList<ComandoPtr> comandi = pagina.Comandi();
                for (const ComandoPtr& c : comandi) {
                    if (!c->NomeComando.startsWith(QLatin1String("Campo Colonna"))) continue;
                    const QString& cs = c->StringaComando;
                    const float xl = numero(QStringLiteral("x1="), cs);
                    const float xr = numero(QStringLiteral("x2="), cs);
                    const float y0 = numero(QStringLiteral("Y="), cs);
                    const QStringList campi = cs.split(BARRA);
                    float y = y0;
                    for (int r = 1; r <= n; ++r) {
                        y += a;
                        if (orizzontali)
                            j.stampaLinea(lineaSpec(xl, y, xr, y, col, tipo, spes), Attivo);
                        if (r < n) {
                            QString riga = QString(BARRA);
                            for (int i = 1; i <= 3; ++i) riga += campo(campi, i) + BARRA;
                            riga += QStringLiteral("Y=") + vb::CStr(y) + BARRA;
                            for (int i = 5; i <= 16; ++i) riga += campo(campi, i) + BARRA;
                            stampaCampoColonna(j, riga, Attivo);
                        }
                    }
                    if (verticali) {
                        for (int r = 1; r <= n; ++r) {
                            const float ya = y0 + (r - 1) * a;
                            const float yb = y0 + r * a;
                            j.stampaLinea(lineaSpec(xl, ya, xl, yb, col, tipo, spes), Attivo);
                            j.stampaLinea(lineaSpec(xr, ya, xr, yb, col, tipo, spes), Attivo);
                        }
                    }
                }
            });
}

void stampaRiepilogoIVA(clsModStampa& j, const QString& Specifica, const QString& ImponImpost,
                        bool Attivo) {
    const QString nome =
        ImponImpost == QLatin1String("Impon")    ? QStringLiteral("Riepilogo Imponibile IVA")
        : ImponImpost == QLatin1String("Impost") ? QStringLiteral("Riepilogo Imposta x AliquotaIVA")
                                                 : QString();
    // No replay would know what to draw for another kind: it is refused, also on paper.
    if (nome.isEmpty()) throw Errore(ErrChiamataNonValida);
    if (j.registraComando(nome, Specifica)) return;
    QString s = Specifica;
    comando(j, QStringLiteral("Errore nella Stampa del Riepilogo IVA"), s, [&] {
        s = specRiepilogo(Specifica, ImponImpost);
        j.StampaTesto(s, Attivo);
    });
}

void stampaIdCarcassa(clsModStampa& j, const QString& IdCarcassa, const QString& Specifica,
                      bool Attivo) {
    if (j.registraComando(QStringLiteral("IdCarcassa"), Specifica)) return;
    QString s = Specifica;
    comando(j, QStringLiteral("Errore nella Stampa dell'IdCarcassa"), s, [&] {
        s = specIdCarcassa(IdCarcassa, Specifica);
        j.StampaTesto(s, Attivo);
    });
}

void stampaRigoDDTMac(clsModStampa& j, const QString& Specifica, bool Attivo) {
    if (j.registraComando(QStringLiteral("Rigo DDTMac"), Specifica)) return;
    QString s = Specifica;
    comando(j, QStringLiteral("Errore nella Stampa del Rigo DDT"), s, [&] {
        s = specRigo(Specifica);
        j.StampaTesto(s, Attivo);
    });
}

void stampaArrayEtichette(clsModStampa& j, const QString& Specifica, bool Attivo) {
    const ClsPagina& pagina = paginaMostrata(j);
    if (j.registraComando(QStringLiteral("Array Etichette"), Specifica)) return;
    QString nomeObj, specObj;
    try {
        const int nx = std::max<int>(1, intero16(QStringLiteral("NX="), Specifica));
        const float dx = std::max(0.0f, numero(QStringLiteral("DX="), Specifica));
        const int ny = std::max<int>(1, intero16(QStringLiteral("NY="), Specifica));
        const float dy = std::max(0.0f, numero(QStringLiteral("DY="), Specifica));
        if (nx * ny > kMaxEtichette) throw Errore(ErrOverflow);
        const QList<ComandoPtr> comandi = pagina.Comandi();
        for (const ComandoPtr& c : comandi) {
            nomeObj = c->NomeComando;
            specObj = c->StringaComando;
            const int e = puntiDaSpostare(c);
            if (e <= 0) continue;
            std::vector<QString> xs(e + 1), ys(e + 1);
            std::vector<float> xv(e + 1), yv(e + 1);
            for (int k = 1; k <= e; ++k) {
                xs[k] = valore(QStringLiteral("x%1=").arg(k), specObj);
                ys[k] = valore(QStringLiteral("y%1=").arg(k), specObj);
                xv[k] = comeNumero(xs[k]);
                yv[k] = comeNumero(ys[k]);
            }
            for (int i = 1; i <= nx; ++i) {
                for (int jj = 1; jj <= ny; ++jj) {
                    QString s = c->StringaComando;
                    for (int k = 1; k <= e; ++k) {
                        const QString kx = QStringLiteral("x%1=").arg(k);
                        const QString ky = QStringLiteral("y%1=").arg(k);
                        s.replace(kx + xs[k], kx + fisso2(xv[k] + (i - 1) * dx));
                        s.replace(ky + ys[k], ky + fisso2(yv[k] + (jj - 1) * dy));
                    }
                    specObj = s;
                    disegnaOggetto(j, nomeObj, s, Attivo);
                }
            }
        }
    } catch (...) {
        mostra(j, QStringLiteral("Errore nella Stampa degli Oggetti Array") + LF +
                      descrizione(std::current_exception()) + LF + QStringLiteral("Oggetto: ") +
                      nomeObj + LF + QStringLiteral("Specifica di Stampa:") + LF + specObj);
    }
}

void stampaCodBarre(clsModStampa& j, const QString& Specifica, bool Attivo) {
    if (j.registraComando(QStringLiteral("Codice a Barre"), Specifica)) return;
    comando(j, QStringLiteral("Errore nella Stampa del Codice a Barre."), Specifica, [&] {
        const QString codice = codiceStampato(Specifica);
        if (numero(QStringLiteral("Altezza="), Specifica) <= 0) return;
        // The first occurrence of a key wins: the encoded string, whole.
        const QString s = QStringLiteral("|Testo=") + codice + QStringLiteral("|NCar=0") +
                          (Specifica.startsWith(BARRA) ? Specifica : BARRA + Specifica);
        SenzaFattoreTesto senzaFc(j);
        j.StampaTesto(s, Attivo);
    });
}

QString testoStampato(const QString& o, const QString& s) {
    auto oppure = [](const std::function<QString()>& f) {
        try {
            return f();
        } catch (...) {
            return QString();
        }
    };
    return oppure([&]() -> QString {
        QString r;
        if (o.startsWith(QLatin1String("Campo Colonna"))) {
            r = s;
            riscriviColonna(r);
        } else if (o.startsWith(QLatin1String("Campo"))) {
            r = specCampo(s);
        } else if (!tipoRiepilogo(o).isEmpty()) {
            r = specRiepilogo(s, tipoRiepilogo(o));
        } else if (vb::Trim(o) == QLatin1String("Rigo DDTMac")) {
            r = specRigo(s);
        } else if (vb::Trim(o) == QLatin1String("IdCarcassa")) {
            r = specIdCarcassa(QStringLiteral("IdCarcassa"), s);
        } else if (o == QLatin1String("Codice a Barre")) {
            return codiceStampato(s);
        } else {
            return QString();
        }
        QString t = valore(QStringLiteral("Testo="), r);
        const int16_t n = intero16(QStringLiteral("NCar="), r);
        return n > 0 ? t.left(n) : t;
    });
}

QSizeF misuraTestoStampato(const QString& o, const QString& s) {
    const QString t = testoStampato(o, s);
    if (t.isEmpty() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QSizeF();
    try {
        const float punti = numero(QStringLiteral("Altezza="), s);
        if (!(punti > 0)) return QSizeF();
        QFont f(valore(QStringLiteral("Carattere="), s));
        // A large em keeps the metrics' rounding out of the result.
        constexpr int em = 1000;
        f.setPixelSize(em);
        f.setBold(booleano(QStringLiteral("Grassetto="), s));
        f.setItalic(booleano(QStringLiteral("Corsivo="), s));
        const QFontMetricsF m(f);
        const double mmPerEm = punti * 25.4 / 72.0;
        return QSizeF(m.horizontalAdvance(t) / em * mmPerEm, m.height() / em * mmPerEm);
    } catch (...) {
        return QSizeF();
    }
}

}  // namespace velmora::campi
