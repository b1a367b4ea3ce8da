#include "sovraccarichi.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QValidator>

#include <cfloat>
#include <cmath>

#include "AnalysisFile.h"
#include "CodePage1252.h"
#include "Prompter.h"
#include "Report.h"
#include "StampaAnalisi.h"
#include "Twips.h"
#include "VbConv.h"

#ifndef TESSARO_WEB_URL
#define TESSARO_WEB_URL "https://www.example.com/tessaro"
#endif
#ifndef TESSARO_HELP_FILE
#define TESSARO_HELP_FILE "Tessaro DM2008.pdf"
#endif
#ifndef TESSARO_VERSION_MAJOR
#define TESSARO_VERSION_MAJOR 1
#define TESSARO_VERSION_MINOR 0
#endif

using platform::twipsToPx;

namespace {

const char* const kPermCaptions[14] = {
    "",
    "Intonaco  (1,5cm)  . . . . . . . . . . . . . . . . . . . . . . . . . .",
    "Malta di allettamento (3,0cm) . . . . . . . . . . . . . . . . . . .",
    "Pavimento in gomma, linoleum, etc. . . . . . . . . . . . . . .",
    "Pavimento in legno . . . . . . . . . . . . . . . . . . . . . . . . . .",
    "Pavimento in ceramica, gres, graniglia . . . . . . . . . . . .",
    "Pavimento in marmo . . . . . . . . . . . . . . . . . . . . . . . . ",
    "Coibente Termico . . . . . . . . . . . . . . . . . . . . . . . . . . .",
    "Manto impermeabilizzante di asfalto e simili . . . . . . . . .",
    "Tegole (embrici e coppi) . . . . . . . . . . . . . . . . . . . . . . . ",
    "Tramezzi..",
    "Altro..",
    "Altro..",
    "Altro..",
};

const char* const kPermDefaults[14] = {"",      "30,00", "50,00", "10,00", "25,00",
                                       "40,00", "80,00", "10,00", "30,00", "60,00",
                                       "40,00", "",      "",      ""};

const char* const kTramezzi[5] = {
    "0.00 <= P/ml <= 1.00 KN/m", "1.00 < P/ml <= 2.00 KN/m", "2.00 < P/ml <= 3.00 KN/m",
    "3.00 < P/ml <= 4.00 KN/m",  "4.00 < P/ml <= 5.00 KN/m",
};
const char* const kTramezziValore[5] = {"40,00", "80,00", "120,00", "160,00", "200,00"};

struct Categoria {
    const char* caption;
    const char* ripartito;
    const char* concentrato;
};
const Categoria kCategorie[17] = {
    {"", "", ""},
    {"Ambienti ad uso residenziale . . . . . . . . . . . . . . . . ", "200", "200"},
    {"Uffici non aperti al pubblico . . . . . . . . . . . . . . . . .", "200", "200"},
    {"Uffici aperti al pubblico . . . . . . . . . . . . . . . . . . . .", "300", "200"},
    {"Ospedali, ristoranti, caffè, banche, scuole . . . . . . .", "300", "200"},
    {"Balconi, ballatoi, scale, sale convegni, cinema . . . .", "400", "400"},
    {"Musei, sale per esposizioni, stazioni ferroviarie, . . . ", "500", "500"},
    {"Negozi . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . .", "400", "400"},
    {"Centri commerciali, mercati, grandi magazzini, . . . .", "500", "500"},
    {"Biblioteche, archivi, magazzini, depositi, laboratori . .", "600", "600"},
    {"Ambienti ad uso industriale, da valutarsi  . . . . . . . .", "0,00", "0,00"},
    {"Rimesse e parcheggi di automezzi P<= 30 kN . . . . .", "250", "100"},
    {"Rimesse e parcheggi di automezzi P> 30 kN . . . . .", "0,00", "0,00"},
    {"Coperture e sottotetti accessibili sola manutenzione .", "50", "120"},
    {"Coperture praticabili . . . . . . . . . . . . . . . . . . . . . . .", "0,00", "0,00"},
    {"Coperture speciali (impianti, eliporti, altri)  . . . . . . . .", "0,00", "0,00"},
    {"Altro:", "0,00", "0,00"},
};

const QString kMsgCarico = QStringLiteral("Inserire Carico Con formato numerico corretto.");
const QString kMsgValoreLD =
    QStringLiteral("Inserire Valore Carico con formato numerico corretto.");

// A load value the record can hold: numeric and small enough that the
// single-precision totals of up to sixteen rows stay finite.
bool numeroValido(const QString& text) {
    const auto v = vb::parseNumber(text);
    return v && std::fabs(*v) <= FLT_MAX / 16;
}

// A number that fits in single precision (totals may exceed a row's bound).
bool numeroSingolo(const QString& text) {
    const auto v = vb::parseNumber(text);
    return v && std::fabs(*v) <= FLT_MAX;
}

float numero(const QString& text) {
    return numeroSingolo(text) ? vb::CSng(text) : 0.0f;
}

QString u(const char* s) {
    return QString::fromUtf8(s);
}

void place(QWidget* w, int x, int y, int width, int height) {
    w->setGeometry(x, y, width, height);
}

// Enabled fields are white; disabled ones take the button face.
void setFieldState(QWidget* w, bool on) {
    w->setEnabled(on);
    QPalette p = w->palette();
    const QColor c = on ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h = 16) {
    auto* l = new QLabel(text, parent);
    place(l, x, y, w, h);
    return l;
}

// The window's icon: a slab under a distributed load.
QIcon icona() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 0, 255));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    p.setPen(QPen(Qt::white, 2));
    for (int x = 7; x <= 25; x += 6) {
        p.drawLine(QPointF(x, 6), QPointF(x, 16));
        p.drawLine(QPointF(x - 3, 13), QPointF(x, 16));
        p.drawLine(QPointF(x + 3, 13), QPointF(x, 16));
    }
    p.fillRect(QRectF(4, 19, 24, 6), Qt::white);
    return QIcon(pm);
}

