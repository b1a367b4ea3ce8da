#include "sovrcar_neve.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ClimateWidgets.h"
#include "Prompter.h"
#include "Twips.h"
#include "VbConv.h"

using climate::SnowZone;

namespace {

const char* const kProvinces[4] = {
    "Aosta, Belluno, Bergamo, Biella, Bolzano, Brescia, Como, Cuneo, Lecco, Pordenone, Sondrio, "
    "Torino, Trento, Udine, Verbania, Vercelli, Vicenza",
    "Alessandria, Ancona, Asti, Bologna, Cremona, Forlì-Cesena, Lodi, Milano, Modena, Novara, "
    "Parma, Pavia, Pesaro e Urbino, Piacenza, Ravenna, Reggio Emilia, Rimini, Treviso, Varese",
    "Arezzo, Ascoli Piceno, Bari, Campobasso, Chieti, Ferrara, Firenze, Foggia, Genova, Gorizia, "
    "Imperia, Isernia, La Spezia, Lucca, Macerata, Mantova, Massa Carrara, Padova, Perugia, "
    "Pescara, Pistoia, Prato, Rovigo, Savona, Teramo, Trieste, Venezia, Verona",
    "Agrigento, Avellino, Benevento, Brindisi, Cagliari, Caltanisetta, Carbonia-Iglesias, "
    "Caserta, Catania, Catanzaro, Cosenza, Crotone, Enna, Frosinone, Grosseto, L'Aquila, Latina, "
    "Lecce, Livorno, Matera, Medio Campidano, Messina, Napoli, Nuoro, Ogliastra, Olbia Tempio, "
    "Oristano, Palermo, Pisa, Potenza, Ragusa, Reggio Calabria, Rieti, Roma, Salerno, Sassari, "
    "Siena, Siracusa, Taranto, Terni, Trapani, Vibo Valentia, Viterbo",
};

QLineEdit* outputField(QWidget* parent) {
    auto* f = new QLineEdit(parent);
    f->setReadOnly(true);
    f->setFocusPolicy(Qt::ClickFocus);
    QPalette p = f->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    f->setPalette(p);
    return f;
}

QLineEdit* inputField(QWidget* parent, const QString& text, climate::KeyRule rule, int width) {
    auto* f = new QLineEdit(text, parent);
    f->setFixedWidth(width);
    f->setAlignment(Qt::AlignRight);
    climate::installKeyRule(f, rule);
    return f;
}

QTableWidget* referenceTable(const QStringList& headers, const QList<QStringList>& rows,
                             QWidget* parent) {
    auto* t = new QTableWidget(rows.size(), headers.size(), parent);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    t->setWordWrap(true);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(c == 1 && headers.size() == 3
                                       ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                       : Qt::Alignment(Qt::AlignCenter));
            t->setItem(r, c, item);
        }
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return t;
}

}  // namespace

