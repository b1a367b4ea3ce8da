#include "sovrcar_vento.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ClimateWidgets.h"
#include "Prompter.h"
#include "Twips.h"
#include "VbConv.h"

namespace {

struct ZoneCaption {
    const char* option;
    const char* region;
};

const ZoneCaption kZones[9] = {
    {"ZONA 1 : ",
     "Valle D'Aosta, Piemonte, Lombardia, Trentino Alto Adige, Veneto, Friuli Venezia Giulia "
     "(esclusa prov. Trieste)"},
    {"ZONA 2 : ", "Emilia Romagna"},
    {"ZONA 3 : ",
     "Toscana, Marche, Umbria, Lazio, Abruzzo, Molise, Puglia, Campania, Basilicata, Calabria "
     "(escl. prov. ReggioC)"},
    {"ZONA 4 : ", "Sicilia e prov. Reggio Calabria"},
    {"ZONA 5 : ", "Sardegna (zona orientale)"},
    {"ZONA 6 : ", "Sardegna (zona occidentale)"},
    {"ZONA 7 . . . . . . . . . . . . . .", "Liguria"},
    {"ZONA 8 . . . . . . ", "Provincia di trieste"},
    {"ZONA 9 . . . . . . . . . . .", "Isole Minori"},
};

const char* const kClasses[4] = {
    " Aree Urbane in cui almeno 15% della superficie coperto da edifici di altezza media > 15m",
    " Aree Urbane non di classe A, suburbane, industriali e boschive",
    " Aree con ostacoli diffusi (alberi, case, ..) non riconducibili alle altre classi",
    " Aree prive di ostacoli (aperta campagna, aereoporti, aree agricole, pascoli, ...)",
};

QLineEdit* outputField(QWidget* parent, int width = -1) {
    auto* f = new QLineEdit(parent);
    f->setReadOnly(true);
    f->setFocusPolicy(Qt::ClickFocus);
    QPalette p = f->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    f->setPalette(p);
    if (width > 0) {
        f->setFixedWidth(width);
        f->setAlignment(Qt::AlignRight);
    }
    return f;
}

QLineEdit* inputField(QWidget* parent, const QString& text, climate::KeyRule rule) {
    auto* f = new QLineEdit(text, parent);
    f->setFixedWidth(60);
    f->setAlignment(Qt::AlignRight);
    climate::installKeyRule(f, rule);
    return f;
}

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

sovrcar_vento::sovrcar_vento(DatiAnalisi& record, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), record_(record), prompter_(prompter) {
    setWindowTitle(QStringLiteral("Carico da Vento"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(platform::twipsToPx(7500), platform::twipsToPx(6615));
    // The dialogs were laid out for an 8-point font.
    QFont dialogFont = font();
    dialogFont.setPointSizeF(8);
    setFont(dialogFont);
    buildUi();
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    // Load: the first tab; the map's areas carry their tool tips from the map itself.
    SSTab1->setCurrentIndex(0);
}

void sovrcar_vento::buildUi() {
    SSTab1 = new QTabWidget(this);
    // Three long captions share the width of the dialog.
    QFont tabFont = font();
    tabFont.setPointSizeF(7);
    SSTab1->tabBar()->setFont(tabFont);
    SSTab1->addTab(buildZoneTab(), QStringLiteral("Zona, Hslm"));
    SSTab1->addTab(buildExposureTab(), QStringLiteral("Categoria Esposizione / Classe Rugosità"));
    SSTab1->addTab(buildCoefficientTab(), QStringLiteral("Coeff. Topografia / Periodo Ritorno"));

    auto* results = new QGroupBox(this);
    auto* grid = new QGridLayout(results);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    Text6 = outputField(results);
    Text2 = outputField(results, 70);
    Text8 = outputField(results);
    Text1 = outputField(results, 70);
    for (QLineEdit* f : {Text2, Text1}) {
        QFont bold = f->font();
        bold.setBold(true);
        f->setFont(bold);
    }
    grid->addWidget(new QLabel(QStringLiteral("Pressione Cinetica q<sub>b</sub>="), results), 0, 0);
    grid->addWidget(Text6, 1, 0);
    grid->addWidget(Text2, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("daN/m²"), results), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Pressione netta P ="), results), 2, 0);
    grid->addWidget(Text8, 3, 0);
    grid->addWidget(Text1, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("daN/m²"), results), 3, 2);
    grid->setColumnStretch(0, 1);

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

    for (QLineEdit* f : {Text7, Text4, Text3, Text5, Text15, Text16})
        connect(f, &QLineEdit::textChanged, this, [this] { inputChanged(); });
    for (int k = 1; k <= 9; ++k)
        connect(OptZona[k], &QRadioButton::toggled, this, [this](bool on) {
            if (on) inputChanged();
        });
    for (int k = 1; k <= 4; ++k)
        connect(OptClasse[k], &QRadioButton::toggled, this, [this](bool on) {
            if (on) inputChanged();
        });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* sovrcar_vento::buildZoneTab() {
    auto* page = new QWidget(this);
    Mappa = new climate::ZoneMapWidget(climate::ZoneMap::Wind, page);
    Mappa->setFixedSize(150, 195);
    connect(Mappa, &climate::ZoneMapWidget::zoneClicked, this, [this](int zone) {
        if (zone >= 1 && zone <= 9 && OptZona[zone]->isEnabled()) OptZona[zone]->setChecked(true);
    });

    auto* group = new QButtonGroup(page);
    auto* right = new QVBoxLayout;
    right->setSpacing(3);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    for (int k = 1; k <= 9; ++k) {
        auto* swatch = new QLabel(page);
        swatch->setFixedSize(11, 11);
        swatch->setStyleSheet(QStringLiteral("background:%1; border:1px solid #5a5a5a;")
                                  .arg(climate::ZoneMap::windZoneColor(k).name()));
        OptZona[k] = new QRadioButton(QString::fromUtf8(kZones[k - 1].option), page);
        QFont bold = font();
        bold.setBold(true);
        OptZona[k]->setFont(bold);
        group->addButton(OptZona[k], k);
        auto* region = new climate::ClickableLabel(QString::fromUtf8(kZones[k - 1].region), page);
        region->setWordWrap(true);
        region->setFont(small);
        region->setCursor(Qt::PointingHandCursor);
        region->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        region->setContentsMargins(0, 2, 0, 0);
        QRadioButton* option = OptZona[k];
        connect(region, &climate::ClickableLabel::clicked, this, [option] {
            if (option->isEnabled()) option->setChecked(true);
        });
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(swatch, 0, Qt::AlignTop);
        row->addWidget(OptZona[k], 0, Qt::AlignTop);
        row->addWidget(region, 1);
        right->addLayout(row);
    }
    right->addStretch(1);
    OptZona[4]->setChecked(true);

    Text7 = inputField(page, QStringLiteral("750"), climate::KeyRule::WholeNumber);
    auto* altitude = new QHBoxLayout;
    altitude->addWidget(new QLabel(QStringLiteral("Altezza Livello mare"), page));
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
    v->addLayout(top, 1);
    v->addLayout(altitude);
    return page;
}

QWidget* sovrcar_vento::buildExposureTab() {
    auto* page = new QWidget(this);
    Text4 = inputField(page, QStringLiteral("50,00"), climate::KeyRule::DecimalComma);
    Text3 = inputField(page, QStringLiteral("4,00"), climate::KeyRule::DecimalComma);
    auto* sizes = new QGridLayout;
    sizes->addWidget(new QLabel(QStringLiteral("Distanza dal Mare ="), page), 0, 0);
    sizes->addWidget(Text4, 0, 1);
    sizes->addWidget(new QLabel(QStringLiteral("km"), page), 0, 2);
    sizes->addWidget(new QLabel(QStringLiteral("Altezza edificio  ="), page), 1, 0);
    sizes->addWidget(Text3, 1, 1);
    sizes->addWidget(new QLabel(QStringLiteral("m"), page), 1, 2);
    sizes->setColumnStretch(3, 1);

    auto* classes = new QGroupBox(QStringLiteral("Classe di Rugosità"), page);
    auto* cl = new QGridLayout(classes);
    cl->setVerticalSpacing(2);
    auto* group = new QButtonGroup(classes);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    for (int k = 1; k <= 4; ++k) {
        OptClasse[k] = new QRadioButton(QString(QChar(u'A' + k - 1)), classes);
        QFont bold = font();
        bold.setBold(true);
        OptClasse[k]->setFont(bold);
        group->addButton(OptClasse[k], k);
        auto* text = new climate::ClickableLabel(QString::fromUtf8(kClasses[k - 1]), classes);
        text->setWordWrap(true);
        text->setFont(small);
        QRadioButton* option = OptClasse[k];
        connect(text, &climate::ClickableLabel::clicked, this, [option] {
            if (option->isEnabled()) option->setChecked(true);
        });
        cl->addWidget(OptClasse[k], k - 1, 0, Qt::AlignTop);
        cl->addWidget(text, k - 1, 1);
    }
    cl->setColumnStretch(1, 1);
    OptClasse[4]->setChecked(true);

    FiguraCategoria = new climate::ExposureFigure(page);
    Text11 = outputField(page, 50);
    Text11->setAlignment(Qt::AlignCenter);
    auto* category = new QHBoxLayout;
    category->addWidget(boldLabel(QStringLiteral("Categoria di Esposizione"), page));
    category->addWidget(Text11);
    category->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addLayout(sizes);
    left->addWidget(classes, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    auto* figure = new QVBoxLayout;
    figure->addWidget(FiguraCategoria, 1);
    figure->addLayout(category);
    top->addLayout(figure, 2);
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(6, 6, 6, 6);
    v->addLayout(top, 1);
    return page;
}

QWidget* sovrcar_vento::buildCoefficientTab() {
    auto* page = new QWidget(this);
    Text5 = inputField(page, QStringLiteral("1,00"), climate::KeyRule::DecimalComma);
    Text15 = inputField(page, QStringLiteral("1,00"), climate::KeyRule::DecimalComma);
    Text16 = inputField(page, QStringLiteral("0,4"), climate::KeyRule::DecimalComma);
    CommandCp = new QPushButton(QStringLiteral("*"), page);
    CommandCp->setFixedWidth(28);
    CommandCp->setAutoDefault(false);
    CommandCp->setToolTip(QStringLiteral("Coefficienti di pressione"));
    Text10 = outputField(page, 80);
    Text13 = outputField(page, 80);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(6);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(new QLabel(caption, page), row, 0);
        grid->addWidget(field, row, 1);
        if (extra) grid->addWidget(extra, row, 2, Qt::AlignLeft);
        ++row;
    };
    addRow(QStringLiteral("Coefficiente di Topografia . . . . . . . . . . c<sub>t</sub> ="), Text5);
    addRow(QStringLiteral("Coefficiente Dinamico . . . . . . . . . . . . . c<sub>d</sub> ="),
           Text15);
    addRow(QStringLiteral("Coefficiente di Pressione . . . . . . . . . . . c<sub>p</sub> ="),
           Text16, CommandCp);
    grid->setRowMinimumHeight(row++, 10);
    addRow(QStringLiteral("Velocità di riferimento . . . . . . . . . . . . v<sub>b</sub> ="),
           Text10, new QLabel(QStringLiteral("m/s"), page));
    addRow(QStringLiteral("Coefficiente di Esposizione . . . . . . . . . c<sub>e</sub> ="), Text13);
    grid->setColumnStretch(3, 1);

    auto* note = new QLabel(
        QStringLiteral("Periodo di ritorno di progetto T<sub>R</sub> = 50 anni (c<sub>r</sub> = "
                       "1): v<sub>b</sub> è la velocità di riferimento della zona alla quota "
                       "a<sub>s</sub> del sito."),
        page);
    note->setWordWrap(true);
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(8, 8, 8, 8);
    v->addLayout(grid);
    v->addSpacing(8);
    v->addWidget(note);
    v->addStretch(1);

    // Floats over the tab, under the cp field, until "*" hides it again.
    FiguraCp = new climate::PressureCoefficientPicture(page);
    FiguraCp->hide();
    connect(CommandCp, &QPushButton::clicked, this, [this] {
        placeCoefficientPicture();
        FiguraCp->setVisible(!FiguraCp->isVisible());
        if (FiguraCp->isVisible()) FiguraCp->raise();
    });
    return page;
}

void sovrcar_vento::placeCoefficientPicture() {
    QWidget* page = FiguraCp->parentWidget();
    const int top = Text16->mapTo(page, QPoint(0, Text16->height())).y() + platform::twipsToPx(200);
    FiguraCp->setGeometry(0, top, page->width(), std::max(60, page->height() - top));
}

int sovrcar_vento::chosenZone() const {
    for (int k = 1; k <= 9; ++k)
        if (OptZona[k]->isChecked()) return k;
    return 4;
}

QString sovrcar_vento::chosenClass() const {
    for (int k = 1; k <= 4; ++k)
        if (OptClasse[k]->isChecked()) return OptClasse[k]->text();
    return QStringLiteral("D");
}

void sovrcar_vento::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    shown_ = true;
}

void sovrcar_vento::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) shown_ = true;
}

