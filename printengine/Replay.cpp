// Replays of recorded pages on the printer and on the window's page picture,
// the dispatch of a recorded command by its name, and the surface the drawing
// commands draw on.

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

#include "Errore.h"
#include "Printer.h"
#include "Prompter.h"
#include "Registry.h"
#include "StampaCampi.h"
#include "Surface.h"
#include "clsModStampa.h"

namespace velmora {

using namespace com;

namespace {

const QChar LF = QLatin1Char('\n');

// The hourglass while a page is drawn; only where there is a screen to show it.
class Clessidra {
public:
    Clessidra() : attiva(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (attiva) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~Clessidra() {
        if (attiva) QGuiApplication::restoreOverrideCursor();
    }
    Clessidra(const Clessidra&) = delete;
    Clessidra& operator=(const Clessidra&) = delete;

private:
    bool attiva;
};

// Millimetres of paper whatever the zoom: the picture's scale is divided by it.
void scalaPagina(platform::Surface& s, float fattoreScala) {
    s.setScaleMode(platform::vbMillimeters);
    if (fattoreScala > 0 && fattoreScala != 1) {
        s.setScaleWidth(s.scaleWidth() / fattoreScala);
        s.setScaleHeight(s.scaleHeight() / fattoreScala);
    }
}

// The grids of a page are laid out from the page being replayed, also when the
// window shows another one (printing all pages, rendering on the command line).
class PaginaInReplay {
public:
    PaginaInReplay(JobState& s, int32_t n) : stato(s), pagina(n), prima(s.nPagCorr) {
        stato.nPagCorr = n;
    }
    ~PaginaInReplay() {
        // The window may have moved to another page meanwhile: that one stays.
        if (stato.nPagCorr == pagina) stato.nPagCorr = prima;
    }
    PaginaInReplay(const PaginaInReplay&) = delete;
    PaginaInReplay& operator=(const PaginaInReplay&) = delete;

private:
    JobState& stato;
    int32_t pagina;
    int32_t prima;
};

}  // namespace

platform::Surface& clsModStampa::superficieStampante() {
    platform::PainterSurface& s = *superficieStampante_;
    // Paper, orientation and resolution may change between two documents (they are
    // refused while one is printing), so the device is read again at each use.
    gdi::DeviceGeometry g;
    g.dpiX = g.dpiY = stampante->resolution() > 0 ? stampante->resolution() : 96;
    const QRect area = stampante->printableAreaPixels();
    const QSize foglio = stampante->pageSizePixels();
    g.width = area.width();
    g.height = area.height();
    g.physicalWidth = foglio.width();
    g.physicalHeight = foglio.height();
    g.physicalOffsetX = area.x();
    g.physicalOffsetY = area.y();
    const gdi::DeviceGeometry& o = s.geometry();
    const bool nuova = s.scaleMode() == platform::vbTwips && o.width == 0;
    if (nuova || o.dpiX != g.dpiX || o.dpiY != g.dpiY || o.width != g.width ||
        o.height != g.height || o.physicalWidth != g.physicalWidth ||
        o.physicalHeight != g.physicalHeight || o.physicalOffsetX != g.physicalOffsetX ||
        o.physicalOffsetY != g.physicalOffsetY) {
        platform::Printer* p = stampante.get();
        s.attachSource([p] { return p->painter(); }, g);
        if (nuova) s.setScaleMode(platform::vbMillimeters);
    }
    return s;
}

bool clsModStampa::suStampante() const {
    return OutputStampa && superficieStampante_ &&
           OutputStampa->hDC() == superficieStampante_->hDC();
}

platform::Surface& clsModStampa::uscita() {
    if (!OutputStampa || suStampante()) return superficieStampante();
    return *OutputStampa;
}

void clsModStampa::eseguiComando(const QString& nome, const QString& spec, bool attivo) {
    if (nome == QLatin1String("Testo") || nome == QLatin1String("Data Stampa"))
        StampaTesto(spec, attivo);
    else if (nome == QLatin1String("Linea"))
        stampaLinea(spec, attivo);
    else if (nome == QLatin1String("Polilinea"))
        stampaPolilinea(spec, attivo);
    else if (nome == QLatin1String("Superficie"))
        stampaSuperficie(spec, attivo);
    else if (nome == QLatin1String("Rettangolo"))
        StampaRettangolo(spec, attivo);
    else if (nome == QLatin1String("Cerchio"))
        stampacerchio(spec, attivo);
    else if (nome == QLatin1String("Arco"))
        stampaarco(spec, attivo);
    else if (nome == QLatin1String("Testo Esteso"))
        StampaMemo(spec, attivo);
    else if (nome == QLatin1String("Immagine"))
        StampaImmagine(spec, attivo);
    else if (nome != nomeNewPage())
        // Model objects and fields; names nobody knows are ignored there. A grid
        // without a page shown fails here, for the replay to report.
        campi::stampaObjModel(*this, nome, spec, attivo);
}

void clsModStampa::dopoReplay() {
    registra = true;
    OutputStampa = condiviso.PicPrinter ? condiviso.PicPrinter : &superficieStampante();
}

void clsModStampa::StampaPagina(int32_t n) {
    registra = false;
    OutputStampa = &superficieStampante();
    int posizione = 0;
    try {
        if (!pagine || n < 1 || n > pagine->size()) throw Errore(ErrIndice);
        PaginaInReplay inReplay(condiviso, n);
        // A copy: events run between two commands and may change the page.
        const QList<ComandoPtr> comandi = (*pagine)[n - 1]->Comandi();
        for (const ComandoPtr& c : comandi) {
            ++posizione;
            QCoreApplication::processEvents();
            try {
                eseguiComando(c->NomeComando, c->StringaComando, true);
            } catch (const Errore& e) {
                // One failing command does not cost the rest of the page.
                servizi.prompter->message(QStringLiteral("Errore N.") +
                                              QString::number(e.numero()) + QStringLiteral("- ") +
                                              e.descrizione() + QStringLiteral(" Linea errore ") +
                                              QString::number(posizione) + LF,
                                          platform::vbCritical, QStringLiteral("Stampa Pagina"));
            }
        }
    } catch (const Errore& e) {
        servizi.prompter->message(QStringLiteral("Errore N.") + QString::number(e.numero()) +
                                      QStringLiteral("- ") + e.descrizione() + LF,
                                  platform::vbCritical, QStringLiteral("Stampa Pagina"));
    } catch (const std::exception& e) {
        servizi.prompter->message(QStringLiteral("Errore N.") + QString::number(ErrStampante) +
                                      QStringLiteral("- ") + QString::fromUtf8(e.what()) + LF,
                                  platform::vbCritical, QStringLiteral("Stampa Pagina"));
    }
    dopoReplay();
}

void clsModStampa::VisualizzaPaginaAnteprima(int32_t n) {
    Clessidra clessidra;
    platform::Surface* pic = condiviso.PicPrinter;
    const QString titolo = QStringLiteral("clsModStampa.VisualizzaPaginaAnteprima");
    auto riporta = [&](int numero, const QString& descr) {
        if (pic) pic->setScaleMode(platform::vbMillimeters);
        UltimoErrore = 0;
        servizi.prompter->message(QString::number(numero) + QStringLiteral("- ") + descr,
                                  platform::vbCritical, titolo);
    };
    if (!pic) {
        registra = true;
        riporta(ErrOggetto, descrizioneErrore(ErrOggetto));
        return;
    }
    OutputStampa = pic;
    int posizione = 0;
    try {
        scalaPagina(*pic, condiviso.FattoreScala);
        registra = false;
        if (!pagine || n < 1 || n > pagine->size()) throw Errore(ErrIndice);
        PaginaInReplay inReplay(condiviso, n);
        const QList<ComandoPtr> comandi = (*pagine)[n - 1]->Comandi();
        for (const ComandoPtr& c : comandi) {
            ++posizione;
            try {
                eseguiComando(c->NomeComando, c->StringaComando, true);
            } catch (const Errore& e) {
                riporta(e.numero(), e.descrizione() + QStringLiteral(" Linea errore ") +
                                        QString::number(posizione));
                scalaPagina(*pic, condiviso.FattoreScala);
            }
        }
        registra = true;
    } catch (const Errore& e) {
        registra = true;
        riporta(e.numero(), e.descrizione());
    } catch (const std::exception& e) {
        registra = true;
        riporta(ErrValoreProprieta, QString::fromUtf8(e.what()));
    }
}

void clsModStampa::Pic_VisualizzaOggetto(const QString& Tipo, const QString& Specifica,
                                         bool TipoVis) {
    platform::Surface* pic = condiviso.PicPrinter;
    if (!pic) throw Errore(ErrOggetto);
    OutputStampa = pic;
    try {
        scalaPagina(*pic, condiviso.FattoreScala);
        registra = false;
        eseguiComando(Tipo, Specifica, TipoVis);
    } catch (...) {
        registra = true;
        throw;
    }
    registra = true;
}

HRESULT clsModStampa::Pic_VisualizzaOggetto(BSTR* Tipo, BSTR* Specifica, VARIANT_BOOL* TipoVis) {
    if (!TipoVis) return E_POINTER;
    try {
        Pic_VisualizzaOggetto(Tipo ? fromBstr(*Tipo) : QString(),
                              Specifica ? fromBstr(*Specifica) : QString(), *TipoVis != 0);
        return S_OK;
    } catch (const Errore& e) {
        return hresultFromErrorNumber(e.numero());
    } catch (const std::exception&) {
        return E_FAIL;
    }
}

}  // namespace velmora
