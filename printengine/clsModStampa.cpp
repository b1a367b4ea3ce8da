#include "clsModStampa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>

#include <limits>

#include "BarcodeFont.h"
#include "Errore.h"
#include "ModelloStampa.h"
#include "Printer.h"
#include "Prompter.h"
#include "Registry.h"
#include "SettingsStore.h"
#include "Surface.h"
#include "ValoriComando.h"
#include "VbConv.h"

namespace velmora {

using namespace com;
using platform::vbCritical;
using platform::vbOKOnly;

namespace {
std::atomic<long> oggetti{0};

const QChar LF = QLatin1Char('\n');
const QString CRLF = QStringLiteral("\r\n");

// A number with the leading blank of non-negative values.
QString conSpazio(long long n) {
    return n >= 0 ? QLatin1Char(' ') + QString::number(n) : QString::number(n);
}

QString testoErrore(int n, const QString& descr) {
    return QStringLiteral("Errore N.") + conSpazio(n) + LF + descr;
}

template <typename F>
HRESULT protetto(F&& f) {
    try {
        return f();
    } catch (const Errore& e) {
        return hresultFromErrorNumber(e.numero());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

QString str(BSTR* b) {
    return b ? fromBstr(*b) : QString();
}

// Writes a text back into a by-reference string argument.
void scriviBstr(BSTR* b, const QString& s) {
    if (!b) return;
    SysFreeString(*b);
    *b = toBstr(s);
}

VARIANT_BOOL vbool(bool b) {
    return b ? VARIANT_TRUE : VARIANT_FALSE;
}
}  // namespace

QString titoloLibreria() {
    return QStringLiteral("Velmora");
}

void HeadlessPreviewWindow::Init(clsModStampa* engine) {
    job = engine;
    calls << QStringLiteral("Init");
}
void HeadlessPreviewWindow::ShowFirstPage() {
    calls << QStringLiteral("ShowFirstPage");
    if (job) job->stato().nPagCorr = job->PagineTotAnteprima() > 0 ? 1 : 0;
}
void HeadlessPreviewWindow::ImpostaForm() {
    calls << QStringLiteral("ImpostaForm");
}
void HeadlessPreviewWindow::VisualizzaPagina() {
    calls << QStringLiteral("VisualizzaPagina");
}
void HeadlessPreviewWindow::showModal() {
    calls << QStringLiteral("showModal");
    if (whileShown && job) whileShown(*job);
}

clsModStampa::clsModStampa() : clsModStampa(Servizi{}) {}

clsModStampa::clsModStampa(Servizi s) : servizi(std::move(s)) {
    ++oggetti;
    // Models naming the barcode font draw with the library's own.
    BarcodeFont::registerFont();
    if (!servizi.prompter) {
        prompterProprio = std::make_unique<platform::ConsolePrompter>();
        servizi.prompter = prompterProprio.get();
    }
    if (!servizi.settings) servizi.settings = &platform::userSettings();
    if (!servizi.dialogs) {
        dialogsPropri = std::make_unique<HeadlessPrinterDialogs>();
        servizi.dialogs = dialogsPropri.get();
    }
    if (!servizi.window) servizi.window = [] { return std::make_unique<HeadlessPreviewWindow>(); };
    stampante = std::make_unique<platform::Printer>(servizi.printerName);
    superficieStampante_ = std::make_unique<platform::PainterSurface>();
    OutputStampa = &superficieStampante();
    try {
        getPrinterOffsets();
        caricaPercText();
    } catch (const Errore& e) {
        erroreCiclo(QStringLiteral("Errore nell'inizializzazione della Stampante"), e.numero(),
                    e.descrizione());
    }
}

clsModStampa::~clsModStampa() {
    --oggetti;
}

long clsModStampa::oggettiVivi() {
    return oggetti.load();
}

void clsModStampa::caricaPercText() {
    QString t = servizi.settings->get(titoloLibreria(), QStringLiteral("FattoreStampa"),
                                      QStringLiteral("Testo"), QStringLiteral("1"));
    float v = specifica::comeNumero(t);
    fc = (v > 0 && v <= 1) ? v : 1.0f;
}

void clsModStampa::erroreCiclo(const QString& titolo, int numero, const QString& descr) {
    servizi.prompter->message(testoErrore(numero, descr), vbCritical, titolo);
}

// --- Job, pages and commands ---------------------------------------------------

void clsModStampa::setAnteprima(bool valore) {
    try {
        if (valore) {
            pagine = std::make_unique<QList<PaginaPtr>>();
            paginaCorrente = std::make_shared<ClsPagina>();
            DocumentoInAnteprima = true;
        } else {
            pagine.reset();
            paginaCorrente.reset();
            condiviso.PicPrinter = nullptr;
            OutputStampa = &superficieStampante();
            OutputStampa->setScaleMode(platform::vbMillimeters);
            DocumentoInAnteprima = false;
        }
        registra = valore;
    } catch (const std::bad_alloc&) {
        erroreCiclo(valore ? QStringLiteral("Errore nella creazione dell'Anteprima di Stampa")
                           : QStringLiteral("Errore nella Stampa del documento"),
                    ErrMemoria, descrizioneErrore(ErrMemoria));
    }
    UltimoErrore = 0;
}

bool clsModStampa::AggiungiClasseComando(const QString& TipoComando, const QString& VarComand) {
    if (!registra) return false;
    try {
        ClsPagina* target = nullptr;
        const int32_t n = condiviso.nPagCorr;
        if (n >= 1) {
            if (!pagine || n > pagine->size()) throw Errore(ErrIndice);
            target = (*pagine)[n - 1].get();
        } else {
            if (!paginaCorrente) throw Errore(ErrOggetto);
            target = paginaCorrente.get();
        }
        target->Comandi().append(std::make_shared<ClsComandi>(TipoComando, VarComand));
        return true;
    } catch (const Errore& e) {
        servizi.prompter->message(
            QStringLiteral("Errore nella registrazione del Comando di stampa:") + LF + TipoComando +
                LF + VarComand + LF + LF + testoErrore(e.numero(), e.descrizione()),
            vbCritical,
            QStringLiteral("Function Aggiungi Comando - Pag.") + conSpazio(condiviso.nPagCorr));
        return false;
    }
}

bool clsModStampa::registraComando(const QString& nome, const QString& spec) {
    if (!registra) return false;
    AggiungiClasseComando(nome, spec);
    return true;
}

void clsModStampa::newPage() {
    if (registra) {
        if (!paginaCorrente || !pagine) throw Errore(ErrOggetto);
        paginaCorrente->Comandi().append(std::make_shared<ClsComandi>(nomeNewPage(), QString()));
        pagine->append(paginaCorrente);
        paginaCorrente = std::make_shared<ClsPagina>();
    } else if (!DocumentoInAnteprima) {
        if (!stampante->newPage())
            throw Errore(ErrStampante, stampante->lastError().isEmpty()
                                           ? descrizioneErrore(ErrStampante)
                                           : stampante->lastError());
    }
}

void clsModStampa::aggiungiPagina() {
    paginaCorrente = std::make_shared<ClsPagina>();
    registra = true;
    newPage();
}

void clsModStampa::endDoc() {
    ErroriSoppressi = false;
    UltimoErrore = 0;
    if (!registra) {
        if (!stampante->endDoc()) {
            QString d = stampante->lastError();
            throw Errore(ErrStampante, d.isEmpty() ? descrizioneErrore(ErrStampante) : d);
        }
        return;
    }
    if (!pagine || !paginaCorrente) throw Errore(ErrOggetto);
    // A second EndDoc must not list the same page twice.
    if (pagine->isEmpty() || pagine->last() != paginaCorrente) pagine->append(paginaCorrente);
    apriFinestra(true);
}

void clsModStampa::apriFinestra(bool riempiLista) {
    std::unique_ptr<PreviewWindow> w = servizi.window();
    if (!w) throw Errore(ErrOggetto);
    w->Init(this);
    if (condiviso.PicPrinter) OutputStampa = condiviso.PicPrinter;
    if (!riempiLista && PagineTotAnteprima() == 0) aggiungiPagina();
    w->ShowFirstPage();
    w->ImpostaForm();
    if (riempiLista) RiempiListaDB();
    w->showModal();
    // The window is gone: nothing is shown any more.
    condiviso.nPagCorr = 0;
    condiviso.PicPrinter = nullptr;
    OutputStampa = &superficieStampante();
}

void clsModStampa::avviaCreaModuli() {
    if (!DocumentoInAnteprima || !pagine)
        throw Errore(ErrOggetto, QStringLiteral("Il documento non è in Anteprima di Stampa"));
    apriFinestra(false);
}

void clsModStampa::killDoc() {
    stampante->killDoc();
}

int16_t clsModStampa::Page() const {
    long long n = DocumentoInAnteprima ? PagineTotAnteprima() + 1LL : stampante->page();
    if (n > std::numeric_limits<int16_t>::max()) throw Errore(ErrOverflow);
    return static_cast<int16_t>(n);
}

int32_t clsModStampa::PagineTotAnteprima() const {
    return pagine ? static_cast<int32_t>(pagine->size()) : 0;
}

bool clsModStampa::esisteObj(const QString& Tipo) const {
    const int32_t n = condiviso.nPagCorr;
    if (!pagine || n < 1 || n > pagine->size()) return false;
    for (const ComandoPtr& c : (*pagine)[n - 1]->Comandi())
        if (c->NomeComando == Tipo) return true;
    return false;
}

void clsModStampa::RimuoviComando(const QString& Nome, const QString& Stringa) {
    const int32_t n = condiviso.nPagCorr;
    if (!pagine || n < 1 || n > pagine->size()) return;
    auto& comandi = (*pagine)[n - 1]->Comandi();
    for (qsizetype i = 0; i < comandi.size(); ++i) {
        if (comandi[i]->NomeComando == Nome && comandi[i]->StringaComando == Stringa) {
            comandi.removeAt(i);
            return;
        }
    }
}

bool clsModStampa::EliminaPaginaModello(int32_t n) {
    if (!pagine || n < 1 || n > pagine->size()) return false;
    try {
        pagine->removeAt(n - 1);
        return true;
    } catch (const std::exception&) {
        servizi.prompter->message(QStringLiteral("Errore nell'eliminazione della Pagina.") + LF +
                                      descrizioneErrore(ErrMemoria),
                                  vbOKOnly, titoloLibreria());
        return false;
    }
}

double clsModStampa::DimensionePagina(double valore, double percentuale) {
    double r = valore + valore * (percentuale - 100) / 100;
    return r >= 1 ? r : valore;
}

void clsModStampa::SegnalaErrore(int numero) {
    if (numero == 0 || ErroriSoppressi) return;
    servizi.prompter->message(QStringLiteral("Errore nella routine di stampa") + CRLF +
                                  QStringLiteral("Errore numero: ") + QString::number(numero) +
                                  CRLF + descrizioneErrore(numero),
                              vbCritical, QStringLiteral("clsModStampa"));
    UltimoErrore = numero;
    int r = servizi.prompter->message(QStringLiteral("Visualizzare ulteriori errori ?"),
                                      platform::vbYesNo | platform::vbQuestion, titoloLibreria());
    if (r == platform::vbNo) ErroriSoppressi = true;
}

void clsModStampa::setNomedir(const QString& path) {
    cartella = path;
    if (!path.isEmpty() && !QFileInfo::exists(path)) QDir().mkpath(path);  // failures ignored
}

// --- Printers ------------------------------------------------------------------

void clsModStampa::LoadComboPrinters(IListaStampanti* cmb) {
    if (!cmb) throw Errore(ErrOggetto);
    cmb->Clear();
    int32_t scelto = -1;
    for (const QString& nome : platform::Printer::availablePrinterNames()) {
        BSTR b = toBstr(nome);
        cmb->AddItem(&b);
        SysFreeString(b);
        if (nome == stampante->deviceName()) cmb->get_NewIndex(&scelto);
    }
    cmb->put_ListIndex(&scelto);
}

namespace {
// The printer a dialog is about: the system printer, or another installed one.
platform::Printer* stampantePerNome(platform::Printer& sistema, const QString& nome,
                                    std::unique_ptr<platform::Printer>& altra) {
    if (nome == sistema.deviceName()) return &sistema;
    if (!platform::Printer::availablePrinterNames().contains(nome)) throw Errore(ErrStampante);
    altra = std::make_unique<platform::Printer>(nome);
    return altra.get();
}
}  // namespace

bool clsModStampa::ShowPrinterProperties(int32_t ParentHWnd, QString& DeviceName) {
    try {
        if (DeviceName.isEmpty()) DeviceName = stampante->deviceName();
        std::unique_ptr<platform::Printer> altra;
        platform::Printer* p = stampantePerNome(*stampante, DeviceName, altra);
        return servizi.dialogs->properties(*p, ParentHWnd);
    } catch (const Errore& e) {
        SegnalaErrore(e.numero());
        return false;
    }
}

bool clsModStampa::ShowPrinterSetup(int32_t ParentHWnd, QString& DeviceName) {
    try {
        if (DeviceName.isEmpty()) DeviceName = stampante->deviceName();
        std::unique_ptr<platform::Printer> altra;
        platform::Printer* p = stampantePerNome(*stampante, DeviceName, altra);
        std::optional<ImpostazioniDocumento> scelta =
            servizi.dialogs->documentSetup(*p, ParentHWnd);
        if (!scelta) return false;
        // Copied in this order; a value the system printer refuses is reported.
        if (!stampante->setOrientation(scelta->orientamento)) throw Errore(ErrValoreProprieta);
        if (!stampante->setCopies(scelta->copie)) throw Errore(ErrValoreProprieta);
        stampante->setPrintQuality(scelta->qualita);
        if (!stampante->setPaperSize(scelta->formato)) throw Errore(ErrValoreProprieta);
        return true;
    } catch (const Errore& e) {
        SegnalaErrore(e.numero());
        return false;
    }
}

void clsModStampa::getPrinterOffsets() {
    const QPoint off = stampante->physicalOffsetPixels();
    const double dpi = stampante->resolution();
    if (dpi <= 0) throw Errore(ErrStampante);
    condiviso.OffsetStampanteX = static_cast<float>(-25.4 * off.x() / dpi);
    condiviso.OffsetStampanteY = static_cast<float>(-25.4 * off.y() / dpi);
}

void clsModStampa::setPaperSize(int valore) {
    if (!stampante->setPaperSize(valore)) throw Errore(ErrValoreProprieta);
}

void clsModStampa::setOrientation(int valore) {
    if (!stampante->setOrientation(valore)) throw Errore(ErrValoreProprieta);
}

void clsModStampa::setPrintQuality(int valore) {
    stampante->setPrintQuality(valore);
}

int16_t clsModStampa::Copies() const {
    return static_cast<int16_t>(stampante->copies());
}

void clsModStampa::setCopies(int16_t& valore) {
    if (stampante->setCopies(valore)) return;
    servizi.prompter->message(QStringLiteral("Impossibile impostare Numero Copie =") +
                                  conSpazio(valore) + QStringLiteral(" per la stampante \"") +
                                  stampante->deviceName() + QLatin1Char('"') + LF + LF +
                                  descrizioneErrore(ErrValoreProprieta),
                              vbOKOnly, titoloLibreria());
    stampante->setCopies(1);
    valore = 1;
}

int16_t clsModStampa::FontCount() const {
    // The page picture and the printer draw with the same font system here.
    const qsizetype n =
        condiviso.PicPrinter ? QFontDatabase::families().size() : stampante->fonts().size();
    if (n > std::numeric_limits<int16_t>::max()) throw Errore(ErrOverflow);
    return static_cast<int16_t>(n);
}

QString clsModStampa::Fonts(int16_t iFont) const {
    const QStringList f = stampante->fonts();
    if (iFont < 0 || iFont >= f.size()) throw Errore(ErrValoreProprieta);
    return f[iFont];
}

// --- Model files -----------------------------------------------------------------

void clsModStampa::salvaModello() {
    const QString path = NomeDocumento;
    if (path.isEmpty()) throw Errore(ErrNomeFile);
    modello::Intestazione h;
    h.PaperSize = static_cast<int16_t>(stampante->paperSize());
    h.Orientamento = static_cast<int16_t>(stampante->orientation());
    h.PrintyQuality = static_cast<int16_t>(stampante->printQuality());
    h.attributi = condiviso.attributi;
    static const QList<PaginaPtr> nessuna;
    const QByteArray bytes = modello::scrivi(h, pagine ? *pagine : nessuna);
    // Written beside and renamed over: a failed save keeps the old file whole.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw Errore(QFileInfo(path).absoluteDir().exists() ? ErrPermesso : ErrPercorso);
    if (f.write(bytes) != bytes.size() || !f.commit()) throw Errore(ErrAccesso);
}

void clsModStampa::ImpostaPagina_Modello(const QString& nomefile) {
    QFile f(nomefile);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QStringList r = modello::righeIntestazione(f.readAll());
    modello::Intestazione h;
    h.attributi = condiviso.attributi;
    modello::leggiIntestazione(r, [&](int k, const QString& v) {
        try {
            modello::assegna(h, k, v);
            if (k == 0)
                stampante->setPaperSize(h.PaperSize);
            else if (k == 1)
                stampante->setOrientation(h.Orientamento);
            else if (k == 2)
                stampante->setPrintQuality(h.PrintyQuality);
        } catch (const Errore&) {
        }
    });
    condiviso.attributi = h.attributi;
}

void clsModStampa::leggiModello() {
    const QString path = NomeDocumento;
    QString fase;
    std::optional<Errore> ultimo;
    auto riporta = [&] {
        if (!ultimo) return;
        servizi.prompter->message(QStringLiteral("Errore nella lettura del Modello di Stampa.") +
                                      LF + QStringLiteral("Fase: ") + fase + LF + LF +
                                      ultimo->descrizione(),
                                  vbOKOnly, titoloLibreria());
    };

    // A file that cannot be read leaves the job as it was.
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        fase = QStringLiteral("Apertura File: ") + path;
        ultimo = Errore(QFileInfo::exists(path) ? ErrPermesso : ErrFileNonTrovato);
        riporta();
        return;
    }
    const QByteArray bytes = f.readAll();
    f.close();

    fase = QStringLiteral("Eliminazione Pagine Modello Corrente.");
    while (PagineTotAnteprima() > 0) EliminaPaginaModello(1);

    pagine = std::make_unique<QList<PaginaPtr>>();
    paginaCorrente = std::make_shared<ClsPagina>();
    registra = true;
    DocumentoInAnteprima = true;
    condiviso.nPagCorr = 1;

    ImpostaPagina_Modello(path);

    const modello::Voci voci = modello::leggiVoci(bytes);
    int p = 0;
    const modello::Voce* voceCorrente = nullptr;
    for (const modello::Voce& v : voci.voci) {
        try {
            if (v.nome == nomeNewPage()) {
                newPage();
                ++p;
                condiviso.nPagCorr = p;
                // A page break is only that: a text after it would be read back as a
                // second break.
                continue;
            }
            if (!v.specifica) continue;
            QString nome = v.nome;
            // The phase text is built when a failure needs it.
            voceCorrente = &v;
            if (nome == QLatin1String("Label")) nome = QStringLiteral("Testo");
            for (;;) {
                if (velmora::ComandoValido(nome)) {
                    if (p == 0) {
                        newPage();
                        p = 1;
                        condiviso.nPagCorr = 1;
                    }
                    AggiungiClasseComando(nome, *v.specifica);
                    break;
                }
                const QChar Q = QLatin1Char('"');
                std::optional<QString> nuovo = servizi.prompter->input(
                    QStringLiteral("Lettura File: ") + path + LF + LF +
                        QStringLiteral("Oggetto Comando: ") + Q + nome + Q +
                        QStringLiteral(" non gestibile nell'attuale versione del software.") + LF +
                        LF +
                        QStringLiteral(
                            "Se si desidera, è possibile modificare il nome del Comando.") +
                        LF + LF +
                        QStringLiteral(
                            "Specificare il Nome da assegnare al Comando, in sostituzione di ") +
                        Q + nome + Q + LF +
                        QStringLiteral("Oppure premere Annulla per non registrare lo stesso."),
                    QStringLiteral("Comando Non Valido"));
                if (!nuovo || nuovo->isEmpty()) break;
                nome = *nuovo;
            }
        } catch (const Errore& e) {
            ultimo = e;
            if (voceCorrente)
                fase = QStringLiteral("Lettura Comando : ") + voceCorrente->nome + LF +
                       QStringLiteral("Specifica=") + *voceCorrente->specifica;
        }
    }
    if (voci.troncato) {
        fase = QStringLiteral("Lettura Comando alla riga ") +
               QString::number(voci.voci.isEmpty() ? 1 : voci.voci.last().riga);
        ultimo = Errore(62);
    }
    riporta();
}

// --- Component face ----------------------------------------------------------------

HRESULT clsModStampa::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__clsModStampa) {
        *ppv = static_cast<_clsModStampa*>(this);
        AddRef();
        return S_OK;
    }
    if (riid == IID_IUscitaStampa) {
        *ppv = static_cast<IUscitaStampa*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT clsModStampa::SelezionaStampante(BSTR* nome, VARIANT_BOOL* trovata) {
    if (!nome || !trovata) return E_POINTER;
    *trovata = stampante->select(str(nome)) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT clsModStampa::put_FileUscita(BSTR* percorso) {
    if (!percorso) return E_POINTER;
    stampante->setOutputFile(str(percorso));
    return S_OK;
}

ULONG clsModStampa::AddRef() {
    return ++riferimenti;
}

ULONG clsModStampa::Release() {
    ULONG n = --riferimenti;
    if (n == 0) delete this;
    return n;
}

HRESULT clsModStampa::GetTypeInfoCount(uint32_t* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}
HRESULT clsModStampa::GetTypeInfo(uint32_t, LCID, void**) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::GetIDsOfNames(REFIID, OLECHAR**, uint32_t, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}
HRESULT clsModStampa::Invoke(DISPID, REFIID, LCID, uint16_t, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                             uint32_t*) {
    return E_NOTIMPL;
}

// The surface as an object comes with the drawing surfaces.
HRESULT clsModStampa::get_tipoObjModel(IDispatch**) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::putref_tipoObjModel(IDispatch*) {
    return E_NOTIMPL;
}

HRESULT clsModStampa::get_ModifDoc(int16_t* result) {
    if (!result) return E_POINTER;
    *result = ModifDoc;
    return S_OK;
}
HRESULT clsModStampa::put_ModifDoc(int16_t value) {
    ModifDoc = value;
    return S_OK;
}
HRESULT clsModStampa::get_errStampa(VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    *result = vbool(errStampa);
    return S_OK;
}
HRESULT clsModStampa::put_errStampa(VARIANT_BOOL value) {
    errStampa = value != 0;
    return S_OK;
}

HRESULT clsModStampa::AggiungiPagina() {
    return protetto([&] {
        aggiungiPagina();
        return S_OK;
    });
}

HRESULT clsModStampa::AggiungiClasseComando(BSTR* TipoComando, BSTR* VarComand,
                                            VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    return protetto([&] {
        *result = vbool(AggiungiClasseComando(str(TipoComando), str(VarComand)));
        return S_OK;
    });
}

HRESULT clsModStampa::put_Anteprima(VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    setAnteprima(*value != 0);
    return S_OK;
}

HRESULT clsModStampa::put_SpaziaturaLinea(float* value) {
    if (!value) return E_POINTER;
    SpaziaturaLinea = *value;
    return S_OK;
}
HRESULT clsModStampa::get_SpaziaturaLinea(float* result) {
    if (!result) return E_POINTER;
    *result = SpaziaturaLinea;
    return S_OK;
}

HRESULT clsModStampa::put_PaperSize(Dimensioni_Foglio* value) {
    if (!value) return E_POINTER;
    return protetto([&] {
        setPaperSize(*value);
        return S_OK;
    });
}

HRESULT clsModStampa::get_Copies(int16_t* result) {
    if (!result) return E_POINTER;
    *result = Copies();
    return S_OK;
}
HRESULT clsModStampa::put_Copies(int16_t* value) {
    if (!value) return E_POINTER;
    return protetto([&] {
        setCopies(*value);
        return S_OK;
    });
}

HRESULT clsModStampa::put_NomeDocumento(BSTR* value) {
    NomeDocumento = str(value);
    return S_OK;
}
HRESULT clsModStampa::get_NomeDocumento(BSTR* result) {
    if (!result) return E_POINTER;
    *result = toBstr(NomeDocumento);
    return S_OK;
}
HRESULT clsModStampa::put_nomedir(BSTR* value) {
    setNomedir(str(value));
    return S_OK;
}
HRESULT clsModStampa::get_ErroreStampa(VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    *result = vbool(errStampa);
    return S_OK;
}
HRESULT clsModStampa::get_nomedir(BSTR* result) {
    if (!result) return E_POINTER;
    *result = toBstr(cartella);
    return S_OK;
}
HRESULT clsModStampa::put_NomeSoftware(BSTR* value) {
    NomeSoftware = str(value);
    return S_OK;
}
HRESULT clsModStampa::get_NomeSoftware(BSTR* result) {
    if (!result) return E_POINTER;
    *result = toBstr(NomeSoftware);
    return S_OK;
}
HRESULT clsModStampa::put_TipoDocumento(BSTR* value) {
    TipoDocumento = str(value);
    return S_OK;
}
HRESULT clsModStampa::get_TipoDocumento(BSTR* result) {
    if (!result) return E_POINTER;
    *result = toBstr(TipoDocumento);
    return S_OK;
}

HRESULT clsModStampa::put_PrintQuality(QualitàDiStampa* value) {
    if (!value) return E_POINTER;
    setPrintQuality(*value);
    return S_OK;
}
HRESULT clsModStampa::put_Orientation(OrientamentoDelFoglio* value) {
    if (!value) return E_POINTER;
    return protetto([&] {
        setOrientation(*value);
        return S_OK;
    });
}
HRESULT clsModStampa::get_FontCount(int16_t* result) {
    if (!result) return E_POINTER;
    return protetto([&] {
        *result = FontCount();
        return S_OK;
    });
}
HRESULT clsModStampa::get_Fonts(int16_t* iFont, BSTR* result) {
    if (!iFont || !result) return E_POINTER;
    return protetto([&] {
        *result = toBstr(Fonts(*iFont));
        return S_OK;
    });
}
HRESULT clsModStampa::get_Page(int16_t* result) {
    if (!result) return E_POINTER;
    return protetto([&] {
        *result = Page();
        return S_OK;
    });
}
HRESULT clsModStampa::get_PagineTotAnteprima(int32_t* result) {
    if (!result) return E_POINTER;
    *result = PagineTotAnteprima();
    return S_OK;
}

HRESULT clsModStampa::ShowPrinterProperties(int32_t ParentHWnd, BSTR* DeviceName,
                                            VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    return protetto([&] {
        QString nome = str(DeviceName);
        *result = vbool(ShowPrinterProperties(ParentHWnd, nome));
        scriviBstr(DeviceName, nome);
        return S_OK;
    });
}
HRESULT clsModStampa::ShowPrinterSetup(int32_t ParentHWnd, BSTR* DeviceName, VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    return protetto([&] {
        QString nome = str(DeviceName);
        *result = vbool(ShowPrinterSetup(ParentHWnd, nome));
        scriviBstr(DeviceName, nome);
        return S_OK;
    });
}

HRESULT clsModStampa::EndDoc() {
    return protetto([&] {
        try {
            endDoc();
        } catch (const Errore& e) {
            erroreCiclo(QStringLiteral("Errore nella Stampa del documento"), e.numero(),
                        e.descrizione());
            throw;
        }
        return S_OK;
    });
}
HRESULT clsModStampa::AvviaCreaModuli() {
    return protetto([&] {
        avviaCreaModuli();
        return S_OK;
    });
}
HRESULT clsModStampa::NewPage() {
    return protetto([&] {
        newPage();
        return S_OK;
    });
}
HRESULT clsModStampa::KillDoc() {
    killDoc();
    return S_OK;
}

HRESULT clsModStampa::LoadComboPrinters(IDispatch** cmb) {
    if (!cmb || !*cmb) return E_POINTER;
    IListaStampanti* lista = nullptr;
    HRESULT hr = (*cmb)->QueryInterface(IID_IListaStampanti, reinterpret_cast<void**>(&lista));
    if (FAILED(hr)) return hr;
    hr = protetto([&] {
        LoadComboPrinters(lista);
        return S_OK;
    });
    lista->Release();
    return hr;
}

HRESULT clsModStampa::Estrai_Valore(BSTR* Variabile, BSTR* Specifica, VARIANT* result) {
    if (!result) return E_POINTER;
    return protetto([&] {
        std::optional<QString> v = velmora::Estrai_Valore(str(Variabile), str(Specifica));
        VariantClear(result);
        if (v) {
            result->vt = VT_BSTR;
            result->bstrVal = toBstr(*v);
        }
        return S_OK;
    });
}

HRESULT clsModStampa::GetPrinterOffsets() {
    return protetto([&] {
        getPrinterOffsets();
        return S_OK;
    });
}
HRESULT clsModStampa::SalvaModello() {
    return protetto([&] {
        salvaModello();
        return S_OK;
    });
}
HRESULT clsModStampa::LeggiModello() {
    return protetto([&] {
        leggiModello();
        return S_OK;
    });
}

HRESULT clsModStampa::ComandoValido(BSTR* auxCom, VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    *result = vbool(velmora::ComandoValido(str(auxCom)));
    return S_OK;
}

HRESULT clsModStampa::CaricaObjModel(BSTR*, SAFEARRAY**) {
    return E_NOTIMPL;
}

HRESULT clsModStampa::esisteObj(BSTR* Tipo, VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    *result = vbool(esisteObj(str(Tipo)));
    return S_OK;
}
HRESULT clsModStampa::RimuoviComando(BSTR* Nome, BSTR* Stringa) {
    RimuoviComando(str(Nome), str(Stringa));
    return S_OK;
}

// Designer members: they come with the designer.
HRESULT clsModStampa::set_tipoOggetto(BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::set_tipoOggetti(BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::RiempiListaDB() {
    return E_NOTIMPL;
}
HRESULT clsModStampa::eseguiComandoModifica_su_SupRetCerch(BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::eseguiComandoModifica_su_PolArcLin(BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::eseguiComandoModifica_su_Testi(BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::eseguiComandoModifica_su_TestiEstesi(BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::eseguiComandoModifica_su_Immagini(BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::eseguiComandoModifica_su_ObjModel(BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::Aggiungi_ObjModel(BSTR*, VARIANT*, VARIANT*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::avviaModifica_oneObjModelDis(BSTR*, BSTR*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::selezOggetti(float*, float*, float*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::selezFin(float*, float*, float*, float*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::selezInters(float*, float*, float*, float*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::selezintersStira(float*, float*, float*, float*) {
    return E_NOTIMPL;
}
HRESULT clsModStampa::AnnullaStatoComandi() {
    return E_NOTIMPL;
}

HRESULT clsModStampa::ImpostaPagina_Modello(BSTR* nomefile) {
    return protetto([&] {
        ImpostaPagina_Modello(str(nomefile));
        return S_OK;
    });
}

}  // namespace velmora
