#include <QPainter>
#include <QTemporaryDir>

#include "Errore.h"
#include "JobTestSupport.h"
#include "Registry.h"

using namespace velmora;
using platform::Printer;

TEST(Printer, BuiltInPrintersAreListedAfterTheInstalledOnes) {
    const QStringList all = Printer::availablePrinterNames();
    ASSERT_GE(all.size(), 2);
    EXPECT_EQ(all[all.size() - 2], Printer::pdfPrinterName());
    EXPECT_EQ(all.last(), Printer::rasterPrinterName());
    EXPECT_TRUE(all.contains(Printer::defaultPrinterName()));
    if (Printer::installedPrinterNames().isEmpty()) {
        EXPECT_EQ(Printer::defaultPrinterName(), Printer::pdfPrinterName());
    }
}

TEST(Printer, RasterPrinterMakesOneImagePerPage) {
    QTemporaryDir dir;
    Printer p(Printer::rasterPrinterName());
    ASSERT_EQ(p.kind(), Printer::Kind::Raster);
    ASSERT_TRUE(p.setResolution(100));
    EXPECT_EQ(p.pageSizePixels(), QSize(827, 1169));  // A4 at 100 dpi
    p.setOutputFile(dir.filePath("page.png"));
    p.painter()->fillRect(QRect(0, 0, 10, 10), Qt::black);
    EXPECT_TRUE(p.newPage());
    EXPECT_EQ(p.page(), 2);
    ASSERT_TRUE(p.endDoc());
    ASSERT_EQ(p.rasterPages().size(), 2);
    EXPECT_EQ(p.rasterPages()[0].pixelColor(5, 5), QColor(Qt::black));
    EXPECT_EQ(p.rasterPages()[1].pixelColor(5, 5), QColor(Qt::white));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("page-1.png")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("page-2.png")));
    EXPECT_EQ(p.page(), 1);
}

TEST(Printer, SettingsAndRefusals) {
    Printer p(Printer::rasterPrinterName());
    p.setResolution(50);
    EXPECT_TRUE(p.setOrientation(Printer::Landscape));
    EXPECT_EQ(p.pageSizeMillimetres(), QSizeF(297, 210));
    EXPECT_TRUE(p.setPaperSize(11));  // A5
    EXPECT_EQ(p.pageSizeMillimetres(), QSizeF(210, 148));
    EXPECT_FALSE(p.setPaperSize(16));  // no such code
    EXPECT_FALSE(p.setOrientation(3));
    EXPECT_EQ(p.paperSize(), 11);
    EXPECT_TRUE(p.setPaperSize(Printer::PaperUser));  // keeps the size in use
    EXPECT_EQ(p.pageSizeMillimetres(), QSizeF(210, 148));
    EXPECT_TRUE(p.setPrintQuality(-1));
    EXPECT_FALSE(p.setPrintQuality(-7));
    EXPECT_EQ(p.printQuality(), -1);
    EXPECT_FALSE(p.setCopies(2));
    EXPECT_EQ(p.copies(), 1);
    EXPECT_EQ(p.physicalOffsetPixels(), QPoint(0, 0));
}

TEST(Printer, PdfPrinterWritesAndKillRemoves) {
    QTemporaryDir dir;
    Printer p(Printer::pdfPrinterName());
    p.setOutputFile(dir.filePath("a.pdf"));
    EXPECT_EQ(p.resolution(), 1200);
    EXPECT_NEAR(p.pageSizePixels().width(), 210 / 25.4 * 1200, 10);  // A4 in whole points
    p.painter()->drawLine(0, 0, 100, 100);
    EXPECT_TRUE(p.isPrinting());
    EXPECT_FALSE(p.setOrientation(Printer::Landscape));  // not in the middle of a document
    ASSERT_TRUE(p.endDoc());
    QFile f(dir.filePath("a.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    f.close();
    p.setOutputFile(dir.filePath("b.pdf"));
    p.painter();
    p.killDoc();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("b.pdf")));
}

namespace {
// A list control as the preview window offers one.
class FakeList : public IListaStampanti {
public:
    QStringList items;
    int32_t index = -2;
    com::HRESULT QueryInterface(com::REFIID riid, void** ppv) override {
        if (riid == com::IID_IUnknown || riid == com::IID_IDispatch ||
            riid == IID_IListaStampanti) {
            *ppv = static_cast<IListaStampanti*>(this);
            return com::S_OK;
        }
        *ppv = nullptr;
        return com::E_NOINTERFACE;
    }
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
        items.clear();
        index = -1;
        return com::S_OK;
    }
    com::HRESULT AddItem(com::BSTR* item) override {
        items << com::fromBstr(*item);
        return com::S_OK;
    }
    com::HRESULT get_NewIndex(int32_t* r) override {
        *r = static_cast<int32_t>(items.size() - 1);
        return com::S_OK;
    }
    com::HRESULT put_ListIndex(int32_t* i) override {
        index = *i;
        return com::S_OK;
    }
    com::HRESULT get_ListIndex(int32_t* r) override {
        *r = index;
        return com::S_OK;
    }
};
}  // namespace

TEST(PrinterMembers, LoadComboPrintersSelectsTheSystemPrinter) {
    JobFixture f(Printer::rasterPrinterName());
    FakeList list;
    list.items << "stale";
    f.j().LoadComboPrinters(&list);
    EXPECT_EQ(list.items, Printer::availablePrinterNames());
    ASSERT_GE(list.index, 0);
    EXPECT_EQ(list.items[list.index], Printer::rasterPrinterName());
    // Through the component face too.
    IDispatch* d = &list;
    FakeList list2;
    IDispatch* d2 = &list2;
    EXPECT_EQ(f.j().LoadComboPrinters(&d2), com::S_OK);
    EXPECT_EQ(list2.items, list.items);
    (void)d;
}

