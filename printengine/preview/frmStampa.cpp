#include "frmStampa.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

#include <cmath>

#include "Errore.h"
#include "GeometriaAnteprima.h"
#include "Printer.h"
#include "Prompter.h"
#include "Registry.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "Surface.h"
#include "VbConv.h"
#include "clsModStampa.h"

namespace velmora {

namespace anteprima {

// The printer list as the engine fills it.
class ListaStampanti final : public IListaStampanti {
public:
    explicit ListaStampanti(QComboBox* c) : cmb(c) {}
    com::HRESULT QueryInterface(com::REFIID riid, void** ppv) override {
        if (!ppv) return com::E_POINTER;
        if (riid == com::IID_IUnknown || riid == com::IID_IDispatch ||
            riid == IID_IListaStampanti) {
            *ppv = static_cast<IListaStampanti*>(this);
            return com::S_OK;
        }
        *ppv = nullptr;
        return com::E_NOINTERFACE;
    }
    // Owned by the window.
    com::ULONG AddRef() override { return 1; }
    com::ULONG Release() override { return 1; }
    com::HRESULT GetTypeInfoCount(uint32_t*) override { return com::E_NOTIMPL; }
    com::HRESULT GetTypeInfo(uint32_t, com::LCID, void**) override { return com::E_NOTIMPL; }
    com::HRESULT GetIDsOfNames(com::REFIID, com::OLECHAR**, uint32_t, com::LCID,
                               com::DISPID*) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT Invoke(com::DISPID, com::REFIID, com::LCID, uint16_t, com::DISPPARAMS*,
                        com::VARIANT*, com::EXCEPINFO*, uint32_t*) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT Clear() override {
        cmb->clear();
        return com::S_OK;
    }
    com::HRESULT AddItem(com::BSTR* item) override {
        if (!item) return com::E_POINTER;
        cmb->addItem(com::fromBstr(*item));
        return com::S_OK;
    }
    com::HRESULT get_NewIndex(int32_t* r) override {
        if (!r) return com::E_POINTER;
        *r = cmb->count() - 1;
        return com::S_OK;
    }
    com::HRESULT put_ListIndex(int32_t* i) override {
        if (!i) return com::E_POINTER;
        cmb->setCurrentIndex(*i);
        return com::S_OK;
    }
    com::HRESULT get_ListIndex(int32_t* r) override {
        if (!r) return com::E_POINTER;
        *r = cmb->currentIndex();
        return com::S_OK;
    }

private:
    QComboBox* cmb;
};

// The page picture on screen: the image the engine's replay draws on.
class PaginaWidget final : public QWidget {
public:
    PaginaWidget(frmStampa* f, QWidget* parent) : QWidget(parent), form(f) {
        setCursor(Qt::OpenHandCursor);
    }
    const QImage* immagine = nullptr;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (immagine && !immagine->isNull())
            p.drawImage(rect(), *immagine);
        else
            p.fillRect(rect(), Qt::white);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        form->iniziaTrascina(e->position().x() / form->pixelPerMm(),
                             e->position().y() / form->pixelPerMm());
        setCursor(Qt::ClosedHandCursor);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (form->TrascinaPagina)
            form->trascina(e->position().x() / form->pixelPerMm(),
                           e->position().y() / form->pixelPerMm());
    }
    void mouseReleaseEvent(QMouseEvent*) override {
        form->fineTrascina();
        setCursor(Qt::OpenHandCursor);
    }

private:
    frmStampa* form;
};

// The page area: a background from dark at the bottom to light at the top.
class AreaPagina final : public QWidget {
public:
    AreaPagina(frmStampa* f, QWidget* parent) : QWidget(parent), form(f) {
        setAutoFillBackground(false);
    }
    QImage sfondo;
    bool modello = false;

    void ImpostaSfondo() {
        const double pxMm = form->pixelPerMm();
        const double dpr = devicePixelRatioF();
        const QSize s = size() * dpr;
        if (s.isEmpty()) {
            sfondo = QImage();
            return;
        }
        sfondo = QImage(s, QImage::Format_RGB32);
        sfondo.setDevicePixelRatio(dpr);
        sfondo.fill(QColor(64, 64, 64));
        const double H = height() / pxMm;
        if (H <= 0) return;  // nothing to shade in an area of no height
        QPainter p(&sfondo);
        // 1001 lines a thousandth of the height apart, from the bottom up.
        for (int k = 0; k <= 1000; ++k) {
            const double y = (H - k * H / 1000.0) * pxMm;
            const double y2 = (H - (k + 1) * H / 1000.0) * pxMm;
            p.fillRect(QRectF(0, std::min(y, y2), width(), std::abs(y - y2) + 1.0),
                       coloreSfondo(k, H, modello));
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (sfondo.isNull())
            p.fillRect(rect(), QColor(64, 64, 64));
        else
            p.drawImage(0, 0, sfondo);
    }
    // The wheel scrolls the page as the scroll bars do (with Shift, sideways).
    void wheelEvent(QWheelEvent* e) override {
        const QPoint d = e->angleDelta();
        const bool orizzontale = (e->modifiers() & Qt::ShiftModifier) || d.x() != 0;
        QScrollBar* sb = orizzontale ? form->HScroll1 : form->VScroll1;
        const int passi = (orizzontale && d.x() != 0 ? d.x() : d.y()) / 120 * 10;
        sb->setValue(sb->value() - passi);
        e->accept();
    }
    void resizeEvent(QResizeEvent*) override {
        ImpostaSfondo();
        if (form->isVisible()) {
            form->ImpostaPosBasePicPrinter();
            form->GestioneLimitiScroll();
        }
    }

private:
    frmStampa* form;
};

// A ruler strip in paper millimetres along the page picture.
class Righello final : public QWidget {
public:
    Righello(bool vert, QWidget* parent) : QWidget(parent), verticale(vert) {
        const int spessore = 22;
        if (verticale)
            setFixedWidth(spessore);
        else
            setFixedHeight(spessore);
    }
    // Start of the page along the strip (pixels), its length in screen mm, the zoom.
    double inizio = 0;
    double lunghezzaMm = 0;
    int zoom = 100;
    double pxMm = 96.0 / 25.4;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(236, 236, 236));
        if (lunghezzaMm <= 0) return;
        const double z = zoom <= 0 ? 100 : zoom;
        const double unitaLungo = pxMm * z / 100.0;  // pixels per paper mm
        const double bordo = pxMm;                   // the strip sits 1 mm inside
        const double spessore = (verticale ? width() : height()) - bordo;
        const double unitaTraverso = spessore / 15.0;
        const double lunghezzaPx = lunghezzaMm * pxMm;
        QRectF striscia = verticale ? QRectF(bordo, inizio, spessore, lunghezzaPx)
                                    : QRectF(inizio, bordo, lunghezzaPx, spessore);
        p.fillRect(striscia, Qt::white);
        p.setClipRect(striscia);
        p.setPen(QColor(0, 0, 255));
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(6.75);
        p.setFont(f);
        const QFontMetricsF fm(f);
        // Labels every centimetre, thinned out when they would overlap.
        const double passoEtichetta = 10 * unitaLungo < fm.horizontalAdvance("00") + 4 ? 50 : 10;
        for (const Tacca& t : tacche(lunghezzaMm, zoom)) {
            const double lungo = inizio + t.i * unitaLungo;
            if (verticale) {
                p.drawLine(QPointF(bordo + t.da * unitaTraverso, lungo),
                           QPointF(bordo + t.a * unitaTraverso, lungo));
            } else {
                p.drawLine(QPointF(lungo, bordo + t.da * unitaTraverso),
                           QPointF(lungo, bordo + t.a * unitaTraverso));
            }
            if (!t.numero || t.i == 0 || std::fmod(t.i, passoEtichetta) != 0) continue;
            const QString n = QString::number(t.i / 10);
            if (verticale) {
                p.drawText(QPointF(bordo + 7 * unitaTraverso, lungo + fm.ascent()), n);
            } else {
                double x = lungo + 2;
                if (t.i > 90) x = lungo - fm.horizontalAdvance(QString::number(t.i)) / 2;
                p.drawText(QPointF(x, bordo + 7 * unitaTraverso + fm.ascent() - 2), n);
            }
        }
        if (verticale) {
            p.drawLine(QPointF(bordo, inizio), QPointF(bordo, inizio + lunghezzaPx));
            p.drawLine(QPointF(bordo + 0.97 * spessore, inizio),
                       QPointF(bordo + 0.97 * spessore, inizio + lunghezzaPx));
        } else {
            p.drawLine(QPointF(inizio, bordo), QPointF(inizio + lunghezzaPx, bordo));
            p.drawLine(QPointF(inizio, bordo + 0.97 * spessore),
                       QPointF(inizio + lunghezzaPx, bordo + 0.97 * spessore));
        }
    }

private:
    bool verticale;
};

}  // namespace anteprima

