#pragma once

// The print job: the one creatable class of the library. It records commands
// page by page in preview mode, drives the system printer in direct mode,
// manages printers and page set-up, and reads and writes model files. The
// component face (_clsModStampa) wraps the typed members below.

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

#include "ClsPagina.h"
#include "IUscitaStampa.h"
#include "JobState.h"
#include "PreviewWindow.h"
#include "PrinterDialogs.h"
#include "_clsModStampa.h"

namespace platform {
class PainterSurface;
class Printer;
class Prompter;
class SettingsStore;
class Surface;
}  // namespace platform

namespace velmora {

// The library's own title: caption of its messages and name of its settings.
QString titoloLibreria();

class clsModStampa final : public _clsModStampa, public IUscitaStampa {
public:
    struct Servizi {
        platform::Prompter* prompter = nullptr;       // default: the console one
        platform::SettingsStore* settings = nullptr;  // default: the user's store
        PrinterDialogs* dialogs = nullptr;            // default: window-less
        PreviewWindowFactory window;                  // default: headless
        QString printerName;                          // default: the system default
    };

    clsModStampa();
    explicit clsModStampa(Servizi servizi);
    virtual ~clsModStampa();
    clsModStampa(const clsModStampa&) = delete;
    clsModStampa& operator=(const clsModStampa&) = delete;

    // Objects alive in the process (for the library's unload answer).
    static long oggettiVivi();

    // --- Job, pages and commands ---------------------------------------------
    void setAnteprima(bool valore);
    bool anteprima() const { return registra; }
    bool documentoInAnteprima() const { return DocumentoInAnteprima; }
    bool AggiungiClasseComando(const QString& TipoComando, const QString& VarComand);
    void aggiungiPagina();
    void newPage();
    // Throws Errore when the printer fails to end the document.
    void endDoc();
    // Throws Errore when the job is not in preview mode.
    void avviaCreaModuli();
    void killDoc();
    int16_t Page() const;
    int32_t PagineTotAnteprima() const;
    bool esisteObj(const QString& Tipo) const;
    void RimuoviComando(const QString& Nome, const QString& Stringa);
    bool EliminaPaginaModello(int32_t n);
    static double DimensionePagina(double valore, double percentuale);
    void SegnalaErrore(int numero);
    // Records a command of a drawing member in preview mode; false in direct mode.
    bool registraComando(const QString& nome, const QString& specifica);

    const QList<PaginaPtr>* Pagine() const { return pagine.get(); }
    PaginaPtr PaginaCorrente() const { return paginaCorrente; }
    JobState& stato() { return condiviso; }
    const JobState& stato() const { return condiviso; }

    QString NomeDocumento, NomeSoftware, TipoDocumento;
    float SpaziaturaLinea = 0;
    int16_t ModifDoc = 0;
    bool errStampa = false;
    int32_t UltimoErrore = 0;
    bool ErroriSoppressi = false;
    float fc = 1;
    void setNomedir(const QString& path);
    QString nomedir() const { return cartella; }

    // --- Printers --------------------------------------------------------------
    platform::Printer& printer() { return *stampante; }
    void LoadComboPrinters(IListaStampanti* cmb);
    bool ShowPrinterProperties(int32_t ParentHWnd, QString& DeviceName);
    bool ShowPrinterSetup(int32_t ParentHWnd, QString& DeviceName);
    void getPrinterOffsets();
    // Throw Errore when the printer refuses.
    void setPaperSize(int valore);
    void setOrientation(int valore);
    void setPrintQuality(int valore);  // a refusal is ignored
    int16_t Copies() const;
    void setCopies(int16_t& valore);  // a refusal is reported and leaves 1
    int16_t FontCount() const;
    QString Fonts(int16_t iFont) const;

    // --- Model files -------------------------------------------------------------
    // Throws Errore when the file cannot be written (the old file is kept).
    void salvaModello();
    void leggiModello();
    void ImpostaPagina_Modello(const QString& nomefile);

    platform::Prompter& prompter() { return *servizi.prompter; }

    // --- Drawing commands ------------------------------------------------------------
    // In preview mode each records itself; in direct mode it draws on OutputStampa,
    // and a failure is reported with the command's message (the job goes on).
    void StampaTesto(const QString& Specifica, bool Attivo);
    // Throws Errore when the specification string has no font part.
    void StampaMemo(const QString& Specifica, bool Attivo);
    static QString estraiRigaDescr(int16_t& nn, const QString& descrizione, int16_t nCar);
    float TextWidth(const QString& sText);
    float TextHeight(const QString& sText);
    // Throws Errore when the stored text is not a number.
    float PercText() const;
    void setPercText(float valore);
    void setFc(float valore);
    void stampaLinea(const QString& Specifica, bool Attivo);
    void StampaRettangolo(const QString& Specifica, bool Attivo);
    void stampacerchio(const QString& Specifica, bool Attivo);
    void stampaarco(const QString& Specifica, bool Attivo);
    void stampaPolilinea(const QString& Specifica, bool Attivo);
    void stampaSuperficie(const QString& Specifica, bool Attivo);
    void StampaImmagine(const QString& Specifica, bool Attivo);

