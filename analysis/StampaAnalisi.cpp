#include "StampaAnalisi.h"

#include <QCursor>
#include <QGuiApplication>

#include "DatiAnalisi.h"
#include "IUscitaStampa.h"
#include "PrintLayout.h"
#include "Prompter.h"
#include "_clsModStampa.h"

using namespace com;

namespace {

// A string argument passed by reference, freed when it goes.
class Bstr {
public:
    explicit Bstr(const QString& s)
        : b(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.utf16()), s.size())) {}
    ~Bstr() { SysFreeString(b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* operator&() { return &b; }

private:
    BSTR b;
};

class Hourglass {
public:
    Hourglass() : gui(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (gui) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Hourglass() {
        if (gui) QGuiApplication::restoreOverrideCursor();
    }

private:
    bool gui;
};

}  // namespace

QString descrizioneErroreStampa(long hr) {
    const auto code = static_cast<uint32_t>(hr);
    switch (code) {
        case static_cast<uint32_t>(REGDB_E_CLASSNOTREG):
        case static_cast<uint32_t>(CLASS_E_CLASSNOTAVAILABLE):
            return QStringLiteral("Il componente ActiveX non può creare l'oggetto");
        case static_cast<uint32_t>(E_NOINTERFACE):
            return QStringLiteral("Interfaccia non supportata");
        case static_cast<uint32_t>(E_OUTOFMEMORY):
            return QStringLiteral("Memoria esaurita");
        case static_cast<uint32_t>(E_INVALIDARG):
            return QStringLiteral("Argomento non valido");
        case static_cast<uint32_t>(E_NOTIMPL):
            return QStringLiteral("Funzione non disponibile");
        default:
            break;
    }
    if ((code & 0xFFFF0000u) == 0x800A0000u)
        return QStringLiteral("Errore %1 nella libreria di stampa").arg(code & 0xFFFF);
    return QStringLiteral("Errore nella libreria di stampa (0x%1)")
        .arg(code, 8, 16, QLatin1Char('0'))
        .toUpper();
}

QString StampaAnalisi(const DatiAnalisi& d, platform::Prompter& prompter,
                      const OpzioniStampa& opzioni) {
    Hourglass hourglass;
    HRESULT last = S_OK;
    auto step = [&](HRESULT hr) {
        if (FAILED(hr)) last = hr;
    };

    velmora::_clsModStampa* job = nullptr;
    step(CoCreateInstance(velmora::CLSID_clsModStampa, nullptr, CLSCTX_INPROC_SERVER,
                          velmora::IID__clsModStampa, reinterpret_cast<void**>(&job)));
    if (!job) {
        // Every call would fail: say so once and print nothing.
        const QString why = descrizioneErroreStampa(last);
        prompter.message(why, platform::vbCritical);
        return why;
    }

    VARIANT_BOOL anteprima = opzioni.anteprima ? VARIANT_TRUE : VARIANT_FALSE;
    step(job->put_Anteprima(&anteprima));
    if (!opzioni.stampante.isEmpty() || !opzioni.fileUscita.isEmpty()) {
        velmora::IUscitaStampa* uscita = nullptr;
        step(job->QueryInterface(velmora::IID_IUscitaStampa, reinterpret_cast<void**>(&uscita)));
        if (uscita) {
            if (!opzioni.stampante.isEmpty()) {
                Bstr nome(opzioni.stampante);
                VARIANT_BOOL trovata = VARIANT_FALSE;
                step(uscita->SelezionaStampante(&nome, &trovata));
                if (!trovata) last = E_INVALIDARG;
            }
            if (!opzioni.fileUscita.isEmpty()) {
                Bstr percorso(opzioni.fileUscita);
                step(uscita->put_FileUscita(&percorso));
            }
            uscita->Release();
        }
    }
    {
        Bstr software(QStringLiteral("Software: ") + QStringLiteral("Tessaro"));
        step(job->put_NomeSoftware(&software));
        Bstr tipo(QStringLiteral("Analisi dei Carichi D.M. 14/01/2008"));
        step(job->put_TipoDocumento(&tipo));
        Bstr nome(QStringLiteral("Senza Nome"));
        step(job->put_NomeDocumento(&nome));
        velmora::OrientamentoDelFoglio verticale = velmora::Verticale;
        step(job->put_Orientation(&verticale));
    }

    VARIANT_BOOL attivo = VARIANT_TRUE;
    for (const PrintLine& line : buildPrintLines(d)) {
        Bstr specifica(line.specifica());
        step(job->StampaTesto(&specifica, &attivo));
    }

    QString why;
    if (FAILED(last)) {
        why = descrizioneErroreStampa(last);
        prompter.message(why, platform::vbCritical);
    }
    const HRESULT end = job->EndDoc();
    if (FAILED(end) && why.isEmpty()) why = descrizioneErroreStampa(end);
    job->Release();
    return why;
}