// Refuses what the analysis file's code page cannot hold.
class Cp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return platform::fitsCp1252(input) ? Acceptable : Invalid;
    }
};

}  // namespace

sovraccarichi::sovraccarichi(platform::SettingsStore& settings, platform::Prompter& prompter,
                             platform::Shell& shell, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings(settings),
      prompter(prompter),
      shell(shell) {
    helpFile = QString::fromUtf8(TESSARO_HELP_FILE);
    webAddress = QString::fromUtf8(TESSARO_WEB_URL);
    showModal = [](QDialog& dlg) { return dlg.exec(); };
    stampa = [this](const DatiAnalisi& d) {
        OpzioniStampa opzioni;
        opzioni.anteprima = AnteprimaStampa;
        ::StampaAnalisi(d, this->prompter, opzioni);
    };

    setWindowTitle(QStringLiteral("Tessaro D.M. 14/01/2008"));
    setWindowIcon(icona());
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    setFont(f);
    move(twipsToPx(120), twipsToPx(1515));
    resize(twipsToPx(13125), twipsToPx(9540));
    // The design size is the outer one; the frame is taken off once it is known.
    pendingOuterSize = size();

    SSTab1 = new QTabWidget(this);
    place(SSTab1, twipsToPx(165), twipsToPx(165), twipsToPx(5355), twipsToPx(5475));
    const QStringList tabs = {
        QStringLiteral("Permanenti"), QStringLiteral("Variabili Lunga Durata"),
        QStringLiteral("Variabili Breve Durata"), QStringLiteral("Istantanei")};
    for (const QString& t : tabs) SSTab1->addTab(new QWidget, t);
    // The four captions fit side by side, as on the design.
    QFont tabFont = font();
    tabFont.setPixelSize(10);
    SSTab1->tabBar()->setFont(tabFont);
    SSTab1->tabBar()->setUsesScrollButtons(false);
    SSTab1->tabBar()->setElideMode(Qt::ElideNone);
    SSTab1->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 5px; margin-right: 1px; border: 1px solid #a9a9a9;"
        " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
        " background: #e4e4e4; }"
        "QTabBar::tab:selected { background: #f6f6f6; margin-top: 0px; }"
        "QTabBar::tab:!selected { margin-top: 2px; }"));
    buildTab1(SSTab1->widget(0));
    buildTab2(SSTab1->widget(1));
    buildTab3(SSTab1->widget(2));
    buildTab4(SSTab1->widget(3));
    buildPaneAndBar();
    connectHandlers();
    // What a file record cannot hold cannot be typed.
    auto* cp1252 = new Cp1252Validator(this);
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        if (e->isReadOnly()) continue;
        if (e->maxLength() > kTsrMaxText) e->setMaxLength(kTsrMaxText);
        e->setValidator(cp1252);
    }

    // The window's load.
    SSTab1->setCurrentIndex(0);
    Leggi_Parametri_Registro_Sovraccarichi();
    posizionaOggetti();
    PercorsoAnalisi = QStringLiteral("Senza Nome");
    fileNameField->setText(PercorsoAnalisi);
    ImpostaCarNeve();
    ImpostaCarVento();
    scriviBanner();
}

