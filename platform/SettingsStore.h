#pragma once

#include <QMap>
#include <QString>

namespace platform {

// Per-user store of text values under application name, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // A missing key reads as `def` (empty text unless given).
    virtual QString get(const QString& app, const QString& section, const QString& key,
                        const QString& def = QString()) const = 0;
    virtual void save(const QString& app, const QString& section, const QString& key,
                      const QString& value) = 0;
    virtual void remove(const QString& app, const QString& section, const QString& key) = 0;
};

// INI files under $XDG_CONFIG_HOME (one file per application name).
class IniSettingsStore : public SettingsStore {
public:
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& def = QString()) const override;
    void save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    void remove(const QString& app, const QString& section, const QString& key) override;
    // The file that holds an application's settings.
    static QString fileFor(const QString& app);
};

// Kept in memory; for tests and for callers that must not touch the user's store.
class MemorySettingsStore : public SettingsStore {
public:
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& def = QString()) const override;
    void save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    void remove(const QString& app, const QString& section, const QString& key) override;
    bool contains(const QString& app, const QString& section, const QString& key) const;
    int size() const { return values.size(); }

private:
    static QString path(const QString& app, const QString& section, const QString& key);
    QMap<QString, QString> values;
};

// The store the programs use by default.
SettingsStore& userSettings();

}  // namespace platform