sovrcar_neve::sovrcar_neve(DatiAnalisi& record, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), record_(record), prompter_(prompter) {
    setWindowTitle(QStringLiteral("Carico da neve"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(platform::twipsToPx(7500), platform::twipsToPx(7065));
    // The dialogs were laid out for an 8-point font.
    QFont dialogFont = font();
    dialogFont.setPointSizeF(8);
    setFont(dialogFont);
    buildUi();
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

    // Load: the one-pitch picture, the first tab, then the shape coefficient and the load.
    Copertura->setPitches(1);
    SSTab1->setCurrentIndex(0);
    DeterminaMiu();
    Calcola_qs();
}

void sovrcar_neve::buildUi() {
    SSTab1 = new QTabWidget(this);
    SSTab1->addTab(buildZoneTab(), QStringLiteral("Zona, Hslm"));
    SSTab1->addTab(buildCoefficientTab(), QStringLiteral("Coeff. Esposizione, Termico"));
    SSTab1->addTab(buildShapeTab(), QStringLiteral("Coeff. Forma Copertura"));

    auto* results = new QGroupBox(this);
    auto* grid = new QGridLayout(results);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    Text6 = outputField(results);
    Text2 = outputField(results);
    Text8 = outputField(results);
    Text1 = outputField(results);
    for (QLineEdit* f : {Text2, Text1}) {
        f->setFixedWidth(70);
        f->setAlignment(Qt::AlignRight);
        QFont bold = f->font();
        bold.setBold(true);
        f->setFont(bold);
    }
    grid->addWidget(new QLabel(QStringLiteral("q<sub>sk</sub> ="), results), 0, 0, 1, 2);
    grid->addWidget(Text6, 0, 2);
    grid->addWidget(Text2, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("daN/m²"), results), 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("q<sub>s</sub> = μ<sub>i</sub> q<sub>sk</sub> "
                                              "C<sub>e</sub> C<sub>t</sub> ="),
                               results),
                    1, 0, 1, 2);
    grid->addWidget(Text8, 2, 0, 1, 3);
    grid->addWidget(Text1, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("daN/m²"), results), 2, 4);
    grid->setColumnStretch(2, 1);

    Command1 = new QPushButton(QStringLiteral("Applica"), this);
    Command2 = new QPushButton(QStringLiteral("Annulla"), this);
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command2->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(6, 6, 6, 6);
    main->setSpacing(4);
    main->addWidget(SSTab1, 1);
    main->addWidget(results);
    main->addLayout(buttons);

    // Events.
    connect(Text7, &QLineEdit::textChanged, this, [this] { Text7_Change(); });
    for (QLineEdit* f : {Text3, Text4, Text5})
        connect(f, &QLineEdit::textChanged, this, [this] { Calcola_qs(); });
    connect(Text9, &QLineEdit::textChanged, this, [this] {
        DeterminaMiu();
        Calcola_qs();
    });
    for (QRadioButton* o : {Option1, Option9, Option2, Option3})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Calcola_qs();
        });
    for (QRadioButton* o : {Option4, Option5, Option6, Option7})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            DeterminaMiu();
            Calcola_qs();
        });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* sovrcar_neve::buildZoneTab() {
    auto* page = new QWidget(this);
    Mappa = new climate::ZoneMapWidget(climate::ZoneMap::Snow, page);
    Mappa->setFixedSize(140, 182);

    Option1 = new QRadioButton(QStringLiteral("ZONA I  - Alpina"), page);
    Option9 = new QRadioButton(QStringLiteral("ZONA I  - Mediterranea"), page);
    Option2 = new QRadioButton(QStringLiteral("ZONA II : "), page);
    Option3 = new QRadioButton(QStringLiteral("ZONA III : "), page);
    auto* group = new QButtonGroup(page);
    QRadioButton* options[4] = {Option1, Option9, Option2, Option3};
    auto* right = new QVBoxLayout;
    right->setSpacing(0);
    auto* bottom = new QVBoxLayout;
    bottom->setSpacing(0);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    for (int i = 0; i < 4; ++i) {
        group->addButton(options[i]);
        QFont bold = font();
        bold.setBold(true);
        options[i]->setFont(bold);
        auto* swatch = new QLabel(page);
        swatch->setFixedSize(12, 12);
        swatch->setStyleSheet(QStringLiteral("background:%1; border:1px solid #5a5a5a;")
                                  .arg(climate::ZoneMap::snowZoneColor(i + 1).name()));
        auto* row = new QHBoxLayout;
        row->addWidget(swatch);
        row->addWidget(options[i], 1);
        // Zone III's long list runs under the map, across the whole tab.
        QVBoxLayout* column = i < 3 ? right : bottom;
        column->addLayout(row);
        auto* list = new climate::ClickableLabel(QString::fromUtf8(kProvinces[i]), page);
        list->setWordWrap(true);
        list->setFont(small);
        list->setContentsMargins(16, 0, 0, 1);
        list->setCursor(Qt::PointingHandCursor);
        ProvinceList.append(list);
        QRadioButton* option = options[i];
        connect(list, &climate::ClickableLabel::clicked, this, [option] {
            if (option->isEnabled()) option->setChecked(true);
        });
        column->addWidget(list);
    }
    right->addStretch(1);
    Option3->setChecked(true);

    connect(Mappa, &climate::ZoneMapWidget::zoneClicked, this,
            [this](int zone) { chooseZone(static_cast<SnowZone>(zone)); });

    Text7 = inputField(page, QStringLiteral("750"), climate::KeyRule::WholeNumber, 60);
    auto* altitude = new QHBoxLayout;
    auto* caption =
        new QLabel(QStringLiteral("Altezza Livello mare . . . . . . . . . . . . . . ."), page);
    altitude->addWidget(caption);
    altitude->addStretch(1);
    altitude->addWidget(new QLabel(QStringLiteral("a<sub>s</sub> ="), page));
    altitude->addWidget(Text7);
    altitude->addWidget(new QLabel(QStringLiteral("m."), page));

    auto* left = new QVBoxLayout;
    left->addWidget(Mappa);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(6, 6, 6, 6);
    v->setSpacing(2);
    v->addLayout(top);
    v->addLayout(bottom);
    v->addStretch(1);
    v->addLayout(altitude);
    return page;
}