sovraccarichi::~sovraccarichi() = default;

QLineEdit* sovraccarichi::valueField(QWidget* parent, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setMaxLength(maxLength);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setProperty("valueField", true);
    e->installEventFilter(this);
    return e;
}

void sovraccarichi::buildTab1(QWidget* page) {
    auto* pp = new QGroupBox(QStringLiteral("Peso Proprio  (daN/mq)"), page);
    place(pp, 4, 2, 343, 46);
    txtPP = new QLineEdit(pp);
    txtPP->setMaxLength(40);
    place(txtPP, 8, 20, 258, 20);
    txtVPP = valueField(pp, 6);
    txtVPP->setText(QStringLiteral("0,00"));
    place(txtVPP, 274, 20, 60, 20);

    auto* perm = new QGroupBox(u("Permanenti non Strutturali  (daN/m²) "), page);
    place(perm, 4, 50, 343, 259);
    constexpr int row0 = 20;
    for (int i = 1; i <= 13; ++i) {
        const int y = row0 + (i - 1) * 18;
        chkPerm[i] = new QCheckBox(perm);
        place(chkPerm[i], 6, y + 1, 16, 16);
        lblPerm[i] = new QLabel(u(kPermCaptions[i]), perm);
        lblPerm[i]->installEventFilter(this);
        place(lblPerm[i], 23, y, i == 10 ? 60 : (i > 10 ? 45 : 250), 17);
        txtPerm[i] = valueField(perm, 6);
        txtPerm[i]->setText(u(kPermDefaults[i]));
        place(txtPerm[i], 276, y, 58, 17);
        setFieldState(txtPerm[i], false);
    }
    Combo1 = new QComboBox(perm);
    for (const char* t : kTramezzi) Combo1->addItem(u(t));
    Combo1->setCurrentIndex(-1);
    place(Combo1, 84, row0 + 9 * 18, 189, 17);
    setFieldState(Combo1, false);
    for (int k = 1; k <= 3; ++k) {
        txtDescrPerm[k] = new QLineEdit(perm);
        place(txtDescrPerm[k], 70, row0 + (9 + k) * 18, 203, 17);
        setFieldState(txtDescrPerm[k], false);
    }

    auto* lbl = label(page, u("Carico Permanente non Strutturale (daN/m²)  G<sub>2</sub> ="), 8,
                      313, 262, 20);
    lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtValPerm = new QLineEdit(page);
    txtValPerm->setReadOnly(true);
    txtValPerm->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(txtValPerm, 278, 313, 66, 20);
}