using namespace anteprima;

namespace {
constexpr gdi::COLORREF grigio = 0x808080;
constexpr gdi::COLORREF verdeAcqua = 0x808000;  // RGB(0,128,128)

// Small drawn icons of the drawing and editing buttons.
QIcon iconaDisegno(const QString& nome) {
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 30, 30), 3));
    const QRectF r(6, 6, 28, 28);
    if (nome == QLatin1String("Linea")) {
        p.drawLine(QPointF(6, 34), QPointF(34, 6));
    } else if (nome == QLatin1String("Rettangolo")) {
        p.drawRect(QRectF(6, 10, 28, 20));
    } else if (nome == QLatin1String("Cerchio")) {
        p.drawEllipse(r);
    } else if (nome == QLatin1String("Arco")) {
        p.drawArc(r, 0, 180 * 16);
    } else if (nome == QLatin1String("Polilinea")) {
        p.drawPolyline(QPolygonF({{4, 32}, {14, 10}, {24, 26}, {36, 8}}));
    } else if (nome == QLatin1String("Superficie")) {
        p.setBrush(QColor(120, 160, 220));
        p.drawPolygon(QPolygonF({{6, 32}, {14, 8}, {34, 14}, {30, 34}}));
    } else if (nome == QLatin1String("Barcode")) {
        for (int x = 6; x < 34; x += 5) p.drawLine(QPointF(x, 8), QPointF(x, 32));
    } else if (nome == QLatin1String("Immagine")) {
        p.drawRect(QRectF(5, 8, 30, 24));
        p.drawPolyline(QPolygonF({{7, 30}, {16, 18}, {22, 26}, {27, 20}, {33, 30}}));
    } else {
        // Texts and edit commands: their initial.
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(26);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 40, 40), Qt::AlignCenter, nome.left(1));
    }
    return QIcon(pm);
}

QLabel* didascalia(const QString& testo, QWidget* parent) {
    auto* l = new QLabel(testo, parent);
    l->setStyleSheet(QStringLiteral("color: rgb(110,110,110);"));
    return l;
}
}  // namespace

frmStampa::frmStampa(Servizi s, QWidget* parent) : QDialog(parent), servizi(s) {
    if (!servizi.prompter || !servizi.settings) throw Errore(ErrOggetto);
    if (!servizi.shell) {
        shellPropria = std::make_unique<platform::DesktopShell>();
        servizi.shell = shellPropria.get();
    }
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    pxMm = logicalDpiX() / 25.4;
    costruisci();

    // Load: defaults of new objects come with the job; the stored settings here.
    QRect area(0, 0, 1600, 1000);
    if (QScreen* sc = screen()) area = sc->availableGeometry();
    const QSize schermo = area.size();
    const double twPx = 1440.0 / logicalDpiX();
    imp = leggiImpostazioni(*servizi.settings,
                            QSize(int(schermo.width() * twPx), int(schermo.height() * twPx)));
    QRect posto(int(imp.Left / twPx), int(imp.Top / twPx), std::max(400, int(imp.Width / twPx)),
                std::max(300, int(imp.Height / twPx)));
    // A place left on a screen that is no longer there: back to the default place.
    if (!area.intersects(posto.adjusted(40, 40, -40, -40)))
        posto = QRect(area.x() + area.width() / 10, area.y() + area.height() / 10,
                      area.width() * 8 / 10, area.height() * 8 / 10);
    setGeometry(posto);
    const int16_t* flag[5] = {&imp.vis_BarraStrumenti, &imp.vis_BarraCoordinate,
                              &imp.vis_BarraComandi, &imp.vis_Righelli, &imp.vis_DBoggetti};
    for (int i = 0; i < 5; ++i) vistaPannello[i]->setChecked(*flag[i] != 0);
    picDB->setVisible(imp.vis_DBoggetti != 0);
    aggiornaAiuti();
}

frmStampa::~frmStampa() = default;

QAction* frmStampa::azione(const QString& chiave, const QString& testo, const QString& tooltip) {
    auto* a = new QAction(testo, this);
    if (!tooltip.isEmpty()) a->setToolTip(tooltip);
    azioni.insert(chiave, a);
    return a;
}

