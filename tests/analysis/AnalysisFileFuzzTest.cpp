// Damaged analysis files through the window: thousands of cut and mutated
// copies of the sample. No crash or hang, every read failure reported as the
// damaged-file message, and the window refreshing as before afterwards.

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

#include "Prompter.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "sovraccarichi.h"

namespace {

class NoShell : public platform::Shell {
public:
    int open(const QString&, const QString&, int) override { return platform::SHELL_OK; }
};

class QtApplication : public ::testing::Environment {
public:
    void SetUp() override { app = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[32] = "analysis_file_fuzz_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const qtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

QByteArray mutate(const QByteArray& good, QRandomGenerator& rng, int round) {
    QByteArray bad = good;
    const auto at = [&](qsizetype size) {
        return static_cast<int>(rng.bounded(static_cast<int>(size)));
    };
    switch (round % 5) {
        case 0:  // cut anywhere
            bad.truncate(at(good.size()));
            break;
        case 1:  // flipped bytes
            for (int f = 0, n = 1 + at(12); f < n; ++f)
                bad[at(bad.size())] = static_cast<char>(rng.bounded(256));
            break;
        case 2: {  // a length that cannot fit, or runs past the end
            const int record = at(bad.size() / 128);
            const int length = 127 + at(65536 - 127);
            bad[record * 128] = static_cast<char>(length & 0xFF);
            bad[record * 128 + 1] = static_cast<char>(length >> 8);
            break;
        }
        case 3:  // short records: bytes taken out of the middle
            bad.remove(at(bad.size()), 1 + at(200));
            break;
        case 4:  // integers out of their range, then a cut
            for (int f = 0; f < 3; ++f) {
                const int record = at(bad.size() / 128);
                bad[record * 128] = static_cast<char>(rng.bounded(256));
                bad[record * 128 + 1] = static_cast<char>(rng.bounded(256));
            }
            if (rng.bounded(2)) bad.truncate(at(bad.size()));
            break;
    }
    return bad;
}

TEST(AnalysisFileFuzz, DamagedFilesGiveTheDamagedMessageAndLeaveTheWindowUsable) {
    QFile sample(QStringLiteral(TESSARO_FIXTURES_DIR "/sample.TSR"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray good = sample.readAll();
    ASSERT_GT(good.size(), 60 * 128);

    // Thousands of files are written and opened: memory-backed storage where there is some.
    const bool shm = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    QTemporaryDir dir =
        shm ? QTemporaryDir(QStringLiteral("/dev/shm/tessaro-fuzz-XXXXXX")) : QTemporaryDir();
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + QStringLiteral("/fuzz.TSR");
    platform::MemorySettingsStore settings;
    platform::ScriptedPrompter prompter;
    prompter.setOnUnexpected([](const QString&) {});  // any number of messages, each answered
    NoShell shell;
    sovraccarichi w(settings, prompter, shell);
    const QString damaged =
        QStringLiteral("File danneggiato o file non contenente Tessaro Solaio.\n");

    QRandomGenerator rng(14012008);
    int failures = 0;
    for (int round = 0; round < 1500; ++round) {
        const QByteArray bad = mutate(good, rng, round);
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bad);
        }
        prompter.clear();
        const auto result = w.apriAnalisi(path);
        ASSERT_NE(result, sovraccarichi::Apertura::NonLeggibile);
        const QStringList messages = prompter.messages();
        bool damagedShown = false;
        for (const QString& m : messages) damagedShown |= m.startsWith(damaged);
        if (result == sovraccarichi::Apertura::Danneggiata) {
            ++failures;
            ASSERT_FALSE(messages.isEmpty()) << round;
            EXPECT_TRUE(messages.last().startsWith(damaged)) << round;
            EXPECT_GT(messages.last().size(), damaged.size()) << "a reason follows";
        } else {
            EXPECT_FALSE(damagedShown) << round;
            // A file cut inside a record is damaged: only whole files read.
            if (round % 5 == 0) {
                EXPECT_GE(bad.size(), good.size() - 128 + 2) << round;
            }
        }
        EXPECT_EQ(w.PercorsoAnalisi, path);
    }
    EXPECT_GT(failures, 600);

    // The window still reads the sound file and refreshes on an edit.
    prompter.clear();
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(good);
    }
    EXPECT_EQ(w.apriAnalisi(path), sovraccarichi::Apertura::Letta);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
    w.txtVPP->setText(QStringLiteral("123,45"));
    EXPECT_TRUE(w.RichTextBox1->toPlainText().contains(QStringLiteral(" G1 =123,45 daN/mq")));
    w.ModifDatiCarichi = 0;
}

}  // namespace