void sovraccarichi::buildTab2(QWidget* page) {
    auto* box = new QGroupBox(u("Variabili Lunga Durata  (daN/m²)"), page);
    place(box, 4, 2, 343, 136);
    for (int i = 1; i <= 5; ++i) {
        const int y = 21 + (i - 1) * 22;
        chkLD[i] = new QCheckBox(box);
        place(chkLD[i], 6, y + 2, 16, 16);
        txtLD[i] = new QLineEdit(box);
        place(txtLD[i], 26, y, 240, 20);
        setFieldState(txtLD[i], false);
        txtVLD[i] = valueField(box, 6);
        txtVLD[i]->setText(QStringLiteral("0,00"));
        place(txtVLD[i], 274, y, 60, 20);
        setFieldState(txtVLD[i], false);
    }
    auto* lbl = label(page, u("Carico Variabile di Lunga Durata (daN/m²)  Q<sub>1,k</sub> ="), 8,
                      140, 262, 20);
    lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtValLD = new QLineEdit(page);
    txtValLD->setReadOnly(true);
    txtValLD->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(txtValLD, 278, 140, 66, 20);

    auto* nota = label(
        page,
        QStringLiteral(
            "NB. (Vedi art. 4.4.4 e Tab. 4.4.I - DM.14/01/2008)          Appartengono alla classe "
            "di Lunga Durata i carichi permanenti suscettibili di cambiamento durante il normale "
            "esercizio della struttura e i carichi  variabili relativi a magazzini e depositi."),
        10, 180, 330, 90);
    nota->setWordWrap(true);
    nota->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void sovraccarichi::buildTab3(QWidget* page) {
    auto* box = new QGroupBox(u("Variabili Breve Durata  (daN/m²)"), page);
    place(box, 4, 0, 343, 308);
    // Sixteen rows share the page: a smaller type keeps the captions readable.
    QFont small = font();
    small.setPixelSize(10);
    categorie = new QButtonGroup(this);
    categorie->setExclusive(true);
    constexpr int col2 = 238, col3 = 288, w2 = 48, w3 = 48, row0 = 48, step = 16;
    auto head = [&](const QString& text, int x, int y, int w) {
        auto* l = label(box, text, x, y, w, 11);
        l->setFont(small);
        l->setAlignment(Qt::AlignCenter);
    };
    head(QStringLiteral("Carichi Verticali"), col2 - 10, 15, w2 + w3 + 22);
    head(QStringLiteral("Ripartiti"), col2 - 4, 26, w2 + 6);
    head(QStringLiteral("Concentrati"), col3 - 4, 26, w3 + 8);
    head(u("daN/m²"), col2, 36, w2);
    head(QStringLiteral("daN"), col3, 36, w3);
    for (int i = 1; i <= 16; ++i) {
        const int y = row0 + (i - 1) * step;
        Option1[i] = new QRadioButton(u(kCategorie[i].caption), box);
        Option1[i]->setFont(small);
        Option1[i]->setToolTip(Option1[i]->text());
        categorie->addButton(Option1[i], i);
        Option1[i]->installEventFilter(this);
        place(Option1[i], 6, y, i == 16 ? 52 : col2 - 8, step);
        Text2[i] = valueField(box, 6);
        Text2[i]->setFont(small);
        Text2[i]->setText(u(kCategorie[i].ripartito));
        place(Text2[i], col2, y, w2, step);
        Text2[i]->setEnabled(false);
        Text3[i] = valueField(box, 6);
        Text3[i]->setFont(small);
        Text3[i]->setText(u(kCategorie[i].concentrato));
        place(Text3[i], col3, y, w3, step);
        Text3[i]->setEnabled(false);
    }
    Text14 = new QLineEdit(box);
    Text14->setFont(small);
    place(Text14, 60, row0 + 15 * step, col2 - 68, step);
    setFieldState(Text14, false);

    auto* lbl = label(page, u("Carico Variabile di Breve Durata (daN/m²)  Q<sub>2,k</sub> ="), 0,
                      312, col2, 20);
    lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text11 = new QLineEdit(page);
    Text12 = new QLineEdit(page);
    for (QLineEdit* e : {Text11, Text12}) {
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    place(Text11, col2 + 4, 312, w2, 20);
    place(Text12, col3 + 4, 312, w3, 20);
}

void sovraccarichi::buildTab4(QWidget* page) {
    label(page, QStringLiteral("(Vedi art. 4.4.4 e Tab. 4.4.I - DM.14/01/2008)"), 10, 10, 330);

    auto* neve = new QGroupBox(QStringLiteral("Carico Neve"), page);
    place(neve, 4, 36, 343, 78);
    CheckNeve = new QCheckBox(QStringLiteral("Neve qs="), neve);
    place(CheckNeve, 8, 20, 78, 20);
    Text6 = new QLineEdit(neve);
    place(Text6, 86, 20, 220, 20);
    Command7 = new QPushButton(QStringLiteral("*"), neve);
    Command7->setToolTip(QStringLiteral("Calcola Carico da Neve"));
    place(Command7, 310, 20, 26, 20);
    auto* l1 = label(neve, u("Carico Neve (daN/m²)  Q<sub>3,k</sub> ="), 8, 48, 256, 20);
    l1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtCarNeve = new QLineEdit(neve);
    txtCarNeve->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(txtCarNeve, 270, 48, 66, 20);

    auto* vento = new QGroupBox(QStringLiteral("Carico Vento"), page);
    place(vento, 4, 124, 343, 78);
    CheckVento = new QCheckBox(QStringLiteral("Vento P ="), vento);
    place(CheckVento, 8, 20, 78, 20);
    Text15 = new QLineEdit(vento);
    place(Text15, 86, 20, 220, 20);
    Command8 = new QPushButton(QStringLiteral("*"), vento);
    Command8->setToolTip(QStringLiteral("Calcola Carico Vento"));
    place(Command8, 310, 20, 26, 20);
    auto* l2 = label(vento, u("Carico Vento (daN/m²)  Q<sub>4,k</sub> ="), 8, 48, 256, 20);
    l2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtCarVento = new QLineEdit(vento);
    txtCarVento->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(txtCarVento, 270, 48, 66, 20);

    for (QWidget* w : {static_cast<QWidget*>(Text6), static_cast<QWidget*>(txtCarNeve),
                       static_cast<QWidget*>(Text15), static_cast<QWidget*>(txtCarVento)})
        setFieldState(w, false);
    Command7->setEnabled(false);
    Command8->setEnabled(false);
}

void sovraccarichi::buildPaneAndBar() {
    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setLineWrapMode(QTextEdit::NoWrap);
    RichTextBox1->viewport()->installEventFilter(this);
    place(RichTextBox1, twipsToPx(5880), twipsToPx(120), twipsToPx(7035), twipsToPx(8385));

    bottomBar = new QGroupBox(QStringLiteral("Nome File / Tessaro"), this);
    place(bottomBar, twipsToPx(165), twipsToPx(8640), twipsToPx(12750), twipsToPx(585));
    // Below the frame's caption, 300 twips high.
    const int top = 15, h = twipsToPx(300) + 1;
    auto picture = [&](QStyle::StandardPixmap icon, const QString& tip, int x) {
        auto* b = new QPushButton(bottomBar);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        place(b, x, top, 28, h);
        return b;
    };
    Command4 = picture(QStyle::SP_DialogOpenButton, QStringLiteral("Apri Analisi"), 8);
    Command3 = picture(QStyle::SP_DialogSaveButton, QStringLiteral("Salva Tessaro"), 38);
    Command5 = picture(QStyle::SP_FileDialogNewFolder, QStringLiteral("Salva con Nome"), 68);
    fileNameField = new QLineEdit(bottomBar);
    fileNameField->setReadOnly(true);
    place(fileNameField, 104, top, 410, h);
    Command1 = new QPushButton(QStringLiteral("Stampa"), bottomBar);
    place(Command1, twipsToPx(7995), top, twipsToPx(1620), h);
    Command6 = new QPushButton(QStringLiteral("Help"), bottomBar);
    place(Command6, twipsToPx(9795), top, twipsToPx(1050), h);
    Command2 = new QPushButton(QStringLiteral("Esci"), bottomBar);
    place(Command2, twipsToPx(10965), top, twipsToPx(1620), h);
}

void sovraccarichi::connectHandlers() {
    auto flag = [this] { ModifDatiCarichi = 1; };

    connect(txtPP, &QLineEdit::textChanged, this, [this] {
        ModifDatiCarichi = 1;
        ScriviAnalisi();
    });
    connect(txtVPP, &QLineEdit::textChanged, this, [this] {
        ModifDatiCarichi = 1;
        ScriviAnalisi();
    });

    for (int i = 1; i <= 13; ++i) {
        connect(chkPerm[i], &QCheckBox::toggled, this, [this, i] { chkPermChanged(i); });
        connect(txtPerm[i], &QLineEdit::textChanged, this, [this] {
            aggiornaG2();
            ScriviAnalisi();
        });
        connect(txtPerm[i], &QLineEdit::textEdited, this, flag);
    }
    for (int k = 1; k <= 3; ++k) connect(txtDescrPerm[k], &QLineEdit::textEdited, this, flag);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int k) {
        if (k < 0 || k > 4) return;
        txtPerm[10]->setText(u(kTramezziValore[k]));
        ScriviAnalisi();
    });

    for (int i = 1; i <= 5; ++i) {
        connect(chkLD[i], &QCheckBox::toggled, this, [this, i] { chkLDChanged(i); });
        connect(txtVLD[i], &QLineEdit::textChanged, this, [this, i] { txtVLDChanged(i); });
        connect(txtVLD[i], &QLineEdit::textEdited, this, flag);
        connect(txtLD[i], &QLineEdit::textChanged, this, [this] {
            ModifDatiCarichi = 1;
            ScriviAnalisi();
        });
    }

    for (int i = 1; i <= 16; ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) sceltaCategoria(i);
        });
        connect(Text2[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            if (categoriaScelta() == i)
                Text11->setText(numeroValido(t) ? t : QStringLiteral("0,00"));
            ScriviAnalisi();
        });
        connect(Text3[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            if (categoriaScelta() == i)
                Text12->setText(numeroValido(t) ? t : QStringLiteral("0,00"));
            ScriviAnalisi();
        });
        connect(Text2[i], &QLineEdit::textEdited, this, flag);
        connect(Text3[i], &QLineEdit::textEdited, this, flag);
    }
    connect(Text14, &QLineEdit::textChanged, this, [this] {
        ModifDatiCarichi = 1;
        ScriviAnalisi();
    });

    connect(CheckNeve, &QCheckBox::toggled, this, [this] { CheckNeveChanged(); });
    connect(CheckVento, &QCheckBox::toggled, this, [this] { CheckVentoChanged(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });

    connect(Command4, &QPushButton::clicked, this, [this] { aprisalv(QStringLiteral("Apri")); });
    connect(Command3, &QPushButton::clicked, this, [this] { aprisalv(QStringLiteral("Salva")); });
    connect(Command5, &QPushButton::clicked, this,
            [this] { aprisalv(QStringLiteral("SalvaConNome")); });
    connect(Command1, &QPushButton::clicked, this, [this] { StampaAnalisi(); });
    connect(Command6, &QPushButton::clicked, this, [this] { ApriDocumento(helpFile); });
    connect(Command2, &QPushButton::clicked, this, [this] { close(); });
}