void frmStampa::costruisci() {
    auto* radice = new QVBoxLayout(this);
    radice->setContentsMargins(0, 0, 0, 0);
    radice->setSpacing(0);
    QStyle* st = style();

    // Menus.
    auto* barra = new QMenuBar(this);
    radice->setMenuBar(barra);
    menuPrimo = barra->addMenu(QStringLiteral("&Documento"));
    const QStringList voci = {QStringLiteral("Nuovo"),
                              QStringLiteral("Apri"),
                              QStringLiteral("Salva"),
                              QStringLiteral("Salva con Nome"),
                              QStringLiteral("Chiudi"),
                              QString(),
                              QStringLiteral("Imposta Stampante"),
                              QStringLiteral("Stampa"),
                              QStringLiteral("Aggiungi Pagina"),
                              QStringLiteral("Rimuovi Pagina"),
                              QStringLiteral("Crea DXF"),
                              QString(),
                              QStringLiteral("Esci")};
    for (const QString& v : voci) {
        if (v.isEmpty()) {
            menuPrimo->addSeparator();
            continue;
        }
        menuPrimo->addAction(azione(QStringLiteral("menu.") + v, v));
    }
    menuVista = barra->addMenu(QStringLiteral("&Visualizza"));
    const QStringList pannelli = {QStringLiteral("Barra strumenti"),
                                  QStringLiteral("Coordinate cursore"),
                                  QStringLiteral("Riga Comandi"), QStringLiteral("Righelli"),
                                  QStringLiteral("DataBase Oggetti")};
    for (int i = 0; i < 5; ++i) {
        vistaPannello[i] = azione(QStringLiteral("vista.") + pannelli[i], pannelli[i]);
        vistaPannello[i]->setCheckable(true);
        menuVista->addAction(vistaPannello[i]);
        connect(vistaPannello[i], &QAction::triggered, this,
                [this, i](bool on) { mostraPannello(i, on); });
    }
    QMenu* inserisci = barra->addMenu(QStringLiteral("&Inserisci"));
    inserisci->menuAction()->setObjectName(QStringLiteral("menuInserisci"));
    azioni.insert(QStringLiteral("menu.Inserisci"), inserisci->menuAction());
    inserisci->addAction(
        azione(QStringLiteral("menu.Oggetto Modello"), QStringLiteral("Oggetto Modello")));
    QMenu* edita = barra->addMenu(QStringLiteral("&Edita"));
    azioni.insert(QStringLiteral("menu.Edita"), edita->menuAction());
    QAction* esci = barra->addAction(QStringLiteral("&Esci"));
    azioni.insert(QStringLiteral("menu.EsciTop"), esci);
    connect(esci, &QAction::triggered, this, &QWidget::close);

    // Tool panel.
    PicStrumenti = new QWidget(this);
    auto* hT = new QHBoxLayout(PicStrumenti);
    hT->setContentsMargins(4, 2, 4, 2);
    hT->setSpacing(6);
    lblModelli = didascalia(QStringLiteral("Documento"), PicStrumenti);
    hT->addWidget(lblModelli);
    auto* tb1 = new QToolBar(PicStrumenti);
    tb1->setObjectName(QStringLiteral("Toolbar1_1"));
    tb1->setIconSize(QSize(20, 20));
    tb1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto bottone = [&](QToolBar* tb, const QString& chiave, const QString& tooltip,
                       QStyle::StandardPixmap icona, const QString& testo = {}) {
        QAction* a = azione(chiave, testo.isEmpty() ? tooltip : testo, tooltip);
        a->setIcon(st->standardIcon(icona));
        tb->addAction(a);
        return a;
    };
    bottone(tb1, QStringLiteral("Nuovo"), QStringLiteral("Nuovo"), QStyle::SP_FileIcon);
    bottone(tb1, QStringLiteral("Apri"), QStringLiteral("Apri"), QStyle::SP_DialogOpenButton);
    bottone(tb1, QStringLiteral("Salva"), QStringLiteral("Salva"), QStyle::SP_DialogSaveButton);
    bottone(tb1, QStringLiteral("Salva con Nome"), QStringLiteral("Salva con Nome"),
            QStyle::SP_DriveFDIcon);
    bottone(tb1, QStringLiteral("Chiudi"), QStringLiteral("Chiudi"), QStyle::SP_DialogCloseButton);
    tb1->addSeparator();
    bottone(tb1, QStringLiteral("ShowPrinter"), QStringLiteral("Imposta Stampante"),
            QStyle::SP_ComputerIcon);
    // Buttons with a drop-down: the button itself acts, its arrow opens the entries.
    auto conMenu = [&](const QString& chiave, const QString& tooltip, QStyle::StandardPixmap icona,
                       const QList<QPair<QString, QString>>& entrate) {
        QAction* a = bottone(tb1, chiave, tooltip, icona);
        auto* m = new QMenu(this);
        for (const auto& [k, t] : entrate) m->addAction(azione(k, t));
        a->setMenu(m);
        if (auto* b = qobject_cast<QToolButton*>(tb1->widgetForAction(a)))
            b->setPopupMode(QToolButton::MenuButtonPopup);
        return a;
    };
    conMenu(QStringLiteral("Stampa"), QStringLiteral("Stampa"), QStyle::SP_FileDialogContentsView,
            {{QStringLiteral("stampaP"), QStringLiteral("Pagina Corrente")},
             {QStringLiteral("stampaT"), QStringLiteral("Tutte le Pagine")},
             {QStringLiteral("stampaI"), QStringLiteral("Pagine. . . .")}});
    conMenu(QStringLiteral("Pagine"), QStringLiteral("Pagine"), QStyle::SP_FileDialogNewFolder,
            {{QStringLiteral("newPage"), QStringLiteral("Aggiungi Pagina")},
             {QStringLiteral("delPage"), QStringLiteral("Rimuovi Pagina")}});
    bottone(tb1, QStringLiteral("DXF"), QStringLiteral("Crea DXF"), QStyle::SP_DriveNetIcon);
    tb1->addSeparator();
    bottone(tb1, QStringLiteral("Adatta"), QStringLiteral("Zoom Pagina Intera"),
            QStyle::SP_TitleBarNormalButton);
    bottone(tb1, QStringLiteral("Zoom"), QStringLiteral("Zoom 100%"), QStyle::SP_TitleBarMaxButton);
    bottone(tb1, QStringLiteral("Esci"), QStringLiteral("Esci"), QStyle::SP_DialogCancelButton);
    hT->addWidget(tb1);
    hT->addWidget(didascalia(QStringLiteral("Disegna"), PicStrumenti));
    auto* tb2 = new QToolBar(PicStrumenti);
    tb2->setObjectName(QStringLiteral("Toolbar1_2"));
    tb2->setIconSize(QSize(20, 20));
    for (const QString& t :
         {QStringLiteral("Linea"), QStringLiteral("Rettangolo"), QStringLiteral("Cerchio"),
          QStringLiteral("Arco"), QStringLiteral("Polilinea"), QStringLiteral("Superficie"),
          QStringLiteral("Testo"), QStringLiteral("Immagine"), QStringLiteral("Barcode")}) {
        QAction* a = azione(QStringLiteral("disegna.") + t, t, t);
        a->setIcon(iconaDisegno(t));
        tb2->addAction(a);
    }
    hT->addWidget(tb2);
    hT->addWidget(didascalia(QStringLiteral("Zoom"), PicStrumenti));
    CmbZoom = new QComboBox(PicStrumenti);
    CmbZoom->setObjectName(QStringLiteral("CmbZoom"));
    CmbZoom->setMinimumContentsLength(6);
    hT->addWidget(CmbZoom);
    hT->addWidget(didascalia(QStringLiteral("Edita"), PicStrumenti));
    auto* tb3 = new QToolBar(PicStrumenti);
    tb3->setObjectName(QStringLiteral("Toolbar1_3"));
    tb3->setIconSize(QSize(20, 20));
    for (const QString& t :
         {QStringLiteral("Sposta"), QStringLiteral("Copia"), QStringLiteral("Ruota"),
          QStringLiteral("Cancella"), QStringLiteral("Proprietà")}) {
        QAction* a = azione(QStringLiteral("edita.") + t, t, t);
        a->setIcon(iconaDisegno(t));
        tb3->addAction(a);
    }
    hT->addWidget(tb3);
    hT->addStretch(1);
    radice->addWidget(PicStrumenti);

    // Coordinate panel.
    PicCoordinate = new QWidget(this);
    auto* hC = new QHBoxLayout(PicCoordinate);
    hC->setContentsMargins(4, 2, 4, 2);
    auto campo = [&](const QString& testo, int larghezza) {
        auto* e = new QLineEdit(testo, PicCoordinate);
        e->setReadOnly(true);
        e->setFixedWidth(larghezza);
        hC->addWidget(e);
        return e;
    };
    campo(QStringLiteral("x"), 80);
    campo(QStringLiteral("y"), 80);
    campo(QStringLiteral("Dx=0,00"), 90);
    campo(QStringLiteral("Dy=0,00"), 90);
    campo(QStringLiteral("L=0,00"), 90);
    Label8 = new QLabel(QStringLiteral("Step(F6)"), PicCoordinate);
    Label9 = new QLabel(QStringLiteral("Griglia(F7)"), PicCoordinate);
    Label10 = new QLabel(QStringLiteral("Orto(F8)"), PicCoordinate);
    for (QLabel* l : {Label8, Label9, Label10}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMargin(2);
        l->installEventFilter(this);
        hC->addWidget(l);
    }
    Text8 = new QLineEdit(PicCoordinate);
    Text8->setObjectName(QStringLiteral("Text8"));
    Text8->setToolTip(QStringLiteral("Fattore Correttivo Ampiezza Stampa Testo"));
    Text8->setFixedWidth(70);
    hC->addWidget(Text8);
    hC->addStretch(1);
    Label3 = new QLabel(indirizzoProduttore(), PicCoordinate);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->installEventFilter(this);
    hC->addWidget(Label3);
    radice->addWidget(PicCoordinate);

    // Object list, rulers, page area and scroll bars.
    auto* centro = new QWidget(this);
    auto* hCentro = new QHBoxLayout(centro);
    hCentro->setContentsMargins(0, 0, 0, 0);
    hCentro->setSpacing(0);
    picDB = new QWidget(centro);
    picDB->setFixedWidth(300);
    auto* vDB = new QVBoxLayout(picDB);
    vDB->setContentsMargins(2, 2, 2, 2);
    Label11 = new QLabel(QStringLiteral("DB Oggetti - Pag."), picDB);
    vDB->addWidget(Label11);
    auto* toolbar3 = new QToolBar(picDB);
    toolbar3->addAction(azione(QStringLiteral("Aggiungi Oggetto Modello"),
                               QStringLiteral("Aggiungi Oggetto Modello")));
    vDB->addWidget(toolbar3);
    ListVdb = new QTreeWidget(picDB);
    ListVdb->setRootIsDecorated(false);
    ListVdb->setHeaderLabels({QStringLiteral("N."), QStringLiteral("Oggetto"),
                              QStringLiteral("Specifica"), QStringLiteral("Stato")});
    vDB->addWidget(ListVdb);
    hCentro->addWidget(picDB);

    auto* griglia = new QGridLayout();
    griglia->setContentsMargins(0, 0, 0, 0);
    griglia->setSpacing(0);
    angoloRighelli = new QWidget(centro);
    angoloRighelli->setFixedSize(22, 22);
    angoloRighelli->setAutoFillBackground(true);
    righelli[0] = new Righello(true, centro);
    righelli[1] = new Righello(false, centro);
    PicRighello[0] = righelli[0];
    PicRighello[1] = righelli[1];
    PicContainer = new AreaPagina(this, centro);
    PicContainer->setMinimumSize(50, 50);
    Ombra = new QWidget(PicContainer);
    Ombra->setAutoFillBackground(true);
    QPalette pal = Ombra->palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    Ombra->setPalette(pal);
    PicPrinter = new PaginaWidget(this, PicContainer);
    VScroll1 = new QScrollBar(Qt::Vertical, centro);
    HScroll1 = new QScrollBar(Qt::Horizontal, centro);
    for (QScrollBar* sb : {VScroll1, HScroll1}) {
        sb->setRange(0, 0);
        sb->setPageStep(10);
        connect(sb, &QScrollBar::valueChanged, this, [this] {
            if (!TrascinaPagina) MuoviPicPrinter();
        });
    }
    griglia->addWidget(angoloRighelli, 0, 0);
    griglia->addWidget(PicRighello[1], 0, 1);
    griglia->addWidget(PicRighello[0], 1, 0);
    griglia->addWidget(PicContainer, 1, 1);
    griglia->addWidget(VScroll1, 0, 2, 2, 1);
    griglia->addWidget(HScroll1, 2, 1);
    griglia->setRowStretch(1, 1);
    griglia->setColumnStretch(1, 1);
    hCentro->addLayout(griglia, 1);
    radice->addWidget(centro, 1);

    // Command row.
    PicComandi = new QWidget(this);
    auto* gB = new QGridLayout(PicComandi);
    gB->setContentsMargins(4, 2, 4, 2);
    gB->setHorizontalSpacing(6);
    gB->setVerticalSpacing(2);
    gB->addWidget(new QLabel(PicComandi), 0,
                  0);  // Label1, Label2 and their fields: drawing prompts
    auto* Text1 = new QLineEdit(PicComandi);
    auto* Text2 = new QLineEdit(PicComandi);
    Text1->setEnabled(false);
    Text2->setEnabled(false);
    gB->addWidget(Text1, 0, 1);
    gB->addWidget(new QLabel(PicComandi), 1, 0);
    gB->addWidget(Text2, 1, 1);
    gB->addWidget(new QLabel(QStringLiteral("Stampante"), PicComandi), 0, 2);
    lblPag = new QLabel(QStringLiteral("Pag. Documento"), PicComandi);
    gB->addWidget(lblPag, 1, 2);
    CmbPrinter = new QComboBox(PicComandi);
    CmbPrinter->setObjectName(QStringLiteral("CmbPrinter"));
    CmbPrinter->setMinimumContentsLength(24);
    gB->addWidget(CmbPrinter, 0, 3);
    auto* Toolbar2 = new QToolBar(PicComandi);
    Toolbar2->setIconSize(QSize(16, 16));
    bottone(Toolbar2, QStringLiteral("Prima"), QStringLiteral("Prima Pagina"),
            QStyle::SP_MediaSkipBackward);
    bottone(Toolbar2, QStringLiteral("Precedente"), QStringLiteral("Pagina Precedente"),
            QStyle::SP_MediaSeekBackward);
    TxtPag = new QLineEdit(Toolbar2);
    TxtPag->setObjectName(QStringLiteral("TxtPag"));
    TxtPag->setFixedWidth(80);
    TxtPag->setAlignment(Qt::AlignCenter);
    TxtPag->installEventFilter(this);
    Toolbar2->addWidget(TxtPag);
    bottone(Toolbar2, QStringLiteral("Successiva"), QStringLiteral("Pagina Successiva"),
            QStyle::SP_MediaSeekForward);
    bottone(Toolbar2, QStringLiteral("Ultima"), QStringLiteral("Ultima Pagina"),
            QStyle::SP_MediaSkipForward);
    gB->addWidget(Toolbar2, 1, 3, Qt::AlignLeft);
    gB->setColumnStretch(1, 1);
    radice->addWidget(PicComandi);

    // F6, F7 and F8 switch the aids as their labels say.
    const std::pair<Qt::Key, QLabel*> tastiAiuti[] = {
        {Qt::Key_F6, Label8}, {Qt::Key_F7, Label9}, {Qt::Key_F8, Label10}};
    for (const auto& [tasto, etichetta] : tastiAiuti) {
        auto* sc = new QShortcut(QKeySequence(tasto), this);
        connect(sc, &QShortcut::activated, this, [this, l = etichetta] { cambiaAiuto(l); });
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] {
        linkBlu = !linkBlu;
        Label3->setStyleSheet(linkBlu ? QStringLiteral("color: rgb(0,0,255);")
                                      : QStringLiteral("color: black;"));
    });
    Timer1->start();

    // Commands.
    auto su = [this](const QString& k, auto f) {
        connect(azioni[k], &QAction::triggered, this, f);
    };
    for (const QString& k : {QStringLiteral("Prima"), QStringLiteral("Precedente"),
                             QStringLiteral("Successiva"), QStringLiteral("Ultima")})
        su(k, [this, k] { vaiPagina(k); });
    su(QStringLiteral("Stampa"),
       [this] { StampaTutto(1, motore ? motore->PagineTotAnteprima() : 0); });
    su(QStringLiteral("menu.Stampa"),
       [this] { StampaTutto(1, motore ? motore->PagineTotAnteprima() : 0); });
    su(QStringLiteral("stampaT"),
       [this] { StampaTutto(1, motore ? motore->PagineTotAnteprima() : 0); });
    su(QStringLiteral("stampaP"), [this] { StampaPagCorrente(); });
    su(QStringLiteral("stampaI"), [this] { StampaIntervallo(); });
    su(QStringLiteral("newPage"), [this] { AggiungiPaginaVerificata(); });
    su(QStringLiteral("menu.Aggiungi Pagina"), [this] { AggiungiPagina(); });
    su(QStringLiteral("Pagine"), [this] { AggiungiPaginaVerificata(); });
    su(QStringLiteral("delPage"), [this] { EliminaPagina(); });
    su(QStringLiteral("menu.Rimuovi Pagina"), [this] { EliminaPagina(); });
    su(QStringLiteral("ShowPrinter"), [this] { GestImpostaPrinter(); });
    su(QStringLiteral("menu.Imposta Stampante"), [this] { GestImpostaPrinter(); });
    su(QStringLiteral("Adatta"), [this] { AdattaDimensPagina(); });
    su(QStringLiteral("Zoom"), [this] { SelezionaZoom100(); });
    su(QStringLiteral("Esci"), [this] { close(); });
    su(QStringLiteral("menu.Esci"), [this] { close(); });
    connect(CmbZoom, &QComboBox::currentIndexChanged, this, [this] {
        if (!CaricaZoom) GestioneZoom();
    });
    connect(CmbPrinter, &QComboBox::currentIndexChanged, this, [this] {
        if (!CaricaStampanti) SelezionaPrinter();
    });
    connect(Text8, &QLineEdit::textEdited, this, [this] { cambiaText8(); });
    // Model files, DXF, drawing and editing come with the designer.
    for (const QString& k :
         {QStringLiteral("Nuovo"), QStringLiteral("Apri"), QStringLiteral("Salva"),
          QStringLiteral("Salva con Nome"), QStringLiteral("Chiudi"), QStringLiteral("DXF"),
          QStringLiteral("menu.Nuovo"), QStringLiteral("menu.Apri"), QStringLiteral("menu.Salva"),
          QStringLiteral("menu.Salva con Nome"), QStringLiteral("menu.Chiudi"),
          QStringLiteral("menu.Crea DXF"), QStringLiteral("Aggiungi Oggetto Modello")})
        azioni[k]->setEnabled(false);
}

