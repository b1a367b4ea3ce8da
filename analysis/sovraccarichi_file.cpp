// The window's side of the analysis files: the dialogs, the questions and the
// records in the order the file lays them out.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

#include "AnalysisFile.h"
#include "Prompter.h"
#include "VbConv.h"
#include "sovraccarichi.h"

#ifndef TESSARO_VERSION_MAJOR
#define TESSARO_VERSION_MAJOR 1
#define TESSARO_VERSION_MINOR 0
#endif

namespace {

const QString kSenzaNome = QStringLiteral("Senza Nome");
const QString kFiltro = QStringLiteral("Tessaro DM.2008 (*.TSR)|*.TSR|Tutti i file (*.*)|*.*");
const QString kDanneggiato =
    QStringLiteral("File danneggiato o file non contenente Tessaro Solaio.");
const QString kValoreNonValido = QStringLiteral("Valore della proprietà non valido");

// The partition entries' row-10 values, as the list writes them.
const char* const kTramezziValore[5] = {"40,00", "80,00", "120,00", "160,00", "200,00"};

// The largest file a reader needs: every optional record present, and some slack.
constexpr qint64 kMaxBytes = 80 * kTsrRecordSize;

// Puts a text read from a file into a field whole: a field's length limit
// holds the typing back, not what another program wrote.
void putText(QLineEdit* field, const QString& text) {
    if (text.size() > field->maxLength()) field->setMaxLength(static_cast<int>(text.size()));
    field->setText(text);
}

}  // namespace

QString sovraccarichi::versioneProgramma() {
    return QString::number(TESSARO_VERSION_MAJOR) + QLatin1Char('.') +
           QString::number(TESSARO_VERSION_MINOR);
}

void sovraccarichi::mostraPercorso() {
    fileNameField->setText(PercorsoAnalisi);
    fileNameField->setCursorPosition(static_cast<int>(PercorsoAnalisi.size()));
}

// --- Dialogs -----------------------------------------------------------------------------

void sovraccarichi::aprisalv(const QString& Azione) {
    if (Azione == QLatin1String("Salva")) {
        if (PercorsoAnalisi == kSenzaNome)
            salvaConNome();
        else
            salvafil();
        return;
    }
    if (Azione == QLatin1String("SalvaConNome")) {
        salvaConNome();
        return;
    }
    if (Azione != QLatin1String("Apri")) return;

    platform::FileDialogRequest req;
    req.title = QStringLiteral("Apri Analisi");
    req.filter = kFiltro;
    req.filterIndex = 1;
    const std::optional<QString> path = prompter.openFile(req);
    if (!path || path->isEmpty()) return;
    apriAnalisi(*path);
}

void sovraccarichi::salvaConNome() {
    platform::FileDialogRequest req;
    req.title = QStringLiteral("Salva con Nome");
    req.filter = kFiltro;
    req.filterIndex = 1;
    QString path;
    for (;;) {
        req.fileName = PercorsoAnalisi == kSenzaNome ? QString() : PercorsoAnalisi;
        const std::optional<QString> chosen = prompter.saveFile(req);
        if (!chosen || chosen->isEmpty()) return;
        path = *chosen;
        // Any file there is asked about, also one this user cannot read.
        if (!QFileInfo::exists(path)) break;
        prompter.beep();
        const int answer = prompter.message(
            QStringLiteral("File \"") + path + QStringLiteral("\"  Esiste - Sovrapporre?"),
            platform::vbYesNoCancel | platform::vbQuestion);
        if (answer == platform::vbYes) break;
        if (answer != platform::vbNo) return;
    }
    // The path becomes the analysis's only once the file holds it.
    if (scriviFile(path)) {
        PercorsoAnalisi = path;
        mostraPercorso();
    }
}

sovraccarichi::Apertura sovraccarichi::apriAnalisi(const QString& path) {
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        prompter.message(QStringLiteral("File: \"") + path +
                             QStringLiteral("\" inesistente o non leggibile dal programma\n") +
                             probe.errorString(),
                         platform::vbOKOnly);
        return Apertura::NonLeggibile;
    }
    probe.close();
    PercorsoAnalisi = path;
    const QString error = leggifil();
    if (!error.isEmpty()) {
        prompter.message(kDanneggiato + QLatin1Char('\n') + error, platform::vbOKOnly);
        return Apertura::Danneggiata;
    }
    return Apertura::Letta;
}

// --- Writing -----------------------------------------------------------------------------

bool sovraccarichi::salvafil() {
    return scriviFile(PercorsoAnalisi);
}