// --- Non-structural permanent rows -------------------------------------------------------

void sovraccarichi::chkPermChanged(int i) {
    const bool on = chkPerm[i]->isChecked();
    setFieldState(txtPerm[i], on);
    if (i == 10) setFieldState(Combo1, on);
    if (i >= 11) setFieldState(txtDescrPerm[i - 10], on);
    aggiornaG2();
    ModifDatiCarichi = 1;
    ScriviAnalisi();
}

void sovraccarichi::aggiornaG2() {
    float g2 = 0;
    for (int i = 1; i <= 13; ++i)
        if (chkPerm[i]->isChecked() && numeroValido(txtPerm[i]->text()))
            g2 += numero(txtPerm[i]->text());
    txtValPerm->setText(vb::Format(g2, QStringLiteral("##0.00")));
}

// --- Long-duration rows ------------------------------------------------------------------

void sovraccarichi::chkLDChanged(int i) {
    const bool on = chkLD[i]->isChecked();
    setFieldState(txtVLD[i], on);
    setFieldState(txtLD[i], on);
    sommaLD(true);
    ModifDatiCarichi = 1;
    ScriviAnalisi();
}

void sovraccarichi::txtVLDChanged(int i) {
    sommaLD(false);
    // A file being read is validated once, by the refresh at its end.
    if (!lettura && !numeroValido(txtVLD[i]->text())) {
        prompter.beep();
        prompter.message(kMsgValoreLD, platform::vbOKOnly);
        SelezionaTesto(txtVLD[i]);
    }
    ScriviAnalisi();
}