QString frmStampa::indirizzoProduttore() {
    return QStringLiteral(VELMORA_WEB_URL);
}

// --- Opening --------------------------------------------------------------------

void frmStampa::Init(clsModStampa* engine) {
    motore = engine;
    if (!motore) return;
    const double dpr = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
    // Drawn at the screen's pixel ratio so that texts and lines stay sharp.
    pic = std::make_unique<platform::PictureSurface>(1, 1, logicalDpiX() * dpr);
    motore->stato().PicPrinter = pic.get();
    PicPrinter->immagine = &pic->image();
    PicContainer->modello = modoModello(motore->TipoDocumento);
    ImpostaSfondo();
    motore->stato().nPagCorr = 0;
    LoadCmbZoom();
    CaricaStampanti = true;
    listaStampanti = std::make_unique<ListaStampanti>(CmbPrinter);
    try {
        motore->LoadComboPrinters(listaStampanti.get());
    } catch (const Errore&) {
        // An empty list still lets the user preview.
    }
    CaricaStampanti = false;
    LayOut();
}

void frmStampa::ShowFirstPage() {
    if (!motore) return;
    motore->stato().nPagCorr = 1;
    VisualizzaPagina();
    aggiornaAiuti();
}

void frmStampa::ImpostaForm() {
    if (!motore) return;
    const bool modello = modoModello(motore->TipoDocumento);
    setWindowTitle(titolo());
    menuPrimo->setTitle(modello ? QStringLiteral("&Modello") : QStringLiteral("&Documento"));
    lblModelli->setText(modello ? QStringLiteral("Modello") : QStringLiteral("Documento"));
    lblPag->setText(modello ? QStringLiteral("Pagine Modello") : QStringLiteral("Pag. Documento"));
    for (const QString& k :
         {QStringLiteral("menu.Nuovo"), QStringLiteral("Nuovo"),
          QStringLiteral("Aggiungi Oggetto Modello"), QStringLiteral("menu.Oggetto Modello")})
        azioni[k]->setVisible(modello);
    if (PicContainer->modello != modello) {
        PicContainer->modello = modello;
        ImpostaSfondo();
    }
    Text8->setText(vb::CStr(motore->fc));
}