TEST(PrinterMembers, CopiesRefusedIsReportedAndLeavesOne) {
    JobFixture f(Printer::rasterPrinterName());
    f.prompter.answerMessage();
    int16_t copies = 3;
    f.j().setCopies(copies);
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(f.j().Copies(), 1);
    ASSERT_EQ(f.prompter.shown().size(), 1);
    EXPECT_EQ(f.prompter.shown()[0].text,
              QStringLiteral("Impossibile impostare Numero Copie = 3 per la stampante \"") +
                  Printer::rasterPrinterName() + "\"\n\nValore della proprietà non valido");
    EXPECT_EQ(f.prompter.shown()[0].title, QStringLiteral("Velmora"));
    // Accepted: no message.
    int16_t one = 1;
    f.j().setCopies(one);
    EXPECT_EQ(f.prompter.shown().size(), 1);
}

TEST(PrinterMembers, PaperOrientationQuality) {
    JobFixture f(Printer::rasterPrinterName());
    f.j().setPaperSize(8);
    EXPECT_EQ(f.j().printer().paperSize(), 8);
    EXPECT_THROW(f.j().setPaperSize(17), Errore);
    EXPECT_EQ(f.j().printer().paperSize(), 8);
    f.j().setOrientation(2);
    EXPECT_EQ(f.j().printer().orientation(), 2);
    EXPECT_THROW(f.j().setOrientation(0), Errore);
    f.j().setPrintQuality(-4);
    f.j().setPrintQuality(12345);  // refused silently
    EXPECT_EQ(f.j().printer().printQuality(), -4);
    EXPECT_TRUE(f.prompter.shown().isEmpty());
    // Through the component face a refusal is an error to the caller.
    Dimensioni_Foglio bad = static_cast<Dimensioni_Foglio>(17);
    EXPECT_TRUE(com::FAILED(f.j().put_PaperSize(&bad)));
    QualitàDiStampa q = AltaRisoluzione;
    EXPECT_EQ(f.j().put_PrintQuality(&q), com::S_OK);
}

TEST(PrinterMembers, OffsetsFontsAndPage) {
    JobFixture f;
    f.j().getPrinterOffsets();
    EXPECT_EQ(f.j().stato().OffsetStampanteX, 0.0f);
    EXPECT_EQ(f.j().stato().OffsetStampanteY, 0.0f);
    const int16_t n = f.j().FontCount();
    EXPECT_GT(n, 0);
    EXPECT_FALSE(f.j().Fonts(0).isEmpty());
    EXPECT_THROW(f.j().Fonts(n), Errore);
    EXPECT_THROW(f.j().Fonts(-1), Errore);
}

TEST(PrinterMembers, SetupDialog) {
    JobFixture f(Printer::rasterPrinterName());
    // Cancelled: nothing changes.
    QString name;
    EXPECT_FALSE(f.j().ShowPrinterSetup(0, name));
    EXPECT_EQ(name, Printer::rasterPrinterName());
    EXPECT_EQ(f.j().printer().orientation(), 1);
    EXPECT_EQ(f.j().printer().paperSize(), 9);

    ImpostazioniDocumento s;
    s.orientamento = 2;
    s.copie = 1;
    s.qualita = -2;
    s.formato = 11;
    f.dialogs.setupAnswers.push_back(s);
    EXPECT_TRUE(f.j().ShowPrinterSetup(0, name));
    EXPECT_EQ(f.j().printer().orientation(), 2);
    EXPECT_EQ(f.j().printer().printQuality(), -2);
    EXPECT_EQ(f.j().printer().paperSize(), 11);
    EXPECT_TRUE(f.prompter.shown().isEmpty());
}

TEST(PrinterMembers, PropertiesDialogAndUnknownPrinter) {
    JobFixture f(Printer::rasterPrinterName());
    QString name;
    f.dialogs.propertiesAnswers.push_back(true);
    EXPECT_TRUE(f.j().ShowPrinterProperties(0, name));
    EXPECT_EQ(name, Printer::rasterPrinterName());

    QString missing = "Nessuna";
    f.prompter.answerMessage().answerMessage(platform::vbNo);
    EXPECT_FALSE(f.j().ShowPrinterProperties(0, missing));
    ASSERT_EQ(f.prompter.shown().size(), 2);
    EXPECT_TRUE(f.prompter.shown()[0].text.startsWith("Errore nella routine di stampa\r\n"));
    // Silenced: the next failure shows nothing.
    EXPECT_FALSE(f.j().ShowPrinterSetup(0, missing));
    EXPECT_EQ(f.prompter.shown().size(), 2);
}

TEST(PrinterMembers, OffsetsOfAPrinterWithMargins) {
    JobFixture f(Printer::rasterPrinterName());
    ASSERT_TRUE(f.j().printer().setResolution(600));
    // 100 pixels at 600 pixels per inch on the left, none on top.
    ASSERT_TRUE(f.j().printer().setUnprintableMargins(QMarginsF(100 * 25.4 / 600, 0, 5, 5)));
    f.j().getPrinterOffsets();
    EXPECT_NEAR(f.j().stato().OffsetStampanteX, -4.2333f, 1e-4);
    EXPECT_EQ(f.j().stato().OffsetStampanteY, 0.0f);
    // The device's origin is the printable corner: (0, 0) lands 100 pixels in.
    ASSERT_TRUE(f.j().printer().setResolution(60));
    f.j().printer().painter()->fillRect(QRect(0, 0, 2, 2), Qt::black);
    f.j().printer().endDoc();
    const QImage page = f.j().printer().rasterPages().value(0);
    EXPECT_EQ(page.pixelColor(10, 0), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(9, 0), QColor(Qt::white));
}