    // --- Replays of recorded pages -------------------------------------------------
    // Page n on the printer, letting the user interface run between two commands.
    void StampaPagina(int32_t n);
    // Page n on the window's page picture (JobState::PicPrinter).
    void VisualizzaPaginaAnteprima(int32_t n);
    // One command on the page picture, highlighted when TipoVis is false.
    void Pic_VisualizzaOggetto(const QString& Tipo, const QString& Specifica, bool TipoVis);
    // Draws one recorded command by its name; names of model objects go to
    // StampaObjModel. Throws what the command lets through (the memo's failure).
    void eseguiComando(const QString& nome, const QString& Specifica, bool Attivo);

    // The surface every drawing command draws on: the system printer (in
    // millimetres) or the window's page picture.
    platform::Surface* OutputStampa = nullptr;
    platform::Surface& superficieStampante();
    bool suStampante() const;

    // --- Component face ------------------------------------------------------------
    com::HRESULT QueryInterface(com::REFIID riid, void** ppv) override;
    com::ULONG AddRef() override;
    com::ULONG Release() override;
    // IUscitaStampa
    com::HRESULT SelezionaStampante(com::BSTR* nome, com::VARIANT_BOOL* trovata) override;
    com::HRESULT put_FileUscita(com::BSTR* percorso) override;
    com::HRESULT GetTypeInfoCount(uint32_t* pctinfo) override;
    com::HRESULT GetTypeInfo(uint32_t, com::LCID, void**) override;
    com::HRESULT GetIDsOfNames(com::REFIID, com::OLECHAR**, uint32_t, com::LCID,
                               com::DISPID*) override;
    com::HRESULT Invoke(com::DISPID, com::REFIID, com::LCID, uint16_t, com::DISPPARAMS*, VARIANT*,
                        com::EXCEPINFO*, uint32_t*) override;