QString frmStampa::titolo() const {
    return titoloFinestra(motore->NomeSoftware, motore->TipoDocumento, motore->NomeDocumento);
}

void frmStampa::showModal() {
    aperta = true;
    LayOut();
    if (whileShown)
        QTimer::singleShot(0, this, [this] {
            whileShown(*this);
            close();
        });
    exec();
    aperta = false;
}

// --- Frame ----------------------------------------------------------------------

void frmStampa::mostraPannello(int pannello, bool visibile) {
    if (pannello < 0 || pannello > 4) return;
    int16_t* flag[5] = {&imp.vis_BarraStrumenti, &imp.vis_BarraCoordinate, &imp.vis_BarraComandi,
                        &imp.vis_Righelli, &imp.vis_DBoggetti};
    *flag[pannello] = visibile ? 1 : 0;
    vistaPannello[pannello]->setChecked(visibile);
    if (pannello == 4) {
        picDB->setVisible(visibile);
        if (visibile && motore && nPagCorr() > 0) motore->RiempiListaDB();
    }
    LayOut();
}

void frmStampa::LayOut() {
    PicStrumenti->setVisible(imp.vis_BarraStrumenti != 0);
    PicCoordinate->setVisible(imp.vis_BarraCoordinate != 0);
    PicComandi->setVisible(imp.vis_BarraComandi != 0);
    const bool conRighelli = imp.vis_Righelli != 0;
    PicRighello[0]->setVisible(conRighelli);
    PicRighello[1]->setVisible(conRighelli);
    angoloRighelli->setVisible(conRighelli);
    picDB->setVisible(imp.vis_DBoggetti != 0);
    // The panels take their sizes now, so the page area is measured as shown.
    if (layout()) layout()->activate();
    ImpostaPosBasePicPrinter();
    GestioneLimitiScroll();
}

void frmStampa::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    if (isVisible()) LayOut();
}

void frmStampa::ImpostaSfondo() {
    PicContainer->ImpostaSfondo();
    PicContainer->update();
}

int frmStampa::zoomCorrente() const {
    const QVariant v = CmbZoom->currentData();
    return v.isValid() && v.toInt() > 0 ? v.toInt() : 100;
}

void frmStampa::LoadCmbZoom() {
    CaricaZoom = true;
    CmbZoom->clear();
    for (int z : percentualiZoom()) CmbZoom->addItem(testoZoom(z), z);
    CmbZoom->setCurrentIndex(indiceZoom(imp.ZoomIniziale > 0 ? imp.ZoomIniziale : 100));
    CaricaZoom = false;
}

