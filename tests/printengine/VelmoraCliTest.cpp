// The command line as scripts use it: output, JSON and exit status.

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
struct CliRun {
    int status = -1;
    QByteArray out, err;
};

CliRun velmora(const QStringList& args, const QString& config) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TESSARO_TEST_BIN_DIR "/velmora"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

const QByteArray kModel =
    "[PaperSize]:11\r\n[Orientamento]:2\r\n[PrintyQuality]:-4\r\n[tipo_camp_Sup]:7\r\n"
    "[col_camp_Sup]:0\r\n[col_contorno_Sup]:0\r\n[spes_contorno_Sup]:0.5\r\n"
    "[tipo_contorno_Sup]:0\r\n[col_Linea]:0\r\n[tipo_Linea]:0\r\n[spes_Linea]:0,250\r\n"
    "[CarattereTesto_gen]:Arial\r\n[DimensTesto_gen]:10\r\n[BoldTesto_gen]:True\r\n"
    "[CorsivoTesto_gen]:False\r\n[BarratoTesto_gen]:False\r\n[SottolineatoTesto_gen]:False\r\n"
    "[ColoreTesto_gen]:0\r\n[OpacoTesto_gen]:False\r\n[ColoreOpacoTesto_gen]:16777215\r\n"
    "OGGETTO  : \r\nLinea\r\nSPECIFICA: \r\n|x1=10,00|y1=20,00|\r\n"
    "OGGETTO  : \r\nFreccia\r\nSPECIFICA: \r\n|x1=1|\r\n"
    "OGGETTO  : \r\nNew Page\r\nSPECIFICA: \r\n\r\n"
    "OGGETTO  : \r\nLabel\r\nSPECIFICA: \r\n|Testo=Ciao|\r\n";
}  // namespace

TEST(VelmoraCli, InfoJson) {
    QTemporaryDir dir;
    QFile f(dir.filePath("m.VLM"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kModel);
    f.close();
    CliRun r = velmora({"info", f.fileName(), "--json"}, dir.filePath("cfg"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["PaperSize"].toInt(), 11);
    EXPECT_EQ(o["Orientamento"].toInt(), 2);
    EXPECT_DOUBLE_EQ(o["spes_Linea"].toDouble(), 0.25);
    EXPECT_EQ(o["BoldTesto_gen"].toBool(), true);
    const QJsonArray pages = o["pages"].toArray();
    ASSERT_EQ(pages.size(), 2);
    const QJsonArray first = pages[0].toObject()["commands"].toArray();
    ASSERT_EQ(first.size(), 2);  // the unknown "Freccia" is dropped with its message
    EXPECT_EQ(first[1].toObject()["name"].toString(), "Linea");
    EXPECT_EQ(first[1].toObject()["spec"].toString(), "|x1=10,00|y1=20,00|");
    EXPECT_EQ(pages[1].toObject()["commands"].toArray()[1].toObject()["name"].toString(), "Testo");
    EXPECT_TRUE(r.err.contains("Freccia"));
}

TEST(VelmoraCli, FailuresAndUsage) {
    QTemporaryDir dir;
    const QString cfg = dir.filePath("cfg");
    QFile f(dir.filePath("t.VLM"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kModel.left(kModel.size() - 20));  // ends inside the last entry
    f.close();
    CliRun r = velmora({"info", f.fileName()}, cfg);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("t.VLM"));

    QFile junk(dir.filePath("j.VLM"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("niente di utile\r\n");
    junk.close();
    EXPECT_EQ(velmora({"info", junk.fileName()}, cfg).status, 1);
    EXPECT_EQ(velmora({"info", dir.filePath("none.VLM")}, cfg).status, 1);
    EXPECT_EQ(velmora({"info"}, cfg).status, 2);
    EXPECT_EQ(velmora({"info", "a", "b"}, cfg).status, 2);
    EXPECT_EQ(velmora({"boh"}, cfg).status, 2);
}

TEST(VelmoraCli, PrintersAndRegistration) {
    QTemporaryDir dir;
    const QString cfg = dir.filePath("cfg");
    CliRun r = velmora({"printers"}, cfg);
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("Velmora PDF"));
    EXPECT_EQ(r.out.count("* "), 1);
    EXPECT_EQ(velmora({"register"}, cfg).status, 0);
    QFile reg(cfg + "/ComponentRegistry.ini");
    ASSERT_TRUE(reg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(reg.readAll().contains("libvelmora.so"));
    reg.close();
    EXPECT_EQ(velmora({"unregister"}, cfg).status, 0);
    ASSERT_TRUE(reg.open(QIODevice::ReadOnly));
    EXPECT_FALSE(reg.readAll().contains("libvelmora.so"));
}

TEST(VelmoraCli, RenderPngPagesAndPdf) {
    QTemporaryDir dir;
    QFile f(dir.filePath("m.VLM"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kModel);
    f.write(
        "OGGETTO  : \r\nLinea\r\nSPECIFICA: \r\n|x1=10|y1=30|x2=100|y2=30|SpesCont=1|Col=255|\r\n");
    f.close();
    const QString cfg = dir.filePath("cfg");

    // Every page, numbered; the header's paper (A5 landscape) at the dpi asked for.
    CliRun r = velmora({"render", f.fileName(), "--out", dir.filePath("p.png"), "--dpi=50"}, cfg);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QImage p1(dir.filePath("p-1.png")), p2(dir.filePath("p-2.png"));
    ASSERT_FALSE(p1.isNull());
    ASSERT_FALSE(p2.isNull());
    EXPECT_NEAR(p1.width(), 210 / 25.4 * 50, 1);
    EXPECT_NEAR(p1.height(), 148 / 25.4 * 50, 1);
    const int y = int(30 / 25.4 * 50);
    EXPECT_EQ(p2.pixelColor(int(50 / 25.4 * 50), y), QColor(Qt::red));
    EXPECT_EQ(p1.pixelColor(int(50 / 25.4 * 50), y), QColor(Qt::white));

    // One page by its number, to the file named.
    r = velmora({"render", f.fileName(), "--out", dir.filePath("solo.png"), "--page", "2"}, cfg);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_NEAR(QImage(dir.filePath("solo.png")).width(), 210 / 25.4 * 150, 1);

    r = velmora({"render", f.fileName(), "--out", dir.filePath("tutto.pdf")}, cfg);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile pdf(dir.filePath("tutto.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_FALSE(QFile::exists(dir.filePath("tutto.pdf.part")));

    // Failures and bad usage.
    r = velmora({"render", f.fileName(), "--out", dir.filePath("x.png"), "--page", "3"}, cfg);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("la pagina 3 non esiste"));
    r = velmora({"render", dir.filePath("manca.VLM"), "--out", dir.filePath("x.png")}, cfg);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("manca.VLM"));
    for (const QStringList& bad :
         {QStringList{"render", f.fileName()}, QStringList{"render", f.fileName(), "--out"},
          QStringList{"render", f.fileName(), "--out", "x.png", "--dpi", "tanti"},
          QStringList{"render", f.fileName(), "--out", "x.png", "--format", "gif"}}) {
        r = velmora(bad, cfg);
        EXPECT_EQ(r.status, 2) << bad.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
}
