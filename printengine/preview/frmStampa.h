#pragma once

// The library's preview window: the recorded pages of a job one at a time on a
// white page picture with its shadow, rulers and scroll bars, zoom, page
// navigation, printing, and the choice of the printer.

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <functional>

#include <memory>

#include "ImpostazioniAnteprima.h"
#include "PreviewWindow.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;

namespace platform {
class PictureSurface;
class Printer;
class Prompter;
class SettingsStore;
class Shell;
}  // namespace platform

namespace velmora {

class clsModStampa;

namespace anteprima {
class AreaPagina;
class PaginaWidget;
class Righello;
class ListaStampanti;
}  // namespace anteprima

class frmStampa : public QDialog, public PreviewWindow {
public:
    struct Servizi {
        platform::Prompter* prompter = nullptr;
        platform::SettingsStore* settings = nullptr;
        platform::Shell* shell = nullptr;  // default: the desktop's
    };

    explicit frmStampa(Servizi servizi, QWidget* parent = nullptr);
    ~frmStampa() override;

    // Engine-to-window interface.
    void Init(clsModStampa* engine) override;
    void ShowFirstPage() override;
    void ImpostaForm() override;
    void VisualizzaPagina() override;
    void showModal() override;

    // Frame, geometry and zoom.
    void LayOut();
    void ImpostaPosBasePicPrinter();
    void ImpostaScalaPicture();
    void GestioneZoom();
    void GestioneLimitiScroll();
    void ReimpostaValueScroll();
    void AbilitaPulsanti();
    void SelezionaZoom100();
    void LoadCmbZoom();
    void AdattaDimensPagina();
    void MuoviPicPrinter();
    void ImpostaSfondo();
    // Zoom of the selected entry (100 when none is selected).
    int zoomCorrente() const;

    // Navigation and printing.
    void vaiPagina(const QString& chiave);  // "Prima", "Precedente", "Successiva", "Ultima"
    void confermaTxtPag();
    void StampaPagCorrente();
    void StampaTutto(int32_t prima, int32_t ultima);
    void StampaIntervallo();
    void AggiungiPaginaVerificata();  // the "Pagine" drop-down: refuses single-page models
    void AggiungiPagina();
    void EliminaPagina();
    void SelezionaPrinter();
    void ReimpostaPrinter();
    void GestImpostaPrinter();

    // Panels of the view menu: 0 tool panel, 1 coordinates, 2 command row, 3 rulers, 4 object list.
    void mostraPannello(int pannello, bool visibile);

    // State and parts, reachable by the tests.
    int32_t nPagCorr() const;
    const anteprima::ImpostazioniForm& impostazioni() const { return imp; }
    const platform::PictureSurface* superficie() const { return pic.get(); }
    QRect rettangoloPagina() const;  // the page picture in the page area, pixels
    QRect rettangoloOmbra() const;
    QWidget* areaPagina() const;
    QWidget* paginaWidget() const;
    double pixelPerMm() const { return pxMm; }
    int32_t PosBaseX = 10, PosBaseY = 10;
    bool TrascinaPagina = false;
    float xTrascina = 0, yTrascina = 0;

    QComboBox* CmbZoom = nullptr;
    QComboBox* CmbPrinter = nullptr;
    QLineEdit* TxtPag = nullptr;
    QLineEdit* Text8 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* lblPag = nullptr;
    QLabel* lblModelli = nullptr;
    QTimer* Timer1 = nullptr;
    QWidget* PicStrumenti = nullptr;
    QWidget* PicCoordinate = nullptr;
    QWidget* PicComandi = nullptr;
    QWidget* picDB = nullptr;
    QTreeWidget* ListVdb = nullptr;
    QWidget* PicRighello[2] = {nullptr, nullptr};
    QMenu* menuPrimo = nullptr;
    // Buttons and menu entries by key ("Stampa", "stampaP", "Prima", "menu.Stampa", ...).
    QHash<QString, QAction*> azioni;
    // Runs once the window is open, then closes it (for tests and scripted runs).
    std::function<void(frmStampa&)> whileShown;
    // The text the maker's link shows.
    static QString indirizzoProduttore();

    // Page drag, in screen millimetres of the page picture.
    void iniziaTrascina(double x, double y);
    void trascina(double x, double y);
    void fineTrascina();

protected:
    void done(int r) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void costruisci();
    QAction* azione(const QString& chiave, const QString& testo, const QString& tooltip = {});
    void DisegnaGriglia();
    void MuoviOmbra();
    void aggiornaAiuti();
    void cambiaAiuto(QLabel* etichetta);
    void apriCollegamento();
    void cambiaText8();
    void riproduciPagina(int32_t n);
    bool apriLavoro(platform::Printer& p);
    void erroreStampa(const QString& descrizione);
    void salvaImpostazioniForm();
    QString titolo() const;

    Servizi servizi;
    std::unique_ptr<platform::Shell> shellPropria;
    clsModStampa* motore = nullptr;
    std::unique_ptr<platform::PictureSurface> pic;
    anteprima::ImpostazioniForm imp;
    std::unique_ptr<anteprima::ListaStampanti> listaStampanti;
    anteprima::AreaPagina* PicContainer = nullptr;
    anteprima::PaginaWidget* PicPrinter = nullptr;
    anteprima::Righello* righelli[2] = {nullptr, nullptr};
    QWidget* Ombra = nullptr;
    QWidget* angoloRighelli = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QMenu* menuVista = nullptr;
    QAction* vistaPannello[5] = {};
    double pxMm = 96.0 / 25.4;
    double pagLarghezzaMm = 0, pagAltezzaMm = 0;
    bool CaricaZoom = false;
    bool CaricaStampanti = false;
    bool inConferma = false;
    bool aperta = false;
    bool linkBlu = false;
    // Printer settings remembered across a printer change.
    struct ParametriPrinter {
        int16_t orientamento = 0, formato = 0, copie = 0, qualita = 0, quinto = 0;
    } MemImpParamPrinter;
};

}  // namespace velmora
