// Text commands of the job: one line of text, a text wrapped to a width, the
// wrapping routine, text measuring and the printer's text-size factor.

#include "Errore.h"
#include "Prompter.h"
#include "Registry.h"
#include "SettingsStore.h"
#include "Surface.h"
#include "ValoriComando.h"
#include "VbConv.h"
#include "clsModStampa.h"
#include "testo.h"

namespace velmora {

using namespace com;

namespace {

const QChar LF = QLatin1Char('\n');
const QChar CR = QLatin1Char('\r');
constexpr int32_t VerdeChiaro = 65280;
constexpr int32_t Grigio = 8421504;

QString str(BSTR* b) {
    return b ? fromBstr(*b) : QString();
}

int16_t vbBool(bool b) {
    return b ? -1 : 0;
}

HRESULT esito(const std::function<void()>& f) {
    try {
        f();
        return S_OK;
    } catch (const Errore& e) {
        return hresultFromErrorNumber(e.numero());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace

// --- Shared by every drawing command ---------------------------------------------

void clsModStampa::preambolo(platform::Surface& s) {
    // The point at the page origin only moves the current position: a dot there
    // would show on every page.
    s.setCurrentX(0);
    s.setCurrentY(0);
}

void clsModStampa::erroreComando(const QString& riga, const QString& descr,
                                 const QString& Specifica) {
    servizi.prompter->beep();
    servizi.prompter->message(
        riga + LF + descr + LF + QStringLiteral("Specifica di Stampa:") + LF + Specifica,
        platform::vbOKOnly, titoloLibreria());
}

void clsModStampa::comando(const QString& riga, const QString& Specifica,
                           const std::function<void()>& f) {
    try {
        f();
    } catch (const Errore& e) {
        erroreComando(riga, e.descrizione(), Specifica);
    } catch (const std::bad_alloc&) {
        erroreComando(riga, descrizioneErrore(ErrMemoria), Specifica);
    } catch (const std::exception& e) {
        erroreComando(riga, QString::fromUtf8(e.what()), Specifica);
    }
}

// --- Text ------------------------------------------------------------------------------

void clsModStampa::StampaTesto(const QString& Specifica, bool Attivo) {
    if (registraComando(QStringLiteral("Testo"), Specifica)) return;
    comando(QStringLiteral("Errore nella Stampa del Testo."), Specifica, [&] {
        using namespace specifica;
        platform::Surface& s = uscita();
        preambolo(s);
        const float altezza = numero(QStringLiteral("Altezza="), Specifica);
        const float x = numero(QStringLiteral("x1="), Specifica);
        const float y = numero(QStringLiteral("y1="), Specifica);
        const int16_t nCar = intero16(QStringLiteral("NCar="), Specifica);
        QString t = testo(QStringLiteral("Testo="), Specifica);
        if (nCar > 0) t = t.left(nCar);
        if (altezza <= 0 || vb::Trim(t).isEmpty()) return;

        ::testo o;
        o.DC = s.hDC();
        o.setAng_testo(intero32(QStringLiteral("Angolo="), Specifica));
        o.barrato_testo = vbBool(booleano(QStringLiteral("Barrato="), Specifica));
        o.bold_testo = vbBool(booleano(QStringLiteral("Grassetto="), Specifica));
        o.setCarattere_testo(testo(QStringLiteral("Carattere="), Specifica));
        o.colore_testo = colore(QStringLiteral("Col="), Specifica);
        if (!Attivo) o.colore_testo = o.colore_testo == VerdeChiaro ? Grigio : VerdeChiaro;
        o.corsivo_testo = vbBool(booleano(QStringLiteral("Corsivo="), Specifica));
        o.colore_opaco_testo = colore(QStringLiteral("ColoreOpaco="), Specifica);
        o.opaco_testo = vbBool(booleano(QStringLiteral("Opaco="), Specifica));
        o.sottolineato_testo = vbBool(booleano(QStringLiteral("Sottolineato="), Specifica));
        o.stringa_testo = t;
        o.dimens_testo =
            suStampante()
                ? platform::printerTextHeight(altezza, fc, s.twipsPerPixelY())
                : platform::pictureTextHeight(altezza, condiviso.FattoreScala, s.twipsPerPixelY());
        o.pos_testox = float(s.toPixelsX(x));
        o.pos_testoy = float(s.toPixelsY(y));
        s.setForeColor(gdi::COLORREF(o.colore_testo));
        s.setFontBold(o.bold_testo != 0);
        o.dis_testo();
    });
}

void clsModStampa::StampaMemo(const QString& Specifica, bool Attivo) {
    using namespace specifica;
    const qsizetype inizio = Specifica.indexOf(QLatin1String("|Carattere="));
    if (inizio < 0) throw Errore(ErrChiamataNonValida);
    const QString coda = Specifica.mid(inizio);
    const QString t = testo(QStringLiteral("Testo="), Specifica);
    const float x = numero(QStringLiteral("x1="), Specifica);
    float y = numero(QStringLiteral("y1="), Specifica);
    const int16_t n = intero16(QStringLiteral("NCar="), Specifica);
    const float passo = numero(QStringLiteral("Interlinea="), Specifica);
    if (n <= 0) return;

    auto riga = [&](const QString& r) {
        StampaTesto(QStringLiteral("|Testo=") + r + QStringLiteral("|x1=") + dueDecimali(x) +
                        QStringLiteral("|y1=") + dueDecimali(y) + coda,
                    Attivo);
        y += passo;
    };
    if (t.size() < n && !t.contains(CR)) {
        riga(t);
        return;
    }
    for (int16_t i = 1;; ++i) {
        const QString r = estraiRigaDescr(i, t, n);
        if (r.isEmpty()) break;
        riga(r);
        const double fondo = uscita().scaleHeight();
        if (y + passo > fondo) {
            StampaTesto(QStringLiteral("|Testo=Rimanente Testo oltre la pagina.|x1=100|y1=") +
                            dueDecimali(fondo) +
                            QStringLiteral(
                                "|Carattere=Courier New|Altezza=8|Col=0|Angolo=0|Grassetto=False|"
                                "Sottolineato=False|Barrato=False|Corsivo=False|Opaco=True|"
                                "ColoreOpaco=") +
                            QString::number(VerdeChiaro) + QStringLiteral("|NCar=0|"),
                        Attivo);
            break;
        }
        if (i == std::numeric_limits<int16_t>::max()) break;
    }
}

QString clsModStampa::estraiRigaDescr(int16_t& nn, const QString& descrizione, int16_t nCar) {
    // Without a width no line can be cut: the text has no lines.
    if (nCar <= 0) {
        nn = 0;
        return QString();
    }
    const int a = nCar > 10 ? nCar - 10 : (nCar >= 9 ? nCar - 4 : nCar - 2);
    QString resto = descrizione;
    QString riga;
    int k = 0;
    for (;;) {
        if (resto.isEmpty()) {
            nn = 0;
            return QString();
        }
        const QString pezzo = resto.left(nCar);
        const qsizetype p = pezzo.indexOf(CR) + 1;
        if (p > 0) {
            riga = p == 1 ? QStringLiteral(" ") : pezzo.left(p - 1);
            resto = resto.mid(p);
        } else {
            const bool serveSpazio = resto.size() > nCar && resto.at(nCar) != QLatin1Char(' ');
            if (!serveSpazio) {
                riga = pezzo;
                resto = resto.mid(nCar + 1);
            } else {
                const qsizetype s = pezzo.lastIndexOf(QLatin1Char(' ')) + 1;
                if (s <= a) {
                    riga = pezzo;
                    resto = resto.mid(nCar);
                } else {
                    riga = pezzo.left(s - 1);
                    resto = resto.mid(s);
                }
            }
        }
        if (!resto.isEmpty()) {
            if (resto.startsWith(CR)) resto.remove(0, 1);
            if (resto.startsWith(LF)) resto.remove(0, 1);
        }
        ++k;
        if (k == nn) break;
    }
    riga.replace(CR, QLatin1Char(' '));
    riga.replace(LF, QLatin1Char(' '));
    return riga;
}

// The surface's own font; on the page picture at the zoom, so that the result is
// in millimetres of paper as on the printer.
float clsModStampa::TextWidth(const QString& sText) {
    platform::Surface& s = uscita();
    if (suStampante() || condiviso.FattoreScala == 1 || condiviso.FattoreScala <= 0)
        return float(s.TextWidth(sText));
    const double punti = s.fontSize();
    s.setFontSize(punti * condiviso.FattoreScala);
    const double w = s.TextWidth(sText);
    s.setFontSize(punti);
    return float(w);
}

float clsModStampa::TextHeight(const QString& sText) {
    platform::Surface& s = uscita();
    if (suStampante() || condiviso.FattoreScala == 1 || condiviso.FattoreScala <= 0)
        return float(s.TextHeight(sText));
    const double punti = s.fontSize();
    s.setFontSize(punti * condiviso.FattoreScala);
    const double h = s.TextHeight(sText);
    s.setFontSize(punti);
    return float(h);
}

float clsModStampa::PercText() const {
    const QString t = servizi.settings->get(titoloLibreria(), QStringLiteral("FattoreStampa"),
                                            QStringLiteral("Testo"), QStringLiteral("1"));
    return specifica::comeNumero(t);
}

void clsModStampa::setPercText(float valore) {
    if (!(valore > 0 && valore <= 1)) valore = 1;
    servizi.settings->save(titoloLibreria(), QStringLiteral("FattoreStampa"),
                           QStringLiteral("Testo"), vb::CStr(valore));
}

void clsModStampa::setFc(float valore) {
    fc = (valore > 0 && valore <= 1) ? valore : 1.0f;
}

// --- Component face --------------------------------------------------------------------

HRESULT clsModStampa::StampaTesto(BSTR* Specifica, VARIANT_BOOL* Attivo) {
    if (!Attivo) return E_POINTER;
    return esito([&] { StampaTesto(str(Specifica), *Attivo != 0); });
}

HRESULT clsModStampa::StampaMemo(BSTR* Specifica, VARIANT_BOOL* Attivo) {
    if (!Attivo) return E_POINTER;
    return esito([&] { StampaMemo(str(Specifica), *Attivo != 0); });
}

HRESULT clsModStampa::estraiRigaDescr(int16_t* nn, BSTR* descrizione, int16_t* nCar, BSTR* result) {
    if (!nn || !nCar || !result) return E_POINTER;
    return esito([&] { *result = toBstr(estraiRigaDescr(*nn, str(descrizione), *nCar)); });
}

HRESULT clsModStampa::TextWidth(BSTR* sText, float* result) {
    if (!result) return E_POINTER;
    return esito([&] { *result = TextWidth(str(sText)); });
}

HRESULT clsModStampa::TextHeight(BSTR* sText, float* result) {
    if (!result) return E_POINTER;
    return esito([&] { *result = TextHeight(str(sText)); });
}

HRESULT clsModStampa::put_PercText(float* value) {
    if (!value) return E_POINTER;
    return esito([&] { setPercText(*value); });
}

HRESULT clsModStampa::get_PercText(float* result) {
    if (!result) return E_POINTER;
    return esito([&] { *result = PercText(); });
}

HRESULT clsModStampa::get_fc(float* result) {
    if (!result) return E_POINTER;
    *result = fc;
    return S_OK;
}

HRESULT clsModStampa::put_fc(float value) {
    setFc(value);
    return S_OK;
}

}  // namespace velmora
