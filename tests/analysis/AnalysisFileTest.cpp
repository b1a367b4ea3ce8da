#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "AnalysisFile.h"

TEST(AnalysisFile, RecordsAreLaidOutByteForByte) {
    TsrWriter w;
    ASSERT_TRUE(w.text(QStringLiteral("1.0"), QStringLiteral("versione")));
    w.integer(-1);
    ASSERT_TRUE(w.text(QStringLiteral("Città"), QStringLiteral("descrizione")));
    const QByteArray& b = w.data();
    ASSERT_EQ(b.size(), 3 * 128);
    EXPECT_EQ(b.mid(0, 5), QByteArray("\x03\x00"
                                      "1.0",
                                      5));
    EXPECT_EQ(b.mid(5, 123), QByteArray(123, '\0'));
    EXPECT_EQ(b.mid(128, 2), QByteArray("\xFF\xFF", 2));
    EXPECT_EQ(b.mid(256, 7), QByteArray("\x05\x00"
                                        "Citt\xE0",
                                        7));

    TsrReader r(b);
    QString s;
    int16_t i = 0;
    ASSERT_TRUE(r.text(s));
    EXPECT_EQ(s, QStringLiteral("1.0"));
    ASSERT_TRUE(r.integer(i));
    EXPECT_EQ(i, -1);
    ASSERT_TRUE(r.text(s));
    EXPECT_EQ(s, QStringLiteral("Città"));
    EXPECT_FALSE(r.text(s));  // past the last record
    EXPECT_EQ(r.error(), QStringLiteral("Input oltre la fine del file"));
}

TEST(AnalysisFile, WriterRefusesTextsTheFileCannotHold) {
    TsrWriter w;
    EXPECT_TRUE(w.text(QString(126, QLatin1Char('x')), QStringLiteral("a")));
    EXPECT_FALSE(w.text(QString(127, QLatin1Char('x')), QStringLiteral("Descrizione riga 11")));
    EXPECT_EQ(w.badText(), QStringLiteral("Descrizione riga 11"));
    EXPECT_FALSE(w.text(QStringLiteral("ok"), QStringLiteral("b")));  // stays failed
    TsrWriter w2;
    EXPECT_FALSE(w2.text(QStringLiteral("μ = 0,8"), QStringLiteral("Formula neve")));
    EXPECT_FALSE(tsrTextProblem(QStringLiteral("μ")).isEmpty());
    EXPECT_TRUE(tsrTextProblem(QStringLiteral("é")).isEmpty());
}

TEST(AnalysisFile, DamagedRecordsFailAndKeepWhatWasRead) {
    QByteArray data(
        "\x02\x00"
        "ab",
        4);
    data.append(QByteArray(124, '\0'));
    data.append(QByteArray("\x7F\x00", 2));  // 127 bytes cannot fit a record
    data.append(QByteArray(126, '\0'));
    TsrReader r(data);
    QString s;
    ASSERT_TRUE(r.text(s));
    EXPECT_EQ(s, QStringLiteral("ab"));
    EXPECT_FALSE(r.text(s));
    EXPECT_EQ(r.error(), QStringLiteral("Lunghezza di record non valida"));
    int16_t i = 0;
    EXPECT_FALSE(r.integer(i));

    // A text whose bytes run past the end of a short last record.
    TsrReader shortText(
        QByteArray("\x05\x00"
                   "ab",
                   4));
    EXPECT_FALSE(shortText.text(s));
    EXPECT_EQ(shortText.error(), QStringLiteral("Input oltre la fine del file"));
    // A last record holding just its field is complete.
    TsrReader exact(
        QByteArray("\x02\x00"
                   "ab",
                   4));
    EXPECT_TRUE(exact.text(s));
}

TEST(AnalysisFile, MutatedFilesNeverCrashTheReader) {
    TsrWriter w;
    for (int k = 0; k < 70; ++k) {
        if (k % 3 == 0)
            w.integer(static_cast<int16_t>(k));
        else
            ASSERT_TRUE(w.text(QStringLiteral("campo %1").arg(k), QStringLiteral("f")));
    }
    const QByteArray good = w.data();
    QRandomGenerator rng(20081401);
    for (int round = 0; round < 4000; ++round) {
        QByteArray bad = good;
        switch (round % 3) {
            case 0:
                bad.truncate(static_cast<int>(rng.bounded(good.size())));
                break;
            case 1:
                for (int f = 0; f < 8; ++f)
                    bad[rng.bounded(bad.size())] = static_cast<char>(rng.bounded(256));
                break;
            case 2:
                bad.remove(static_cast<int>(rng.bounded(bad.size())),
                           static_cast<int>(rng.bounded(200)));
                break;
        }
        TsrReader r(bad);
        QString s;
        int16_t i = 0;
        int reads = 0;
        for (int k = 0; k < 70; ++k) {
            bool ok = (k % 3 == 0) ? r.integer(i) : r.text(s);
            if (!ok) break;
            ++reads;
            EXPECT_LE(s.size(), kTsrMaxText);
        }
        EXPECT_EQ(r.failed(), reads < 70);
        if (r.failed()) {
            EXPECT_FALSE(r.error().isEmpty());
        }
    }
}

TEST(AnalysisFile, SafeWriteReplacesOnlyOnSuccess) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/a.TSR");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1000, 'z'));  // old bytes beyond the new content disappear
    }
    EXPECT_EQ(writeFileSafely(path, QByteArray("new")), QString());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("new"));
    f.close();
    EXPECT_FALSE(
        writeFileSafely(dir.path() + QStringLiteral("/missing/x.TSR"), QByteArray("x")).isEmpty());
}
