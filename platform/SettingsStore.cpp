#include "SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {
QString iniKey(const QString& section, const QString& key) {
    // Sections and keys may hold characters QSettings treats specially.
    QString s = section, k = key;
    s.replace(QLatin1Char('/'), QLatin1Char('_'));
    k.replace(QLatin1Char('/'), QLatin1Char('_'));
    return s + QLatin1Char('/') + k;
}
}  // namespace

QString IniSettingsStore::fileFor(const QString& app) {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    QString name = app;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return base + QStringLiteral("/") + name + QStringLiteral(".ini");
}

QString IniSettingsStore::get(const QString& app, const QString& section, const QString& key,
                              const QString& def) const {
    QSettings s(fileFor(app), QSettings::IniFormat);
    return s.value(iniKey(section, key), def).toString();
}

void IniSettingsStore::save(const QString& app, const QString& section, const QString& key,
                            const QString& value) {
    QDir().mkpath(QFileInfo(fileFor(app)).absolutePath());
    QSettings s(fileFor(app), QSettings::IniFormat);
    s.setValue(iniKey(section, key), value);
    s.sync();
}

void IniSettingsStore::remove(const QString& app, const QString& section, const QString& key) {
    QSettings s(fileFor(app), QSettings::IniFormat);
    s.remove(iniKey(section, key));
    s.sync();
}

QString MemorySettingsStore::path(const QString& app, const QString& section, const QString& key) {
    return app + QChar(0) + section + QChar(0) + key;
}

QString MemorySettingsStore::get(const QString& app, const QString& section, const QString& key,
                                 const QString& def) const {
    return values.value(path(app, section, key), def);
}

void MemorySettingsStore::save(const QString& app, const QString& section, const QString& key,
                               const QString& value) {
    values.insert(path(app, section, key), value);
}

void MemorySettingsStore::remove(const QString& app, const QString& section, const QString& key) {
    values.remove(path(app, section, key));
}

bool MemorySettingsStore::contains(const QString& app, const QString& section,
                                   const QString& key) const {
    return values.contains(path(app, section, key));
}

SettingsStore& userSettings() {
    static IniSettingsStore store;
    return store;
}

}  // namespace platform