void frmStampa::ImpostaPosBasePicPrinter() {
    if (!motore || !pic) return;
    try {
        motore->getPrinterOffsets();
    } catch (const Errore&) {
        // The previous offsets stay.
    }
    const QSizeF foglio = motore->printer().pageSizeMillimetres();
    const int z = zoomCorrente();
    const GeometriaPagina g =
        calcolaGeometria(PicContainer->width() / pxMm, PicContainer->height() / pxMm,
                         foglio.width(), foglio.height(), z);
    PosBaseX = g.PosBaseX;
    PosBaseY = g.PosBaseY;
    pagLarghezzaMm = g.larghezza;
    pagAltezzaMm = g.altezza;
    const double dpr = pic->dpiX() / logicalDpiX();
    const QSize px(std::max(1, int(std::lround(g.larghezza * pxMm))),
                   std::max(1, int(std::lround(g.altezza * pxMm))));
    const QSize pixel(std::max(1, int(std::lround(px.width() * dpr))),
                      std::max(1, int(std::lround(px.height() * dpr))));
    if (pic->image().size() != pixel) {
        pic->resize(pixel.width(), pixel.height());
        PicPrinter->immagine = &pic->image();
    }
    PicPrinter->setGeometry(int(std::lround(g.left * pxMm)), int(std::lround(g.top * pxMm)),
                            px.width(), px.height());
    for (Righello* r : righelli) {
        r->zoom = z;
        r->pxMm = pxMm;
    }
    righelli[0]->lunghezzaMm = g.altezza;
    righelli[1]->lunghezzaMm = g.larghezza;
    MuoviOmbra();
    righelli[0]->inizio = PicPrinter->y();
    righelli[1]->inizio = PicPrinter->x();
    righelli[0]->update();
    righelli[1]->update();
}

void frmStampa::MuoviOmbra() {
    const QRectF r = anteprima::rettangoloOmbra(PicPrinter->x() / pxMm, PicPrinter->y() / pxMm,
                                                pagLarghezzaMm, pagAltezzaMm, zoomCorrente());
    Ombra->setGeometry(int(std::lround(r.x() * pxMm)), int(std::lround(r.y() * pxMm)),
                       PicPrinter->width(), PicPrinter->height());
    Ombra->lower();
}

void frmStampa::GestioneLimitiScroll() {
    if (!motore) return;
    const QSizeF foglio = motore->printer().pageSizeMillimetres();
    const GeometriaPagina g =
        calcolaGeometria(PicContainer->width() / pxMm, PicContainer->height() / pxMm,
                         foglio.width(), foglio.height(), zoomCorrente());
    for (QScrollBar* sb : {VScroll1, HScroll1}) {
        const QSignalBlocker b(sb);
        sb->setMinimum(0);
        sb->setValue(0);
    }
    VScroll1->setMaximum(g.maxScrollV);
    HScroll1->setMaximum(g.maxScrollH);
    MuoviPicPrinter();
}

void frmStampa::ReimpostaValueScroll() {
    for (QScrollBar* sb : {VScroll1, HScroll1}) {
        const QSignalBlocker b(sb);
        sb->setValue(0);
    }
    MuoviPicPrinter();
}

void frmStampa::MuoviPicPrinter() {
    const double top = double(PosBaseY) - VScroll1->value();
    const double left = double(PosBaseX) - HScroll1->value();
    PicPrinter->move(int(std::lround(left * pxMm)), int(std::lround(top * pxMm)));
    righelli[0]->inizio = PicPrinter->y();
    righelli[1]->inizio = PicPrinter->x();
    righelli[0]->update();
    righelli[1]->update();
    MuoviOmbra();
}

void frmStampa::GestioneZoom() {
    ReimpostaValueScroll();
    ImpostaPosBasePicPrinter();
    GestioneLimitiScroll();
    VisualizzaPagina();
}

void frmStampa::SelezionaZoom100() {
    const int i = CmbZoom->findText(QStringLiteral("100 %"), Qt::MatchStartsWith);
    if (i == CmbZoom->currentIndex())
        GestioneZoom();
    else
        CmbZoom->setCurrentIndex(i);
}

void frmStampa::AdattaDimensPagina() {
    if (!motore) return;
    ReimpostaValueScroll();
    const int i = indiceAdatta(PicContainer->height() / pxMm,
                               motore->printer().pageSizeMillimetres().height());
    if (i == CmbZoom->currentIndex())
        GestioneZoom();
    else
        CmbZoom->setCurrentIndex(i);
}

// --- Page picture -----------------------------------------------------------------

int32_t frmStampa::nPagCorr() const {
    return motore ? motore->stato().nPagCorr : 0;
}

void frmStampa::ImpostaScalaPicture() {
    if (!motore || !pic) return;
    JobState& s = motore->stato();
    pic->Cls();
    pic->setScaleMode(platform::vbMillimeters);
    const QSizeF foglio = motore->printer().pageSizeMillimetres();
    s.LarghezzaFoglioCm = float(foglio.width() * 56.7 / 567.0);
    s.AltezzaFoglioCm = float(foglio.height() * 56.7 / 567.0);
    s.FattoreScala = calcolaFattoreScala(pic->scaleWidth(), pic->scaleHeight(), s.LarghezzaFoglioCm,
                                         s.AltezzaFoglioCm);
    // The printable area, as far as the printer's margins reach.
    pic->setDrawWidth(1);
    pic->setDrawStyle(2);
    const double w = pic->scaleWidth(), h = pic->scaleHeight();
    const double fs = s.FattoreScala;
    pic->Line(-s.OffsetStampanteX * fs, 0, -s.OffsetStampanteX * fs, h, grigio);
    pic->Line(w + s.OffsetStampanteX * fs, 0, w + s.OffsetStampanteX * fs, h, grigio);
    pic->Line(0, -s.OffsetStampanteY * fs, w, -s.OffsetStampanteY * fs, grigio);
    pic->Line(0, h + s.OffsetStampanteY * fs, w, h + s.OffsetStampanteY * fs, grigio);
}

void frmStampa::riproduciPagina(int32_t n) {
    motore->VisualizzaPaginaAnteprima(n);
}

void frmStampa::VisualizzaPagina() {
    if (!motore || !pic) return;
    const AttributiPredefiniti& a = motore->stato().attributi;
    pic->Cls();
    ListVdb->clear();
    pic->setFontName(a.CarattereTesto_gen);
    pic->setFontSize(a.DimensTesto_gen);
    pic->setFontBold(a.BoldTesto_gen);
    pic->setForeColor(static_cast<gdi::COLORREF>(a.ColoreTesto_gen));
    ImpostaScalaPicture();
    const int32_t n = nPagCorr();
    if (n > 0) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        riproduciPagina(n);
        QApplication::restoreOverrideCursor();
        TxtPag->setText(QString::number(n) + QStringLiteral(" / ") +
                        QString::number(motore->PagineTotAnteprima()));
    } else {
        TxtPag->clear();
    }
    Label11->setText(QStringLiteral("DB Oggetti - Pag. ") + TxtPag->text());
    AbilitaPulsanti();
    pic->setDrawStyle(0);
    pic->setDrawWidth(1);
    if (motore->stato().PicPrinter == pic.get() && n > 0 && imp.GridAttivo == 1) DisegnaGriglia();
    if (n > 0) motore->RiempiListaDB();
    PicPrinter->update();
}

void frmStampa::DisegnaGriglia() {
    pic->setScaleMode(platform::vbMillimeters);
    pic->setDrawWidth(1);
    const double s = imp.PassoGridStep * motore->stato().FattoreScala;
    if (s <= 0.05) return;  // dots closer than this would only grey the page
    for (double y = 0; y <= pic->scaleHeight(); y += s)
        for (double x = 0; x <= pic->scaleWidth(); x += s) pic->PSet(x, y, verdeAcqua);
}

