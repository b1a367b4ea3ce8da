// `tessaro report` as a user runs it: exit codes, messages and the lines.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

Outcome tessaro(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TESSARO_TEST_BIN_DIR "/tessaro"), args);
    Outcome r;
    if (!p.waitForFinished(60000)) return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

const QString kSample = QStringLiteral(TESSARO_FIXTURES_DIR "/sample.TSR");

QByteArray sampleBytes() {
    QFile f(kSample);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(ReportCommand, PrintsTheSampleAsTextAndJson) {
    const Outcome text = tessaro({QStringLiteral("report"), kSample});
    ASSERT_EQ(text.code, 0) << text.err.toStdString();
    EXPECT_TRUE(text.err.isEmpty()) << text.err.toStdString();
    QStringList lines = text.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.takeLast(), QString());
    EXPECT_EQ(lines.first(), QStringLiteral("     ANALISI DEI CARICHI"));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("     ZONA III     as=750,00m.     CE=1,00     "
                                      "Ct=1,00     μ=0,80")));
    EXPECT_EQ(lines.last(), QString());

    const Outcome json = tessaro({QStringLiteral("report"), kSample, QStringLiteral("--json")});
    ASSERT_EQ(json.code, 0);
    const QJsonDocument doc = QJsonDocument::fromJson(json.out.toUtf8());
    ASSERT_TRUE(doc.isObject());
    QStringList fromJson;
    for (const QJsonValue& v : doc.object().value(QStringLiteral("lines")).toArray())
        fromJson << v.toString();
    EXPECT_EQ(fromJson, lines);
}

TEST(ReportCommand, ExitCodesAndMessages) {
    QTemporaryDir dir;
    const QString cut = dir.path() + QStringLiteral("/troncato.TSR");
    write(cut, sampleBytes().left(40 * 128 + 1));
    const QString old = dir.path() + QStringLiteral("/vecchio.TSR");
    QByteArray bytes = sampleBytes();
    bytes[4] = '9';  // "1.9"
    write(old, bytes);
    const QString missing = dir.path() + QStringLiteral("/assente.TSR");

    struct Case {
        QStringList args;
        int code;
        QString inErr;
    };
    const QList<Case> cases = {
        {{QStringLiteral("report"), missing}, 1, missing},
        {{QStringLiteral("report"), cut}, 1, cut},
        {{QStringLiteral("report"), cut}, 1, QStringLiteral("File danneggiato")},
        {{QStringLiteral("report"), old}, 0, QStringLiteral("Versione 1.9 del programma")},
        {{QStringLiteral("report")}, 2, QStringLiteral("uso: tessaro report")},
        {{QStringLiteral("report"), kSample, QStringLiteral("--pdf")}, 2, QStringLiteral("--pdf")},
        {{QStringLiteral("report"), kSample, kSample}, 2, QStringLiteral("uso:")},
    };
    for (const Case& c : cases) {
        const Outcome r = tessaro(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.inErr)) << r.err.toStdString();
        if (c.code != 0) EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    // A file of another version still gives its whole report.
    EXPECT_EQ(tessaro({QStringLiteral("report"), old}).out,
              tessaro({QStringLiteral("report"), kSample}).out);
}

}  // namespace