void sovraccarichi::sommaLD(bool generalFormat) {
    float q1 = 0;
    for (int i = 1; i <= 5; ++i)
        if (chkLD[i]->isChecked() && numeroValido(txtVLD[i]->text()))
            q1 += numero(txtVLD[i]->text());
    txtValLD->setText(generalFormat ? vb::CStr(q1) : vb::Format(q1, QStringLiteral("##0.00")));
}

// --- Use categories ----------------------------------------------------------------------

int sovraccarichi::categoriaScelta() const {
    for (int i = 1; i <= 16; ++i)
        if (Option1[i]->isChecked()) return i;
    return 0;
}

void sovraccarichi::sceltaCategoria(int i) {
    for (int k = 1; k <= 16; ++k) {
        if (k == i) continue;
        Text2[k]->setEnabled(false);
        Text3[k]->setEnabled(false);
    }
    setFieldState(Text14, i == 16);
    Text2[i]->setEnabled(true);
    Text3[i]->setEnabled(true);
    Text11->setText(numeroValido(Text2[i]->text()) ? Text2[i]->text() : QStringLiteral("0"));
    Text12->setText(numeroValido(Text3[i]->text()) ? Text3[i]->text() : QStringLiteral("0"));
    ModifDatiCarichi = 1;
    ScriviAnalisi();
}

void sovraccarichi::annullaCategoria(int i) {
    // An exclusive group cannot be left with nothing chosen otherwise.
    categorie->setExclusive(false);
    {
        const QSignalBlocker block(Option1[i]);
        Option1[i]->setChecked(false);
    }
    categorie->setExclusive(true);
    Text2[i]->setEnabled(false);
    Text3[i]->setEnabled(false);
    if (i == 16) setFieldState(Text14, false);
    Text11->clear();
    Text12->clear();
}