bool sovraccarichi::scriviFile(const QString& path) {
    TsrWriter w;
    // Each text with the field it comes from, so a refusal can name and show it.
    QLineEdit* badField = nullptr;
    QString problem;
    auto text = [&](const QString& value, const QString& name, QLineEdit* field = nullptr) {
        if (!w.failed() && !w.text(value, name)) {
            badField = field;
            problem = tsrTextProblem(value);
        }
    };
    auto integer = [&](int value) { w.integer(static_cast<int16_t>(value)); };

    text(versioneProgramma(), QStringLiteral("Versione"));
    text(txtPP->text(), QStringLiteral("Descrizione del peso proprio"), txtPP);
    text(txtVPP->text(), QStringLiteral("Peso proprio"), txtVPP);
    for (int j = 1; j <= 13; ++j) {
        const bool on = chkPerm[j]->isChecked();
        integer(on ? 1 : 0);
        text(txtPerm[j]->text(), QStringLiteral("Valore della riga %1 dei permanenti").arg(j),
             txtPerm[j]);
        if (j == 10 && on) integer(Combo1->currentIndex());
        if (j >= 11 && on)
            text(txtDescrPerm[j - 10]->text(),
                 QStringLiteral("Descrizione della riga %1 dei permanenti").arg(j),
                 txtDescrPerm[j - 10]);
    }
    for (int j = 1; j <= 5; ++j) {
        integer(chkLD[j]->isChecked() ? 1 : 0);
        text(txtLD[j]->text(), QStringLiteral("Descrizione della riga %1 di lunga durata").arg(j),
             txtLD[j]);
        text(txtVLD[j]->text(), QStringLiteral("Valore della riga %1 di lunga durata").arg(j),
             txtVLD[j]);
    }
    const int cat = categoriaScelta();
    integer(cat);
    if (cat == 16)
        text(vb::Trim(Text14->text()), QStringLiteral("Descrizione della categoria Altro"), Text14);
    text(cat ? vb::Trim(Text2[cat]->text()) : QStringLiteral("0"),
         QStringLiteral("Carico ripartito della categoria"), cat ? Text2[cat] : nullptr);
    text(cat ? vb::Trim(Text3[cat]->text()) : QStringLiteral("0"),
         QStringLiteral("Carico concentrato della categoria"), cat ? Text3[cat] : nullptr);

    // The flags follow the ticks: a refresh refused by a bad value elsewhere may
    // have left the record behind them.
    integer(CheckNeve->isChecked() ? 1 : 0);
    text(Text6->text(), QStringLiteral("Formula del carico neve"), Text6);
    text(txtCarNeve->text(), QStringLiteral("Carico neve"), txtCarNeve);
    text(parNeve.hslm, QStringLiteral("Quota s.l.m."));
    text(parNeve.zona, QStringLiteral("Zona neve"));
    text(parNeve.mu, QStringLiteral("Coefficiente di forma"));
    text(parNeve.ce, QStringLiteral("Coefficiente di esposizione neve"));
    text(parNeve.ct, QStringLiteral("Coefficiente termico"));
    text(parNeve.nFalde, QStringLiteral("Numero di falde"));
    text(parNeve.parapettoText(), QStringLiteral("Parapetto"));
    integer(CheckVento->isChecked() ? 1 : 0);
    text(Text15->text(), QStringLiteral("Formula del carico vento"), Text15);
    text(txtCarVento->text(), QStringLiteral("Carico vento"), txtCarVento);
    text(parVento.zona, QStringLiteral("Zona vento"));
    text(parVento.classe, QStringLiteral("Classe di rugosità"));
    text(parVento.distanza, QStringLiteral("Distanza dal mare"));
    text(parVento.altezza, QStringLiteral("Altezza dell'edificio"));
    text(parVento.categoria, QStringLiteral("Categoria di esposizione"));
    text(parVento.ce, QStringLiteral("Coefficiente di esposizione vento"));
    text(parVento.ct, QStringLiteral("Coefficiente di topografia"));
    text(parVento.cd, QStringLiteral("Coefficiente dinamico"));
    text(parVento.cp, QStringLiteral("Coefficiente di forma del vento"));
    text(parVento.vb, QStringLiteral("Velocità di riferimento"));

    if (w.failed()) {
        // Nothing is cut or replaced behind the user's back: the save is refused.
        prompter.beep();
        prompter.message(
            QStringLiteral("L'analisi non è stata salvata: il testo del campo \"") + w.badText() +
                QStringLiteral("\" ") +
                (problem.isEmpty() ? QStringLiteral("non può essere registrato nel file")
                                   : problem) +
                QLatin1Char('.'),
            platform::vbOKOnly | platform::vbExclamation);
        if (badField) SelezionaTesto(badField);
        return false;
    }
    const QString error = writeFileSafely(path, w.data());
    if (!error.isEmpty()) {
        prompter.message(QStringLiteral("L'analisi non è stata salvata nel file \"") + path +
                             QStringLiteral("\".\n") + error,
                         platform::vbOKOnly | platform::vbExclamation);
        return false;
    }
    mostraPercorso();
    ModifDatiCarichi = 0;
    return true;
}

// --- Reading -----------------------------------------------------------------------------

