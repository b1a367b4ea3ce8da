#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

namespace {

const QString kBin = QStringLiteral(TESSARO_TEST_BIN_DIR);
const QString kSample = QStringLiteral(TESSARO_FIXTURES_DIR "/sample.TSR");
constexpr double kPtPerMm = 72.0 / 25.4;

struct Result {
    int status = -1;
    QString out, err;
};

Result tessaro(const QStringList& args,
               const QString& program = kBin + QStringLiteral("/tessaro")) {
    QProcess p;
    p.start(program, args);
    Result r;
    if (!p.waitForFinished(120000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;  // points from the page's top-left corner
};

// The words of page 1 with their boxes, as poppler reads them back.
QList<Word> wordsOf(const QString& pdf, const QString& dir) {
    const QString html = dir + QStringLiteral("/words.html");
    QProcess::execute(QStringLiteral("pdftotext"),
                      {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                       QStringLiteral("-l"), QStringLiteral("1"), pdf, html});
    QFile f(html);
    QList<Word> words;
    if (!f.open(QIODevice::ReadOnly)) return words;
    static const QRegularExpression re(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    auto it = re.globalMatch(QString::fromUtf8(f.readAll()));
    while (it.hasNext()) {
        auto m = it.next();
        words << Word{m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                      m.captured(3).toDouble(), m.captured(4).toDouble()};
    }
    return words;
}

}  // namespace

TEST(PrintCommand, PrintsTheAnalysisToAPdfAtItsPlaces) {
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/analisi.pdf");
    const Result r = tessaro({QStringLiteral("print"), kSample, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_TRUE(QFile::exists(pdf));

    const QList<Word> words = wordsOf(pdf, dir.path());
    ASSERT_FALSE(words.isEmpty());
    auto find = [&](const QString& text, int nth = 0) -> const Word* {
        for (const Word& w : words)
            if (w.text == text && nth-- == 0) return &w;
        return nullptr;
    };
    // Each line's text cell starts at its y; the glyphs sit within the 10-point cell.
    const struct {
        QString word;
        double xMm, yMm;
    } expected[] = {
        {QStringLiteral("ANALISI"), 10, 20},
        {QStringLiteral("PERMANENTI:"), 10 + 8 * 6.0 * 25.4 / 72.0, 34},  // after "CARICHI "
        {QStringLiteral("PESO"), 10 + 5 * 6.0 * 25.4 / 72.0, 41},
        {QStringLiteral("STRUTTURALI:"), -1, 48},
        {QStringLiteral("Intonaco"), 10 + 5 * 6.0 * 25.4 / 72.0, 55},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.word.toStdString());
        const Word* w = find(e.word);
        ASSERT_NE(w, nullptr);
        EXPECT_GE(w->yMin, e.yMm * kPtPerMm - 0.5);
        EXPECT_LE(w->yMax, (e.yMm + 6) * kPtPerMm);
        if (e.xMm >= 0) {
            EXPECT_NEAR(w->xMin, e.xMm * kPtPerMm, 1.5);
        }
    }
    // The group rule and total stand at 130 mm, half a step and a step under the last row.
    const Word* total = find(QStringLiteral("G2"));
    ASSERT_NE(total, nullptr);
    EXPECT_NEAR(total->xMin, 130 * kPtPerMm, 1.5);
    const Word* last = find(QStringLiteral("Impianti"));
    ASSERT_NE(last, nullptr);
    EXPECT_NEAR(total->yMin - last->yMin, 7 * kPtPerMm, 1.0);
    // The variable loads are numbered across their classes.
    EXPECT_NE(find(QStringLiteral("Qk1")), nullptr);
    EXPECT_NE(find(QStringLiteral("Qk3")), nullptr);
}

TEST(PrintCommand, UsageAndUnreadableFiles) {
    QTemporaryDir dir;
    EXPECT_EQ(tessaro({QStringLiteral("print"), kSample}).status, 2);
    EXPECT_EQ(tessaro({QStringLiteral("print"), QStringLiteral("--pdf")}).status, 2);
    const Result missing =
        tessaro({QStringLiteral("print"), dir.path() + QStringLiteral("/nessuno.TSR"),
                 QStringLiteral("--pdf"), dir.path() + QStringLiteral("/x.pdf")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("nessuno.TSR")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/x.pdf")));
}

TEST(PrintCommand, WithoutThePrintLibraryTheUserIsToldAndNothingIsPrinted) {
    // A copy of the program far from the library, with no registration to find it.
    QTemporaryDir dir;
    const QString copy = dir.path() + QStringLiteral("/tessaro");
    ASSERT_TRUE(QFile::copy(kBin + QStringLiteral("/tessaro"), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    const QString pdf = dir.path() + QStringLiteral("/x.pdf");
    const Result r =
        tessaro({QStringLiteral("print"), kSample, QStringLiteral("--pdf"), pdf}, copy);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Il componente ActiveX non può creare l'oggetto")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}