void frmStampa::AbilitaPulsanti() {
    if (!motore) return;
    const int32_t N = motore->PagineTotAnteprima();
    const int32_t n = nPagCorr();
    const bool pagine = N >= 1;
    for (const QString& k :
         {QStringLiteral("menu.Stampa"), QStringLiteral("menu.Aggiungi Pagina"),
          QStringLiteral("menu.Rimuovi Pagina"), QStringLiteral("Stampa"), QStringLiteral("Pagine"),
          QStringLiteral("Adatta"), QStringLiteral("Zoom"), QStringLiteral("stampaP"),
          QStringLiteral("stampaT"), QStringLiteral("newPage"), QStringLiteral("delPage")})
        azioni[k]->setEnabled(pagine);
    CmbZoom->setEnabled(pagine);
    CmbPrinter->setEnabled(pagine);
    azioni[QStringLiteral("Precedente")]->setEnabled(pagine && n > 1);
    azioni[QStringLiteral("Successiva")]->setEnabled(pagine && n < N);
    azioni[QStringLiteral("Prima")]->setEnabled(pagine && N > 1);
    azioni[QStringLiteral("Ultima")]->setEnabled(pagine && N > 1);
    TxtPag->setEnabled(pagine && N > 1);
    PicPrinter->setVisible(pagine && n > 0);
    Ombra->setVisible(pagine && n > 0);
    VScroll1->setEnabled(pagine);
    HScroll1->setEnabled(pagine);
    // Drawing and editing come with the designer.
    for (auto it = azioni.cbegin(); it != azioni.cend(); ++it)
        if (it.key().startsWith(QLatin1String("disegna.")) ||
            it.key().startsWith(QLatin1String("edita.")))
            it.value()->setEnabled(false);
    azioni[QStringLiteral("menu.Inserisci")]->setEnabled(false);
    azioni[QStringLiteral("menu.Edita")]->setEnabled(false);
}

QRect frmStampa::rettangoloPagina() const {
    return PicPrinter->geometry();
}
QRect frmStampa::rettangoloOmbra() const {
    return Ombra->geometry();
}
QWidget* frmStampa::areaPagina() const {
    return PicContainer;
}
QWidget* frmStampa::paginaWidget() const {
    return PicPrinter;
}

// --- Drag -------------------------------------------------------------------------

void frmStampa::iniziaTrascina(double x, double y) {
    if (nPagCorr() < 1) return;
    TrascinaPagina = true;
    xTrascina = float(x);
    yTrascina = float(y);
}

void frmStampa::trascina(double x, double y) {
    if (!TrascinaPagina) return;
    const double dx = xTrascina - x;
    const double dy = yTrascina - y;
    const int h = HScroll1->value() + int(std::floor(dx));
    if (h >= 0 && h <= HScroll1->maximum()) HScroll1->setValue(h);
    const int v = VScroll1->value() + int(std::floor(dy));
    if (v >= 0 && v <= VScroll1->maximum()) VScroll1->setValue(v);
    MuoviPicPrinter();
}

void frmStampa::fineTrascina() {
    TrascinaPagina = false;
}

// --- Aids and the maker's link ----------------------------------------------------------

void frmStampa::aggiornaAiuti() {
    const auto stile = [](QLabel* l, bool on) {
        l->setStyleSheet(on ? QStringLiteral("color: rgb(0,0,160); font-weight: bold;")
                            : QStringLiteral("color: rgb(110,110,110);"));
    };
    stile(Label8, imp.StepAttivo == 1);
    stile(Label9, imp.GridAttivo == 1);
    stile(Label10, imp.OrtoAttivo == 1);
}

void frmStampa::cambiaAiuto(QLabel* l) {
    int16_t* flag = l == Label8    ? &imp.StepAttivo
                    : l == Label9  ? &imp.GridAttivo
                    : l == Label10 ? &imp.OrtoAttivo
                                   : nullptr;
    if (!flag) return;
    *flag = *flag ? 0 : 1;
    aggiornaAiuti();
    if (flag == &imp.GridAttivo) VisualizzaPagina();
}

void frmStampa::apriCollegamento() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int r = servizi.shell->open(indirizzoProduttore(), QDir::currentPath(), 0);
    QApplication::restoreOverrideCursor();
    if (r <= 32)
        servizi.prompter->message(QStringLiteral("Impossibile collegarsi con  ") +
                                  indirizzoProduttore());
}

