#pragma once

// The wind load calculator: a modal dialog loaded fresh for each use.

#include <QDialog>

#include <array>

#include "ClimateHandBack.h"
#include "DatiAnalisi.h"
#include "WindLoad.h"

class QLineEdit;
class QRadioButton;
class QPushButton;
class QTabWidget;

namespace platform {
class Prompter;
}

namespace climate {
class ZoneMapWidget;
class ExposureFigure;
class PressureCoefficientPicture;
}  // namespace climate

class sovrcar_vento : public QDialog {
    Q_OBJECT
public:
    // Loading the dialog: controls with their initial texts; nothing is computed
    // until Calcola_P is called or the dialog has been shown.
    sovrcar_vento(DatiAnalisi& record, platform::Prompter& prompter, QWidget* parent = nullptr);

    void Calcola_P();
    void Calcola_CoefEsp();

    std::array<QRadioButton*, 10> OptZona{};   // 1..9
    std::array<QRadioButton*, 5> OptClasse{};  // 1..4 = A..D
    QLineEdit *Text7, *Text4, *Text3, *Text5, *Text15, *Text16, *Text10, *Text11, *Text13, *Text6,
        *Text2, *Text8, *Text1;
    QPushButton* Command1;  // Applica
    QPushButton* Command2;  // Annulla

    QString FormulaVentoAux;
    float CarVentoAux = 0;

    WindHandBack handBack;

    // Also reachable for tests and screenshots.
    QTabWidget* SSTab1;
    climate::ZoneMapWidget* Mappa;
    climate::ExposureFigure* FiguraCategoria;
    QPushButton* CommandCp;  // "*": shows or hides the pressure coefficients
    climate::PressureCoefficientPicture* FiguraCp;

    int chosenZone() const;       // 4 when none
    QString chosenClass() const;  // "D" when none
    bool isShownOnce() const { return shown_; }
    // The last completed computation (what "Applica" hands back).
    const climate::WindResult& lastResult() const { return last_; }

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void buildUi();
    QWidget* buildZoneTab();
    QWidget* buildExposureTab();
    QWidget* buildCoefficientTab();
    void inputChanged();
    bool computeP();
    void placeCoefficientPicture();
    void Command1_Click();

    DatiAnalisi& record_;
    platform::Prompter& prompter_;
    climate::WindResult last_;
    bool shown_ = false;
};
