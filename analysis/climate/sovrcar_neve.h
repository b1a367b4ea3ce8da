#pragma once

// The snow load calculator: a modal dialog loaded fresh for each use.

#include <QDialog>

#include "ClimateHandBack.h"
#include "DatiAnalisi.h"
#include "SnowLoad.h"

class QLineEdit;
class QRadioButton;
class QPushButton;
class QTabWidget;
class QButtonGroup;

namespace platform {
class Prompter;
}

namespace climate {
class ZoneMapWidget;
class RoofPicture;
class ClickableLabel;
}  // namespace climate

class sovrcar_neve : public QDialog {
    Q_OBJECT
public:
    // Loading the dialog: its controls start with their initial texts and it computes once.
    sovrcar_neve(DatiAnalisi& record, platform::Prompter& prompter, QWidget* parent = nullptr);

    void Calcola_qs();
    void DeterminaMiu();

    QLineEdit *Text7, *Text3, *Text4, *Text9, *Text5, *Text6, *Text2, *Text8, *Text1;
    QRadioButton* Option1;  // ZONA I - Alpina
    QRadioButton* Option9;  // ZONA I - Mediterranea
    QRadioButton* Option2;  // ZONA II
    QRadioButton* Option3;  // ZONA III
    QRadioButton* Option4;  // Con Parapetto
    QRadioButton* Option5;  // Senza Parapetto
    QRadioButton* Option6;  // Ad una Falda
    QRadioButton* Option7;  // a due Falde
    QPushButton* Command1;  // Applica
    QPushButton* Command2;  // Annulla

    SnowHandBack handBack;

    // Also reachable for tests and screenshots.
    QTabWidget* SSTab1;
    climate::ZoneMapWidget* Mappa;
    climate::RoofPicture* Copertura;
    QList<climate::ClickableLabel*> ProvinceList;  // I-Alpina, I-Mediterranea, II, III

    climate::SnowZone chosenZone() const;
    void chooseZone(climate::SnowZone zone);
    const climate::SnowResult& lastResult() const { return last_; }

private:
    void buildUi();
    QWidget* buildZoneTab();
    QWidget* buildCoefficientTab();
    QWidget* buildShapeTab();
    void Text7_Change();
    void Command1_Click();

    DatiAnalisi& record_;
    platform::Prompter& prompter_;
    climate::SnowResult last_;
};