QWidget* sovrcar_neve::buildCoefficientTab() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(8, 6, 8, 6);
    auto* title = new QLabel(
        QStringLiteral("Tabella 3.5.V - Valori di Ce per diverse Classi di Topografia"), page);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    v->addWidget(title);
    auto* table = referenceTable(
        {QStringLiteral("TOPOGRAFIA"), QStringLiteral("DESCRIZIONE"), QStringLiteral("Ce")},
        {{QStringLiteral("Battuta dai Venti"),
          QStringLiteral("Aree pianeggianti non ostruite esposte su tutti i lati, senza "
                         "costruzioni o alberi più alti"),
          QStringLiteral("0,90")},
         {QStringLiteral("Normale"),
          QStringLiteral("Aree in cui non è presente una significativa rimozione di neve sulla "
                         "costruzione prodotta dal vento, a causa del terreno, altre costruzioni "
                         "o alberi"),
          QStringLiteral("1,00")},
         {QStringLiteral("Riparata"),
          QStringLiteral("Aree in cui la costruzione considerata è sensibilmente più bassa del "
                         "circostante terreno o circondata da costruzioni o alberi più alti"),
          QStringLiteral("1,10")}},
        page);
    table->setColumnWidth(0, 105);
    table->setColumnWidth(2, 45);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->verticalHeader()->setDefaultSectionSize(44);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + 3 * 44 + 4);
    v->addWidget(table);

    Text3 = inputField(page, QStringLiteral("1,00"), climate::KeyRule::DecimalComma, 60);
    auto* ceRow = new QHBoxLayout;
    ceRow->addWidget(new QLabel(QStringLiteral("Coefficiente di Esposizione . . . . . . . . . . . "
                                               ". C<sub>e</sub> ="),
                                page));
    ceRow->addWidget(Text3);
    ceRow->addStretch(1);
    v->addLayout(ceRow);

    auto* note = new QLabel(
        QStringLiteral(
            "Il coefficiente termico può essere utilizzato per tener conto della riduzione del "
            "carico neve a causa dello scioglimento della stessa, causata dalla perdita di "
            "calore della costruzione. Tale coefficiente tiene conto delle proprietà di "
            "isolamento termico del materiale utilizzato in copertura. In assenza di uno "
            "specifico e documentato studio, deve essere utilizzato Ct=1."),
        page);
    note->setWordWrap(true);
    v->addSpacing(6);
    v->addWidget(note);
    Text4 = inputField(page, QStringLiteral("1,00"), climate::KeyRule::DecimalComma, 60);
    auto* ctRow = new QHBoxLayout;
    ctRow->addWidget(new QLabel(
        QStringLiteral("Coefficiente Termico . . . . . . . . . . . . . . . . . C<sub>t</sub> ="),
        page));
    ctRow->addWidget(Text4);
    ctRow->addStretch(1);
    v->addLayout(ctRow);
    v->addStretch(1);
    return page;
}

QWidget* sovrcar_neve::buildShapeTab() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(8, 6, 8, 6);
    auto* title =
        new QLabel(QStringLiteral("Tabella 3.4.II - Valori del coefficiente di Forma"), page);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    v->addWidget(title);
    auto* table =
        referenceTable({QStringLiteral("Coefficiente di forma"), QStringLiteral("0° ≤ α ≤ 30°"),
                        QStringLiteral("30° < α < 60°"), QStringLiteral("α ≥ 60°")},
                       {{QStringLiteral("μ1"), QStringLiteral("0,80"),
                         QStringLiteral("0,80·(60 − α)/30"), QStringLiteral("0,00")}},
                       page);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->verticalHeader()->setDefaultSectionSize(24);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + 24 + 4);
    v->addWidget(table);

    auto* type = new QGroupBox(QStringLiteral("Tipo Copertura"), page);
    Option6 = new QRadioButton(QStringLiteral("Ad una Falda"), type);
    Option7 = new QRadioButton(QStringLiteral("a due Falde"), type);
    auto* tl = new QVBoxLayout(type);
    tl->addWidget(Option6);
    tl->addWidget(Option7);
    Option6->setChecked(true);

    auto* parapet = new QGroupBox(QStringLiteral("Parapetto"), page);
    Option4 = new QRadioButton(QStringLiteral("Con Parapetto"), parapet);
    Option5 = new QRadioButton(QStringLiteral("Senza Parapetto"), parapet);
    auto* pl = new QVBoxLayout(parapet);
    pl->addWidget(Option4);
    pl->addWidget(Option5);
    Option5->setChecked(true);

    Text9 = inputField(page, QString(), climate::KeyRule::DecimalComma, 60);
    Text5 = inputField(page, QString(), climate::KeyRule::DecimalComma, 60);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Inclinazione falda  α° ="), page), 0, 0);
    fields->addWidget(Text9, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Coeff. di forma  μ<sub>i</sub> ="), page), 1, 0);
    fields->addWidget(Text5, 1, 1);

    auto* choices = new QVBoxLayout;
    choices->addWidget(type);
    choices->addWidget(parapet);
    choices->addLayout(fields);
    choices->addStretch(1);

    Copertura = new climate::RoofPicture(page);
    auto* row = new QHBoxLayout;
    row->addLayout(choices);
    row->addWidget(Copertura, 1);
    v->addLayout(row, 1);
    return page;
}