void sovrcar_vento::inputChanged() {
    // While the main window fills the fields nothing is computed; it calls Calcola_P itself.
    if (shown_) Calcola_P();
}

void sovrcar_vento::Calcola_P() {
    computeP();
}

bool sovrcar_vento::computeP() {
    for (QLineEdit* f : {Text6, Text2, Text8, Text1}) f->clear();

    climate::WindInputs in;
    in.zone = chosenZone();
    in.roughness = chosenClass();
    in.altitude = Text7->text();
    in.height = Text3->text();
    in.distance = Text4->text();
    in.ct = Text5->text();
    in.cd = Text15->text();
    in.cp = Text16->text();
    const climate::WindOutcome out = climate::computeWind(in);
    if (out.error) {
        QLineEdit* fields[] = {Text7, Text3, Text4, Text5, Text15, Text16};
        prompter_.beep();
        prompter_.message(climate::windFieldMessage(*out.error));
        climate::selectField(fields[static_cast<int>(*out.error)]);
        return false;
    }

    last_ = out.result;
    FormulaVentoAux = last_.formula;
    CarVentoAux = last_.carVento;
    Text10->setText(last_.text10);
    Text11->setText(last_.text11);
    Text13->setText(last_.text13);
    FiguraCategoria->setCategory(last_.category);
    Text6->setText(last_.text6);
    Text2->setText(last_.text2);
    Text8->setText(last_.text8);
    Text1->setText(last_.text1);
    for (QLineEdit* f : {Text6, Text8}) f->setCursorPosition(0);
    return true;
}