// --- Snow and wind rows ------------------------------------------------------------------

void sovraccarichi::CheckNeveChanged() {
    const bool on = CheckNeve->isChecked();
    setFieldState(Text6, on);
    Command7->setEnabled(on);
    if (!on) dati.NeveAttiva = 0;
    ModifDatiCarichi = 1;
    ScriviAnalisi();
}

void sovraccarichi::CheckVentoChanged() {
    const bool on = CheckVento->isChecked();
    setFieldState(Text15, on);
    Command8->setEnabled(on);
    if (!on) dati.VentoAttivo = 0;
    ModifDatiCarichi = 1;
    ScriviAnalisi();
}

// --- Validation into the record ----------------------------------------------------------

void sovraccarichi::SelezionaTesto(QLineEdit* field) {
    if (!field) return;
    // A field on another tab is brought into view, so the user sees what to mend.
    for (int t = 0; t < SSTab1->count(); ++t)
        if (SSTab1->widget(t)->isAncestorOf(field)) SSTab1->setCurrentIndex(t);
    field->setFocus();
    field->selectAll();
}

void sovraccarichi::RegistraValori() {
    const int cat = categoriaScelta();
    QList<QLineEdit*> toCheck{txtVPP};
    for (int j = 1; j <= 13; ++j)
        if (chkPerm[j]->isChecked()) toCheck << txtPerm[j];
    for (int j = 1; j <= 5; ++j)
        if (chkLD[j]->isChecked()) toCheck << txtVLD[j];
    if (cat) toCheck << Text2[cat] << Text3[cat];
    for (QLineEdit* e : toCheck) {
        if (!numeroValido(e->text())) {
            prompter.beep();
            prompter.message(kMsgCarico, platform::vbOKOnly);
            SelezionaTesto(e);
            return;
        }
    }

    DatiAnalisi& d = dati;
    d.DescrPesoProprio = txtPP->text();
    d.PesoProprio = numero(txtVPP->text());

    for (int j = 1; j <= 13; ++j) {
        if (!chkPerm[j]->isChecked()) {
            d.PermAttivo[j] = 0;
            continue;
        }
        d.PermAttivo[j] = 1;
        d.PermValore[j] = numero(txtPerm[j]->text());
        if (j <= 9)
            d.PermDescr[j] = lblPerm[j]->text();
        else if (j == 10)
            d.PermDescr[j] = QStringLiteral("Incidenza Tramezzi ") + Combo1->currentText();
        else
            d.PermDescr[j] = txtDescrPerm[j - 10]->text();
    }

    for (int j = 1; j <= 5; ++j) {
        if (!chkLD[j]->isChecked()) {
            d.LDAttivo[j] = 0;
            continue;
        }
        d.LDAttivo[j] = 1;
        d.LDDescr[j] = txtLD[j]->text();
        d.LDValore[j] = numero(txtVLD[j]->text());
    }

    if (cat) {
        d.Categoria = static_cast<int16_t>(cat);
        d.DescrCategoria = cat == 16 ? Text14->text() : Option1[cat]->text();
        d.CaricoBreve[1] = numero(Text2[cat]->text());
        d.CaricoBreve[2] = numero(Text3[cat]->text());
    }

    for (QLineEdit* e : {txtValPerm, txtValLD, Text11, Text12})
        if (!numeroSingolo(e->text())) e->setText(QStringLiteral("0"));
    d.TotPermanenti = numero(txtValPerm->text());
    d.TotLungaDurata = numero(txtValLD->text());
    d.TotBreveRipartito = numero(Text11->text());
    d.TotBreveConcentrato = numero(Text12->text());

    if (CheckNeve->isChecked()) {
        d.NeveAttiva = 1;
        d.FormulaNeve = Text6->text();
        d.CaricoNeve = numero(txtCarNeve->text());
        // A parameter that is not a number leaves the record's value as it was.
        if (numeroValido(parNeve.hslm)) d.QuotaSlm = numero(parNeve.hslm);
        d.ZonaNeve = parNeve.zona;
        if (numeroValido(parNeve.mu)) d.MuNeve = numero(parNeve.mu);
        if (numeroValido(parNeve.ce)) d.CeNeve = numero(parNeve.ce);
        if (numeroValido(parNeve.ct)) d.CtNeve = numero(parNeve.ct);
        if (numeroValido(parNeve.nFalde)) d.NumFalde = vb::CInt(vb::CDbl(parNeve.nFalde));
        d.Parapetto = parNeve.parapetto == 1 ? 1 : 0;
    } else {
        d.NeveAttiva = 0;
        d.CaricoNeve = 0;
    }

    if (CheckVento->isChecked()) {
        d.VentoAttivo = 1;
        d.FormulaVento = Text15->text();
        d.CaricoVento = numero(txtCarVento->text());
        if (numeroValido(parVento.zona)) d.ZonaVento = vb::CInt(vb::CDbl(parVento.zona));
        d.ClasseRugosita = parVento.classe.left(1).leftJustified(1, QLatin1Char(' '));
        if (numeroValido(parVento.distanza)) d.DistanzaMare = numero(parVento.distanza);
        if (numeroValido(parVento.altezza)) d.AltezzaEdificio = numero(parVento.altezza);
        d.CategoriaEsposizione = parVento.categoria.left(3).leftJustified(3, QLatin1Char(' '));
        if (numeroValido(parVento.ce)) d.CeVento = numero(parVento.ce);
        if (numeroValido(parVento.ct)) d.CtVento = numero(parVento.ct);
        if (numeroValido(parVento.cd)) d.CdVento = numero(parVento.cd);
        if (numeroValido(parVento.cp)) d.CpVento = numero(parVento.cp);
        if (numeroValido(parVento.vb)) d.VbVento = numero(parVento.vb);
    } else {
        d.VentoAttivo = 0;
        d.CaricoVento = 0;
    }
}