QString sovraccarichi::leggifil() {
    QFile file(PercorsoAnalisi);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    TsrReader r(file.read(kMaxBytes));
    file.close();

    // The rows' own refreshes would each validate a half-read analysis; the
    // whole file is refreshed once at its end.
    lettura = true;
    QString s;
    int16_t n = 0;
    QString error;
    auto fail = [&](const QString& why) {
        error = why;
        return false;
    };
    auto body = [&]() -> bool {
        QString versione;
        if (!r.text(versione)) return false;
        if (versione != versioneProgramma()) {
            prompter.beep();
            prompter.message(
                QStringLiteral("Attenzione! Il File di Analisi indicato è stato creato con la "
                               "Versione ") +
                    versione +
                    QStringLiteral(" del programma.\nSi consiglia di controllare attentamente i "
                                   "dati Letti dal File."),
                platform::vbOKOnly);
        }
        if (!r.text(s)) return false;
        putText(txtPP, s);
        if (!r.text(s)) return false;
        putText(txtVPP, s);

        for (int j = 1; j <= 13; ++j) {
            if (!r.integer(n)) return false;
            if (n < 0 || n > 2) return fail(kValoreNonValido);  // 2: greyed, not ticked
            if (!r.text(s)) return false;
            chkPerm[j]->setChecked(n == 1);
            if (n == 1) putText(txtPerm[j], s);
            if (j == 10 && n == 1) {
                int16_t entry = 0;
                if (!r.integer(entry)) return false;
                if (entry < -1 || entry > 4) return fail(kValoreNonValido);
                Combo1->setCurrentIndex(entry);
                // The entry's value wins over the one read, even when the entry
                // was already chosen.
                if (entry >= 0) txtPerm[10]->setText(QString::fromUtf8(kTramezziValore[entry]));
            }
            if (j >= 11 && n == 1) {
                if (!r.text(s)) return false;
                putText(txtDescrPerm[j - 10], s);
            }
        }

        for (int j = 1; j <= 5; ++j) {
            if (!r.integer(n)) return false;
            if (n < 0 || n > 2) return fail(kValoreNonValido);  // 2: greyed, not ticked
            chkLD[j]->setChecked(n == 1);
            QString descr;
            if (!r.text(descr) || !r.text(s)) return false;
            if (n == 1) {
                putText(txtLD[j], descr);
                putText(txtVLD[j], s);
            }
        }

        int16_t cat = 0;
        if (!r.integer(cat)) return false;
        if (cat < 0 || cat > 16) cat = 0;  // no category of the table
        if (cat >= 1) {
            if (Option1[cat]->isChecked())
                sceltaCategoria(cat);
            else
                Option1[cat]->setChecked(true);
        } else if (const int chosen = categoriaScelta()) {
            // An analysis without a category leaves none chosen.
            annullaCategoria(chosen);
        }
        if (cat == 16) {
            if (!r.text(s)) return false;
            putText(Text14, s);
        }
        QString ripartito, concentrato;
        if (!r.text(ripartito) || !r.text(concentrato)) return false;
        if (cat >= 1) {
            putText(Text2[cat], ripartito);
            putText(Text3[cat], concentrato);
        }

        if (!r.integer(n)) return false;
        dati.NeveAttiva = n;
        CheckNeve->setChecked(n == 1);
        QString neve[9];
        for (QString& t : neve)
            if (!r.text(t)) return false;
        putText(Text6, neve[0]);
        Text6->home(false);
        putText(txtCarNeve, neve[1]);
        parNeve.hslm = neve[2];
        parNeve.zona = neve[3];
        parNeve.mu = neve[4];
        parNeve.ce = neve[5];
        parNeve.ct = neve[6];
        parNeve.nFalde = neve[7];
        parNeve.setParapettoText(neve[8]);
        // The altitude is shared: the wind load of the file stands at it too.
        if (vb::IsNumeric(parNeve.hslm)) {
            const double q = vb::CDbl(parNeve.hslm);
            if (q >= -1e6 && q <= 1e6) dati.QuotaSlm = static_cast<float>(q);
        }

        if (!r.integer(n)) return false;
        dati.VentoAttivo = n;
        CheckVento->setChecked(n == 1);
        QString vento[12];
        for (QString& t : vento)
            if (!r.text(t)) return false;
        putText(Text15, vento[0]);
        Text15->home(false);
        putText(txtCarVento, vento[1]);
        parVento.zona = vento[2];
        parVento.classe = vento[3];
        parVento.distanza = vento[4];
        parVento.altezza = vento[5];
        parVento.categoria = vento[6];
        parVento.ce = vento[7];
        parVento.ct = vento[8];
        parVento.cd = vento[9];
        parVento.cp = vento[10];
        parVento.vb = vento[11];
        return true;
    };
    const bool complete = body();
    lettura = false;
    if (!complete) {
        // What was read stays in the window, under the new path.
        mostraPercorso();
        return error.isEmpty() ? r.error() : error;
    }
    mostraPercorso();
    ScriviAnalisi();
    ModifDatiCarichi = 0;
    return QString();
}