void sovrcar_vento::Calcola_CoefEsp() {
    const double d = vb::CDbl(Text4->text());
    const double as = vb::CDbl(Text7->text());
    const QString category = climate::exposureCategory(chosenZone(), chosenClass(), d, as);
    const double ce =
        climate::exposureCoefficient(category, vb::CDbl(Text3->text()), vb::CDbl(Text5->text()));
    Text11->setText(category);
    Text13->setText(climate::generalSingle(ce));
    FiguraCategoria->setCategory(category);
}

void sovrcar_vento::Command1_Click() {
    // Hand back only what the fields now say: a value that does not compute keeps the
    // dialog open with its message instead of handing back an older result.
    if (!computeP()) return;
    if (vb::IsNumeric(Text7->text())) {
        const float as = vb::CSng(Text7->text());
        if (record_.NeveAttiva == 1 && record_.QuotaSlm != 0 && as != record_.QuotaSlm) {
            prompter_.beep();
            prompter_.message(climate::windAltitudeConflictMessage(record_.QuotaSlm),
                              platform::vbOKOnly | platform::vbCritical,
                              QStringLiteral("Errore Altezza Livello Mare"));
            climate::selectField(Text7);
            return;
        }
        record_.QuotaSlm = as;
    }

    handBack.hslm = Text7->text();
    handBack.formula = FormulaVentoAux;
    handBack.value = vb::Format(CarVentoAux, QStringLiteral("##0.00"));
    handBack.zona = QString::number(last_.zone);
    handBack.classe = last_.roughness;
    handBack.distanza = climate::generalSingle(last_.distance);
    handBack.altezza = climate::generalSingle(last_.height);
    handBack.categoria = last_.category;
    handBack.ce = climate::generalSingle(last_.ce);
    handBack.ct = climate::generalSingle(last_.ct);
    handBack.cd = climate::generalSingle(last_.cd);
    handBack.cp = climate::generalSingle(last_.cp);
    handBack.vb = climate::generalSingle(last_.vb);
    record_.VentoAttivo = 1;
    accept();
}