    HRESULT get_OutputStampa(IDispatch** result) override;
    HRESULT putref_OutputStampa(IDispatch* value) override;
    HRESULT get_tipoObjModel(IDispatch** result) override;
    HRESULT putref_tipoObjModel(IDispatch* value) override;
    HRESULT get_ModifDoc(int16_t* result) override;
    HRESULT put_ModifDoc(int16_t value) override;
    HRESULT get_fc(float* result) override;
    HRESULT put_fc(float value) override;
    HRESULT get_errStampa(VARIANT_BOOL* result) override;
    HRESULT put_errStampa(VARIANT_BOOL value) override;
    HRESULT AggiungiPagina() override;
    HRESULT AggiungiClasseComando(BSTR* TipoComando, BSTR* VarComand,
                                  VARIANT_BOOL* result) override;
    HRESULT put_Anteprima(VARIANT_BOOL* value) override;
    HRESULT put_SpaziaturaLinea(float* value) override;
    HRESULT get_SpaziaturaLinea(float* result) override;
    HRESULT put_PaperSize(Dimensioni_Foglio* value) override;
    HRESULT get_Copies(int16_t* result) override;
    HRESULT put_Copies(int16_t* value) override;
    HRESULT put_NomeDocumento(BSTR* value) override;
    HRESULT get_NomeDocumento(BSTR* result) override;
    HRESULT put_nomedir(BSTR* value) override;
    HRESULT get_ErroreStampa(VARIANT_BOOL* result) override;
    HRESULT get_nomedir(BSTR* result) override;
    HRESULT put_NomeSoftware(BSTR* value) override;
    HRESULT get_NomeSoftware(BSTR* result) override;
    HRESULT put_TipoDocumento(BSTR* value) override;
    HRESULT get_TipoDocumento(BSTR* result) override;
    HRESULT put_PrintQuality(QualitàDiStampa* value) override;
    HRESULT put_Orientation(OrientamentoDelFoglio* value) override;
    HRESULT get_FontCount(int16_t* result) override;
    HRESULT get_Fonts(int16_t* iFont, BSTR* result) override;
    HRESULT get_Page(int16_t* result) override;
    HRESULT get_PagineTotAnteprima(int32_t* result) override;
    HRESULT ShowPrinterProperties(int32_t ParentHWnd, BSTR* DeviceName,
                                  VARIANT_BOOL* result) override;
    HRESULT ShowPrinterSetup(int32_t ParentHWnd, BSTR* DeviceName, VARIANT_BOOL* result) override;
    HRESULT TextWidth(BSTR* sText, float* result) override;
    HRESULT TextHeight(BSTR* sText, float* result) override;
    HRESULT EndDoc() override;
    HRESULT AvviaCreaModuli() override;
    HRESULT NewPage() override;
    HRESULT KillDoc() override;
    HRESULT LoadComboPrinters(IDispatch** cmb) override;
    HRESULT StampaTesto(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT StampaRettangolo(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT StampaImmagine(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT stampaLinea(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT stampacerchio(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT StampaCodBarre(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT StampaMemo(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT Estrai_Valore(BSTR* Variabile, BSTR* Specifica, VARIANT* result) override;
    HRESULT estraiRigaDescr(int16_t* nn, BSTR* descrizione, int16_t* nCar, BSTR* result) override;
    HRESULT GetPrinterOffsets() override;
    HRESULT SalvaModello() override;
    HRESULT LeggiModello() override;
    HRESULT stampaarco(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT stampaPolilinea(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT stampaSuperficie(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT ComandoValido(BSTR* auxCom, VARIANT_BOOL* result) override;
    HRESULT CaricaObjModel(BSTR* nomeOggetto, SAFEARRAY** CampiObject) override;
    HRESULT StampaObjModel(BSTR* Oggetto, BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT StampaCampoColonna(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT StampaCampo(BSTR* Oggetto, BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT StampaLineeCorpoDoc(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT StampaRiepilogoIVA(BSTR* Specifica, BSTR* ImponImpost, VARIANT_BOOL* Attivo) override;
    HRESULT StampaIdCarcassa(BSTR* IdCarcassa, BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT esisteObj(BSTR* Tipo, VARIANT_BOOL* result) override;
    HRESULT RimuoviComando(BSTR* Nome, BSTR* Stringa) override;
    HRESULT set_tipoOggetto(BSTR* nomeOggetto) override;
    HRESULT set_tipoOggetti(BSTR* nomeOggetto) override;
    HRESULT RiempiListaDB() override;
    HRESULT eseguiComandoModifica_su_SupRetCerch(BSTR* Tipo) override;
    HRESULT eseguiComandoModifica_su_PolArcLin(BSTR* Tipo) override;
    HRESULT eseguiComandoModifica_su_Testi(BSTR* Tipo) override;
    HRESULT eseguiComandoModifica_su_TestiEstesi(BSTR* Tipo) override;
    HRESULT eseguiComandoModifica_su_Immagini(BSTR* Tipo) override;
    HRESULT eseguiComandoModifica_su_ObjModel(BSTR* Tipo) override;
    HRESULT Aggiungi_ObjModel(BSTR* NomeObj, VARIANT* xx, VARIANT* yy) override;
    HRESULT avviaModifica_oneObjModelDis(BSTR* NomeObj, BSTR* Specifica) override;
    HRESULT selezOggetti(float* xo, float* yo, float* R) override;
    HRESULT selezFin(float* x1, float* y1, float* x2, float* y2) override;
    HRESULT selezInters(float* x1, float* y1, float* x2, float* y2) override;
    HRESULT selezintersStira(float* x1, float* y1, float* x2, float* y2) override;
    HRESULT AnnullaStatoComandi() override;
    HRESULT StampaArrayEtichette(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT Pic_VisualizzaOggetto(BSTR* Tipo, BSTR* Specifica, VARIANT_BOOL* TipoVis) override;
    HRESULT put_PercText(float* value) override;
    HRESULT get_PercText(float* result) override;
    HRESULT StampaRigoDDTMac(BSTR* Specifica, VARIANT_BOOL* Attivo) override;
    HRESULT ImpostaPagina_Modello(BSTR* nomefile) override;

private:
    void erroreCiclo(const QString& titolo, int numero, const QString& descr);
    void apriFinestra(bool riempiLista);
    void caricaPercText();
    platform::Surface& uscita();
    void preambolo(platform::Surface& s);
    void erroreComando(const QString& riga, const QString& descr, const QString& Specifica);
    void comando(const QString& riga, const QString& Specifica, const std::function<void()>& f);
    float spessore(double spesCont);
    void dopoReplay();
    QImage caricaImmagine(const QString& percorso, QString& errore);

    Servizi servizi;
    std::unique_ptr<platform::Prompter> prompterProprio;
    std::unique_ptr<PrinterDialogs> dialogsPropri;
    std::unique_ptr<platform::Printer> stampante;
    std::unique_ptr<platform::PainterSurface> superficieStampante_;
    // Pictures already read, by path, while their file stays the same.
    struct ImmagineLetta {
        QDateTime modificata;
        qint64 dimensione = 0;
        QImage immagine;
    };
    QHash<QString, ImmagineLetta> immagini;
    std::unique_ptr<QList<PaginaPtr>> pagine;
    PaginaPtr paginaCorrente;
    bool registra = false;  // Anteprima
    bool DocumentoInAnteprima = false;
    QString cartella;
    JobState condiviso;
    std::atomic<com::ULONG> riferimenti{1};
};

}  // namespace velmora