void sovraccarichi::ScriviAnalisi() {
    if (lettura) return;
    RegistraValori();
    RichTextBox1->viewport()->setCursor(Qt::IBeamCursor);  // a text pane's own pointer
    // The report is written anew; the reader keeps his place in it.
    const int top = banner ? 0 : RichTextBox1->verticalScrollBar()->value();
    const int left = banner ? 0 : RichTextBox1->horizontalScrollBar()->value();
    banner = false;
    RichTextBox1->clear();
    QTextCursor c(RichTextBox1->document());
    appendRuns(c, buildReport(dati));
    RichTextBox1->verticalScrollBar()->setValue(top);
    RichTextBox1->horizontalScrollBar()->setValue(left);
}

void sovraccarichi::scriviBanner() {
    RichTextBox1->clear();
    QTextCursor c(RichTextBox1->document());
    appendRuns(c, buildBanner(webAddress, TESSARO_VERSION_MAJOR, TESSARO_VERSION_MINOR));
    RichTextBox1->viewport()->setCursor(Qt::PointingHandCursor);
    banner = true;
}

// --- Events ------------------------------------------------------------------------------

bool sovraccarichi::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (edit && edit->property("valueField").toBool() && !edit->isReadOnly() &&
            key->text() == QLatin1String(".")) {
            edit->insert(QStringLiteral(","));
            ModifDatiCarichi = 1;
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 1; i <= 13; ++i) {
            if (watched == lblPerm[i]) {
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                    chkPerm[i]->setChecked(!chkPerm[i]->isChecked());
                return true;
            }
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == RichTextBox1->viewport() && banner &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            ApriDocumento(webAddress);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 1; i <= 16; ++i) {
            if (watched == Option1[i]) {
                if (Option1[i]->isChecked()) annullaCategoria(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void sovraccarichi::closeEvent(QCloseEvent* event) {
    Salva_Parametri_Registro_Sovraccarichi();
    if (ModifDatiCarichi != 1) {
        event->accept();
        return;
    }
    const int answer = prompter.message(
        QStringLiteral("Attenzione!\nL'Analisi dei Carichi non è stata registrata. "
                       "\nSalvare le modifiche apportate prima di Uscire?"),
        platform::vbYesNoCancel | platform::vbInformation, QStringLiteral("Tessaro"));
    if (answer == platform::vbNo) {
        ModifDatiCarichi = 0;
        event->accept();
        return;
    }
    // Cancel stays open; so does Yes, which saves and lets the user close again.
    event->ignore();
    if (answer == platform::vbYes) aprisalv(QStringLiteral("Salva"));
}

void sovraccarichi::StampaAnalisi() {
    if (stampa) stampa(dati);
}