SnowZone sovrcar_neve::chosenZone() const {
    // Tested in the order I-Alpina, I-Mediterranea, II, III.
    if (Option1->isChecked()) return SnowZone::AlpinaI;
    if (Option9->isChecked()) return SnowZone::MediterraneaI;
    if (Option2->isChecked()) return SnowZone::II;
    if (Option3->isChecked()) return SnowZone::III;
    return SnowZone::None;
}

void sovrcar_neve::chooseZone(SnowZone zone) {
    QRadioButton* option = nullptr;
    switch (zone) {
        case SnowZone::AlpinaI:
            option = Option1;
            break;
        case SnowZone::MediterraneaI:
            option = Option9;
            break;
        case SnowZone::II:
            option = Option2;
            break;
        case SnowZone::III:
            option = Option3;
            break;
        default:
            return;
    }
    if (option->isEnabled()) option->setChecked(true);
}

void sovrcar_neve::Calcola_qs() {
    climate::SnowInputs in;
    in.zone = chosenZone();
    in.altitude = Text7->text();
    in.ce = Text3->text();
    in.ct = Text4->text();
    in.mu = Text5->text();
    last_ = climate::computeSnow(in);
    Text6->setText(last_.text6);
    Text2->setText(last_.text2);
    Text8->setText(last_.text8);
    Text1->setText(last_.text1);
    for (QLineEdit* f : {Text6, Text8}) f->setCursorPosition(0);
}

void sovrcar_neve::DeterminaMiu() {
    const float mu = climate::shapeCoefficient(Text9->text(), Option4->isChecked());
    Copertura->setPitches(Option7->isChecked() ? 2 : 1);
    Text5->setText(climate::shapeCoefficientText(mu));
}

void sovrcar_neve::Text7_Change() {
    const climate::AltitudeState state = climate::snowAltitudeState(Text7->text());
    if (state == climate::AltitudeState::Empty) return;
    if (state == climate::AltitudeState::Valid) {
        Calcola_qs();
        return;
    }
    prompter_.beep();
    prompter_.message(climate::snowAltitudeMessage(state));
}

void sovrcar_neve::Command1_Click() {
    // An altitude the field refused (or none) would hand back a result computed for
    // another altitude: it is refused here as well.
    climate::AltitudeState state = climate::snowAltitudeState(Text7->text());
    if (state != climate::AltitudeState::Valid) {
        if (state == climate::AltitudeState::Empty) state = climate::AltitudeState::NotNumeric;
        prompter_.beep();
        prompter_.message(climate::snowAltitudeMessage(state));
        climate::selectField(Text7);
        return;
    }
    const float as = vb::CSng(Text7->text());
    if (record_.VentoAttivo == 1 && record_.QuotaSlm != 0 && as != record_.QuotaSlm) {
        prompter_.beep();
        prompter_.message(climate::snowAltitudeConflictMessage(record_.QuotaSlm),
                          platform::vbOKOnly | platform::vbCritical,
                          QString::fromLatin1(climate::kAltitudeConflictCaption));
        climate::selectField(Text7);
        return;
    }
    record_.QuotaSlm = as;
    Calcola_qs();

    handBack.formula = Text8->text();
    handBack.value = Text1->text();
    handBack.hslm = Text7->text();
    handBack.zona = climate::snowZoneCode(chosenZone());
    handBack.mu = Text5->text();
    handBack.ce = Text3->text();
    handBack.ct = Text4->text();
    handBack.nFalde = Option7->isChecked() ? 2 : 1;
    handBack.parapetto = Option4->isChecked() ? 1 : 0;
    record_.NeveAttiva = 1;
    accept();
}
