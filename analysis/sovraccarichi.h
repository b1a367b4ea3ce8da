#pragma once

// The load-analysis main window: the tabs of load rows, the report pane and
// the bottom bar. Controls keep the names the handlers were written with;
// indexed sets are 1-based (element 0 unused).

#include <QDialog>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

#include "DatiAnalisi.h"
#include "ParametriCarichi.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class sovrcar_neve;
class sovrcar_vento;

namespace platform {
class Prompter;
class SettingsStore;
class Shell;
}  // namespace platform

class sovraccarichi : public QWidget {
    Q_OBJECT

public:
    sovraccarichi(platform::SettingsStore& settings, platform::Prompter& prompter,
                  platform::Shell& shell, QWidget* parent = nullptr);
    ~sovraccarichi() override;

    // The analysis record and the print-through-preview flag, program-wide.
    DatiAnalisi dati;
    bool AnteprimaStampa = true;

    int ModifDatiCarichi = 0;  // 1 while there are unsaved changes
    QString PercorsoAnalisi;   // "Senza Nome" until saved or opened
    ParametriNeve parNeve;
    ParametriVento parVento;

    // Where the help document and the maker's web address are.
    QString helpFile;
    QString webAddress;

    // Shows a calculator modally; tests replace it to fill and confirm the dialog.
    std::function<int(QDialog&)> showModal;
    // Prints the record through the print library; tests replace it.
    std::function<void(const DatiAnalisi&)> stampa;

    // Tab 1
    QTabWidget* SSTab1 = nullptr;
    QLineEdit* txtPP = nullptr;
    QLineEdit* txtVPP = nullptr;
    std::array<QCheckBox*, 14> chkPerm{};
    std::array<QLabel*, 14> lblPerm{};
    std::array<QLineEdit*, 14> txtPerm{};
    std::array<QLineEdit*, 4> txtDescrPerm{};
    QComboBox* Combo1 = nullptr;
    QLineEdit* txtValPerm = nullptr;
    // Tab 2
    std::array<QCheckBox*, 6> chkLD{};
    std::array<QLineEdit*, 6> txtLD{};
    std::array<QLineEdit*, 6> txtVLD{};
    QLineEdit* txtValLD = nullptr;
    // Tab 3
    std::array<QRadioButton*, 17> Option1{};
    std::array<QLineEdit*, 17> Text2{};
    std::array<QLineEdit*, 17> Text3{};
    QLineEdit* Text14 = nullptr;
    QLineEdit* Text11 = nullptr;
    QLineEdit* Text12 = nullptr;
    // Tab 4
    QCheckBox* CheckNeve = nullptr;
    QLineEdit* Text6 = nullptr;
    QPushButton* Command7 = nullptr;
    QLineEdit* txtCarNeve = nullptr;
    QCheckBox* CheckVento = nullptr;
    QLineEdit* Text15 = nullptr;
    QPushButton* Command8 = nullptr;
    QLineEdit* txtCarVento = nullptr;
    // Report pane and bottom bar
    QTextEdit* RichTextBox1 = nullptr;
    QGroupBox* bottomBar = nullptr;
    QLineEdit* fileNameField = nullptr;
    QPushButton* Command1 = nullptr;  // Stampa
    QPushButton* Command2 = nullptr;  // Esci
    QPushButton* Command3 = nullptr;  // Salva
    QPushButton* Command4 = nullptr;  // Apri
    QPushButton* Command5 = nullptr;  // Salva con Nome
    QPushButton* Command6 = nullptr;  // Help

    // The chosen use category, 0 when none.
    int categoriaScelta() const;
    // True while the pane shows the start-up banner (hand pointer, click opens the web address).
    bool bannerShown() const { return banner; }

    void RegistraValori();
    void ScriviAnalisi();
    void ImpostaCarNeve();
    void ImpostaCarVento();
    void Command7_Click();
    void Command8_Click();
    // "Stampa": the analysis as it stands at the last refresh.
    void StampaAnalisi();
    void SelezionaTesto(QLineEdit* field);

    // Analysis files. `aprisalv` runs the dialogs for "Apri", "Salva" and "SalvaConNome".
    void aprisalv(const QString& Azione);
    // Writes the window's content to PercorsoAnalisi; false (after its message) when not saved.
    bool salvafil();
    // Reads PercorsoAnalisi into the window and refreshes; returns the description of
    // the read error, empty when the whole file was read.
    QString leggifil();
    enum class Apertura { Letta, NonLeggibile, Danneggiata };
    // Opens `path` as "Apri" does once a file is chosen, messages included.
    Apertura apriAnalisi(const QString& path);
    // The version text files are written with ("1.0").
    static QString versioneProgramma();

    void posizionaOggetti();
    void Salva_Parametri_Registro_Sovraccarichi();
    void Leggi_Parametri_Registro_Sovraccarichi();
    // Opens a file, web or mail address with the desktop; returns the shell's
    // result, or 0 when the file was missing and the shell was not called.
    int ApriDocumento(const QString& target);

    // The window's outer size in twips, frame included when the desktop has one.
    int outerWidthTwips() const;
    int outerHeightTwips() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTab1(QWidget* page);
    void buildTab2(QWidget* page);
    void buildTab3(QWidget* page);
    void buildTab4(QWidget* page);
    void buildPaneAndBar();
    void connectHandlers();
    void scriviBanner();
    QLineEdit* valueField(QWidget* parent, int maxLength);

    void chkPermChanged(int i);
    void aggiornaG2();
    void chkLDChanged(int i);
    void txtVLDChanged(int i);
    void sommaLD(bool generalFormat);
    void sceltaCategoria(int i);
    void annullaCategoria(int i);
    void CheckNeveChanged();
    void CheckVentoChanged();

    // Fill a freshly loaded calculator from the parameter sets and compute.
    void caricaNeve(sovrcar_neve& dlg);
    void caricaVento(sovrcar_vento& dlg);
    void ricalcolaNeve();
    void ricalcolaVento();
    void applyPendingOuterSize();
    void salvaConNome();
    bool scriviFile(const QString& path);
    void mostraPercorso();

    platform::SettingsStore& settings;
    platform::Prompter& prompter;
    platform::Shell& shell;
    QButtonGroup* categorie = nullptr;
    bool banner = false;
    bool lettura = false;  // while a file is read: one refresh at its end
    std::optional<QSize> pendingOuterSize;
};
