#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "SettingsStore.h"

using namespace platform;

TEST(SettingsStore, IniStoreWritesUnderXdgConfigHomeAndReadsBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    IniSettingsStore s;
    EXPECT_EQ(
        s.get(QStringLiteral("Tessaro"), QStringLiteral("Sovraccarichi"), QStringLiteral("Top")),
        QString());
    EXPECT_EQ(s.get(QStringLiteral("Tessaro"), QStringLiteral("Sovraccarichi"),
                    QStringLiteral("Top"), QStringLiteral("d")),
              QStringLiteral("d"));
    s.save(QStringLiteral("Tessaro"), QStringLiteral("Sovraccarichi"), QStringLiteral("Top"),
           QStringLiteral("1515"));
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/Tessaro.ini")));
    IniSettingsStore again;
    EXPECT_EQ(again.get(QStringLiteral("Tessaro"), QStringLiteral("Sovraccarichi"),
                        QStringLiteral("Top")),
              QStringLiteral("1515"));
    again.remove(QStringLiteral("Tessaro"), QStringLiteral("Sovraccarichi"), QStringLiteral("Top"));
    EXPECT_EQ(
        s.get(QStringLiteral("Tessaro"), QStringLiteral("Sovraccarichi"), QStringLiteral("Top")),
        QString());
}

TEST(SettingsStore, MemoryStoreKeepsApplicationsApart) {
    MemorySettingsStore s;
    s.save(QStringLiteral("A"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1"));
    EXPECT_EQ(s.get(QStringLiteral("B"), QStringLiteral("S"), QStringLiteral("K")), QString());
    EXPECT_TRUE(s.contains(QStringLiteral("A"), QStringLiteral("S"), QStringLiteral("K")));
    EXPECT_EQ(s.size(), 1);
}
