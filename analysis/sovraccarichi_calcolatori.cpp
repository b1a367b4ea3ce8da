// The window's side of the snow and wind calculators: each use loads a fresh
// dialog from the parameter sets, and "Applica" hands its results back here.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "VbConv.h"
#include "sovraccarichi.h"
#include "sovrcar_neve.h"
#include "sovrcar_vento.h"

void sovraccarichi::caricaNeve(sovrcar_neve& dlg) {
    dlg.Text7->setText(parNeve.hslm);
    dlg.Text3->setText(parNeve.ce);
    dlg.Text4->setText(parNeve.ct);
    dlg.Text5->setText(parNeve.mu);
    // Slope 0 derives the shape coefficient again, as every fresh dialog does.
    dlg.Text9->setText(QStringLiteral("0"));
    const QString z = parNeve.zona.trimmed();
    if (z == QLatin1String("I") || z == QLatin1String("Ia"))
        dlg.Option1->setChecked(true);
    else if (z == QLatin1String("Im"))
        dlg.Option9->setChecked(true);
    else if (z == QLatin1String("II"))
        dlg.Option2->setChecked(true);
    else
        dlg.Option3->setChecked(true);
    const bool dueFalde = vb::IsNumeric(parNeve.nFalde) && vb::CDbl(parNeve.nFalde) == 2.0;
    (dueFalde ? dlg.Option7 : dlg.Option6)->setChecked(true);
    if (parNeve.parapetto == 1) dlg.Option4->setChecked(true);
    dlg.Calcola_qs();
}

void sovraccarichi::caricaVento(sovrcar_vento& dlg) {
    const QString zona = parVento.zona.trimmed();
    for (int k = 1; k <= 9; ++k)
        if (QString::number(k) == zona) dlg.OptZona[k]->setChecked(true);
    for (int k = 1; k <= 4; ++k)
        if (dlg.OptClasse[k]->text() == parVento.classe) dlg.OptClasse[k]->setChecked(true);
    dlg.Text7->setText(vb::CStr(dati.QuotaSlm));
    dlg.Text4->setText(parVento.distanza);
    dlg.Text3->setText(parVento.altezza);
    dlg.Text5->setText(parVento.ct);
    dlg.Text15->setText(parVento.cd);
    dlg.Text16->setText(parVento.cp);
    dlg.Calcola_P();
}

void sovraccarichi::ImpostaCarNeve() {
    const DatiAnalisi& d = dati;
    parNeve.hslm = vb::CStr(d.QuotaSlm);
    parNeve.mu = vb::CStr(d.MuNeve);
    parNeve.ce = vb::CStr(d.CeNeve);
    parNeve.ct = vb::CStr(d.CtNeve);
    parNeve.zona = d.ZonaNeve;
    parNeve.nFalde = vb::CStr(static_cast<double>(d.NumFalde));
    parNeve.parapetto = d.Parapetto == 1 ? 1 : 0;
    ricalcolaNeve();
}

void sovraccarichi::ImpostaCarVento() {
    const DatiAnalisi& d = dati;
    parVento.zona = vb::CStr(static_cast<double>(d.ZonaVento));
    parVento.classe = d.ClasseRugosita;
    parVento.distanza = vb::CStr(d.DistanzaMare);
    parVento.altezza = vb::CStr(d.AltezzaEdificio);
    parVento.categoria = d.CategoriaEsposizione;
    parVento.ce = vb::CStr(d.CeVento);
    parVento.ct = vb::CStr(d.CtVento);
    parVento.cd = vb::CStr(d.CdVento);
    parVento.cp = vb::CStr(d.CpVento);
    sovrcar_vento dlg(dati, prompter, this);
    caricaVento(dlg);
    Text15->setText(dlg.Text8->text());
    Text15->home(false);
    txtCarVento->setText(dlg.Text1->text());
    // The parameters shown beside the load are those it was computed with.
    if (!dlg.Text11->text().isEmpty()) {
        parVento.vb = dlg.Text10->text();
        parVento.categoria = dlg.Text11->text();
        parVento.ce = dlg.Text13->text();
    }
}

// Computes the snow load from the parameter set without showing the dialog,
// and keeps the shape coefficient it was computed with.
void sovraccarichi::ricalcolaNeve() {
    sovrcar_neve dlg(dati, prompter, this);
    caricaNeve(dlg);
    Text6->setText(dlg.Text8->text());
    Text6->home(false);
    txtCarNeve->setText(dlg.Text1->text());
    parNeve.mu = dlg.Text5->text();
    if (dlg.Option1->isChecked())
        parNeve.zona = QStringLiteral("Ia");
    else if (dlg.Option9->isChecked())
        parNeve.zona = QStringLiteral("Im");
    else if (dlg.Option2->isChecked())
        parNeve.zona = QStringLiteral("II");
    else
        parNeve.zona = QStringLiteral("III");
}

// Computes the wind load at the shared altitude without showing the dialog,
// and keeps the altitude-dependent parameters it was computed with.
void sovraccarichi::ricalcolaVento() {
    sovrcar_vento dlg(dati, prompter, this);
    caricaVento(dlg);
    Text15->setText(dlg.FormulaVentoAux);
    Text15->home(false);
    txtCarVento->setText(vb::Format(dlg.CarVentoAux, QStringLiteral("##0.00")));
    if (!dlg.Text11->text().isEmpty()) {
        parVento.vb = dlg.Text10->text();
        parVento.categoria = dlg.Text11->text();
        parVento.ce = dlg.Text13->text();
    }
}

void sovraccarichi::Command7_Click() {
    const float quota = dati.QuotaSlm;
    {
        sovrcar_neve dlg(dati, prompter, this);
        caricaNeve(dlg);
        if (showModal(dlg) == QDialog::Accepted) {
            const SnowHandBack& hb = dlg.handBack;
            Text6->setText(hb.formula);
            Text6->home(false);
            txtCarNeve->setText(hb.value);
            parNeve.hslm = hb.hslm;
            parNeve.zona = hb.zona;
            parNeve.mu = hb.mu;
            parNeve.ce = hb.ce;
            parNeve.ct = hb.ct;
            parNeve.nFalde = vb::CStr(static_cast<double>(hb.nFalde));
            parNeve.parapetto = hb.parapetto == 1 ? 1 : 0;
        }
    }
    ScriviAnalisi();
    if (dati.QuotaSlm != quota) {
        ricalcolaVento();
        // The report shows the wind load of the new altitude at once.
        ScriviAnalisi();
    }
}

void sovraccarichi::Command8_Click() {
    const float quota = dati.QuotaSlm;
    {
        sovrcar_vento dlg(dati, prompter, this);
        caricaVento(dlg);
        if (showModal(dlg) == QDialog::Accepted) {
            const WindHandBack& hb = dlg.handBack;
            Text15->setText(hb.formula);
            Text15->home(false);
            txtCarVento->setText(hb.value);
            parNeve.hslm = hb.hslm;
            parVento.zona = hb.zona;
            parVento.classe = hb.classe;
            parVento.distanza = hb.distanza;
            parVento.altezza = hb.altezza;
            parVento.categoria = hb.categoria;
            parVento.ce = hb.ce;
            parVento.ct = hb.ct;
            parVento.cd = hb.cd;
            parVento.cp = hb.cp;
            parVento.vb = hb.vb;
        }
    }
    ScriviAnalisi();
    if (dati.QuotaSlm != quota) {
        ricalcolaNeve();
        ScriviAnalisi();
    }
}