bool frmStampa::eventFilter(QObject* o, QEvent* e) {
    if (o == TxtPag) {
        if (e->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, TxtPag, [this] { TxtPag->selectAll(); });
        } else if (e->type() == QEvent::FocusOut) {
            // Another window or a menu taking the focus is not leaving the field.
            const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) confermaTxtPag();
        } else if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                confermaTxtPag();
                return true;
            }
            if (k->key() == Qt::Key_Backspace) return false;
            const QString t = k->text();
            if (t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9')) return false;
            // Moving the cursor is harmless; every other key is dropped.
            return !(k->key() == Qt::Key_Left || k->key() == Qt::Key_Right ||
                     k->key() == Qt::Key_Home || k->key() == Qt::Key_End ||
                     k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab);
        }
    } else if (e->type() == QEvent::MouseButtonRelease) {
        if (o == Label3) {
            apriCollegamento();
            return true;
        }
        if (o == Label8 || o == Label9 || o == Label10) {
            cambiaAiuto(static_cast<QLabel*>(o));
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

// --- Navigation ----------------------------------------------------------------------

void frmStampa::vaiPagina(const QString& chiave) {
    if (!motore) return;
    int32_t& n = motore->stato().nPagCorr;
    const int32_t N = motore->PagineTotAnteprima();
    int32_t nuova = n;
    if (chiave == QLatin1String("Prima"))
        nuova = 1;
    else if (chiave == QLatin1String("Precedente"))
        nuova = n - 1;
    else if (chiave == QLatin1String("Successiva"))
        nuova = n + 1;
    else if (chiave == QLatin1String("Ultima"))
        nuova = N;
    if (nuova < 1 || nuova > N) return;
    n = nuova;
    ReimpostaValueScroll();
    VisualizzaPagina();
}

void frmStampa::confermaTxtPag() {
    // A field disabled meanwhile (no page left) has nothing to go to.
    if (!motore || inConferma || !TxtPag->isEnabled()) return;
    inConferma = true;
    const std::optional<int32_t> p = paginaDigitata(TxtPag->text(), motore->PagineTotAnteprima());
    if (p) {
        motore->stato().nPagCorr = *p;
        VisualizzaPagina();
    } else {
        servizi.prompter->message(QStringLiteral("Numero di pagina non valido"),
                                  platform::vbExclamation, titolo());
    }
    inConferma = false;
}

// --- Printing -------------------------------------------------------------------------------

void frmStampa::erroreStampa(const QString& descrizione) {
    servizi.prompter->beep();
    servizi.prompter->message(QStringLiteral("Errore di Stampa.") + QLatin1Char('\n') + descrizione,
                              platform::vbOKOnly, titolo());
}

// The PDF printer writes to a file the user names; other printers start at once.
bool frmStampa::apriLavoro(platform::Printer& p) {
    if (p.kind() == platform::Printer::Kind::Pdf) {
        platform::FileDialogRequest r;
        r.title = QStringLiteral("Stampa su file PDF");
        r.filter = QStringLiteral("Documento PDF (*.pdf)|*.pdf");
        QString nome = motore->NomeDocumento.isEmpty()
                           ? QStringLiteral("Documento")
                           : QFileInfo(motore->NomeDocumento).completeBaseName();
        r.fileName = nome + QStringLiteral(".pdf");
        const std::optional<QString> f = servizi.prompter->saveFile(r);
        if (!f || f->isEmpty()) return false;
        QString file = *f;
        if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".pdf");
        p.setOutputFile(file);
    }
    if (!p.beginDoc()) {
        erroreStampa(p.lastError().isEmpty() ? descrizioneErrore(ErrStampante) : p.lastError());
        return false;
    }
    return true;
}

void frmStampa::StampaPagCorrente() {
    if (!motore || nPagCorr() < 1) return;
    platform::Printer& p = motore->printer();
    if (!apriLavoro(p)) return;
    motore->StampaPagina(nPagCorr());
    if (!p.endDoc())
        erroreStampa(p.lastError().isEmpty() ? descrizioneErrore(ErrStampante) : p.lastError());
}

void frmStampa::StampaTutto(int32_t prima, int32_t ultima) {
    if (!motore || prima < 1 || ultima < prima) return;
    platform::Printer& p = motore->printer();
    if (!apriLavoro(p)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString errore;
    for (int32_t n = prima; n <= ultima; ++n) {
        motore->StampaPagina(n);
        // A new sheet only between pages: no blank sheet at the end.
        if (n < ultima && !p.newPage()) errore = p.lastError();
    }
    if (!p.endDoc()) errore = p.lastError();
    QApplication::restoreOverrideCursor();
    if (!errore.isNull()) erroreStampa(errore.isEmpty() ? descrizioneErrore(ErrStampante) : errore);
}

void frmStampa::StampaIntervallo() {
    if (!motore) return;
    const int32_t N = motore->PagineTotAnteprima();
    const QString nStr = QString::number(N);
    const QString domanda =
        QStringLiteral("N* Pagine = ") + nStr +
        QStringLiteral(
            "\n\nSpecificare l'intervallo di pagine da stampare, Separato dal "
            "simbolo - .\nES. specificare 1-10 per stampare le pagine da 1 a 10");
    for (;;) {
        const Intervallo r =
            leggiIntervallo(servizi.prompter->input(domanda, QStringLiteral("Stampa Intervallo"),
                                                    QStringLiteral("1-") + nStr),
                            N);
        if (r.esito == Intervallo::Fine) return;
        if (r.esito == Intervallo::Stampa) {
            StampaTutto(r.prima, r.ultima);
            return;
        }
        servizi.prompter->beep();
    }
}

void frmStampa::AggiungiPaginaVerificata() {
    if (!motore) return;
    if (modoModello(motore->TipoDocumento)) {
        for (const auto& [nome, testo] :
             {std::pair{QStringLiteral("Impostazioni Righe"),
                        QStringLiteral("Impossibile aggiungere Nuova Pagina, nel Modello è "
                                       "presente l'oggetto 'Impostazioni Righe' che può essere "
                                       "usato solo nei documenti a pagina singola.")},
              std::pair{QStringLiteral("Campo Colonna"),
                        QStringLiteral("Impossibile aggiungere Nuova Pagina, nel Modello è "
                                       "presente l'oggetto 'Campo Colonna' che può essere usato "
                                       "solo nei documenti a pagina singola.")}}) {
            if (motore->esisteObj(nome)) {
                servizi.prompter->beep();
                servizi.prompter->message(testo, platform::vbOKOnly, titolo());
                return;
            }
        }
    }
    AggiungiPagina();
}

void frmStampa::AggiungiPagina() {
    if (!motore) return;
    try {
        motore->aggiungiPagina();
    } catch (const Errore& e) {
        servizi.prompter->message(QStringLiteral("Errore N. ") + QString::number(e.numero()) +
                                      QLatin1Char('\n') + e.descrizione(),
                                  platform::vbCritical, titolo());
        return;
    }
    motore->stato().nPagCorr = motore->PagineTotAnteprima();
    VisualizzaPagina();
}

void frmStampa::EliminaPagina() {
    if (!motore || nPagCorr() < 1) return;
    int32_t& n = motore->stato().nPagCorr;
    const int r = servizi.prompter->message(QStringLiteral("Eliminare la pagina corrente n° ") +
                                                QString::number(n) + QStringLiteral(" ?"),
                                            platform::vbYesNo | platform::vbQuestion,
                                            QStringLiteral("Conferma eliminazione pagina"));
    if (r != platform::vbYes) return;
    if (motore->EliminaPaginaModello(n)) {
        const int32_t N = motore->PagineTotAnteprima();
        if (n > N) n = N;
    }
    VisualizzaPagina();
}

void frmStampa::SelezionaPrinter() {
    if (!motore) return;
    platform::Printer& p = motore->printer();
    const QString nome = CmbPrinter->currentText();
    MemImpParamPrinter.orientamento = int16_t(p.orientation());
    MemImpParamPrinter.formato = int16_t(p.paperSize());
    MemImpParamPrinter.copie = int16_t(p.copies());
    MemImpParamPrinter.qualita = int16_t(p.printQuality());
    // The printer layer has no fifth setting: it stays 0 and is never applied.
    MemImpParamPrinter.quinto = 0;
    if (nome != p.deviceName() && !p.select(nome)) {
        servizi.prompter->message(
            QStringLiteral("%1- %2").arg(int(ErrStampante)).arg(descrizioneErrore(ErrStampante)),
            platform::vbCritical, QStringLiteral("frmStampa.MemImpParamPrinter"));
    } else {
        const ParametriPrinter& m = MemImpParamPrinter;
        p.setOrientation(m.orientamento);
        if (m.copie > 0) p.setCopies(m.copie);
        if (m.qualita >= -4 && m.qualita <= -1) p.setPrintQuality(m.qualita);
        if (!p.setPaperSize(m.formato))
            servizi.prompter->message(QStringLiteral("Impossibile impostare il formato di carta "
                                                     "codice ") +
                                          QString::number(m.formato) + QStringLiteral(" su ") +
                                          p.deviceName(),
                                      platform::vbExclamation, windowTitle());
    }
    ReimpostaPrinter();
}

void frmStampa::ReimpostaPrinter() {
    LoadCmbZoom();
    ImpostaPosBasePicPrinter();
    GestioneLimitiScroll();
    VisualizzaPagina();
}

void frmStampa::GestImpostaPrinter() {
    if (!motore) return;
    QString nome = motore->printer().deviceName();
    if (motore->ShowPrinterSetup(int32_t(winId() & 0x7fffffff), nome)) {
        SelezionaPrinter();
    }
}

void frmStampa::cambiaText8() {
    if (!motore) return;
    QString t = Text8->text();
    if (t.contains(QLatin1Char('.'))) {
        const int pos = Text8->cursorPosition();
        t.replace(QLatin1Char('.'), QLatin1Char(','));
        Text8->setText(t);
        Text8->setCursorPosition(pos);
    }
    if (!vb::IsNumeric(t)) return;
    const double v = vb::CDbl(t);
    motore->fc = (v > 0 && v <= 1) ? float(v) : 1.0f;
    servizi.settings->save(titoloLibreria(), QStringLiteral("FattoreStampa"),
                           QStringLiteral("Testo"), vb::CStr(motore->fc));
}

// --- Closing ------------------------------------------------------------------------------

void frmStampa::salvaImpostazioniForm() {
    const double twPx = 1440.0 / logicalDpiX();
    const QRect g = geometry();
    imp.Top = vb::CLng(g.top() * twPx);
    imp.Left = vb::CLng(g.left() * twPx);
    imp.Width = vb::CLng(g.width() * twPx);
    imp.Height = vb::CLng(g.height() * twPx);
    imp.ZoomIniziale = int16_t(zoomCorrente());
    salvaImpostazioni(*servizi.settings, imp);
}

// Every way of closing (close box, "Esci", Escape) ends here.
void frmStampa::done(int r) {
    if (isVisible()) salvaImpostazioniForm();
    aperta = false;
    Timer1->stop();
    QDialog::done(r);
}

}  // namespace velmora
