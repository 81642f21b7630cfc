#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

// One open key of the settings store: a QSettings over one INI file of the
// per-user configuration folder. Values come back as text; reads of a key
// whose file could not be read return nothing, and writes never go over a
// file that a rewrite would damage.
class SettingsKey {
public:
    SettingsKey(SettingsKey&&) noexcept;
    SettingsKey& operator=(SettingsKey&&) noexcept;
    ~SettingsKey();

    // The value as text; nothing when it is missing, of another type (a
    // list, a byte array) or the file could not be read.
    std::optional<QString> readString(const QString& name) const;
    // A 32-bit integer: text of an optional sign and decimal digits that fits
    // an int. Anything else counts as another type: nothing.
    std::optional<int> readInteger(const QString& name) const;

    // Both return false when nothing was written: the file could not be
    // read (or holds lines a rewrite would drop), or saving it failed.
    bool writeInteger(const QString& name, int value);
    bool writeString(const QString& name, const QString& value);

    // Whether the values of the file could be read; false for a damaged or
    // unreadable file, whose values then read as missing.
    bool isReadable() const { return m_readable; }
    QString fileName() const;

private:
    friend class SettingsStore;
    SettingsKey(std::unique_ptr<QSettings> settings, bool readable, bool rewritable);
    bool write(const QString& name, const QString& text);

    std::unique_ptr<QSettings> m_settings;
    bool m_readable = false;
    bool m_rewritable = false;
};

// The per-user settings store. Its two keys keep the names the program has
// always used for them:
//   "Software\Oblimo Software"           the maker's key, file "Oblimo Software.conf"
//   "Software\Oblimo Software\Quavelet"  the program's key, file "Oblimo Software/Quavelet.conf"
// both in the folder that QSettings uses for native per-user settings (the
// XDG configuration folder unless QSettings::setPath says otherwise).
class SettingsStore {
public:
    static const QString MakerKeyName;
    static const QString ProgramKeyName;

    // The maker's key, never created: nothing when it does not exist.
    std::optional<SettingsKey> openMakerKey() const;
    // The program's key, created (an empty file) when missing; nothing when
    // it can be neither found nor created.
    std::optional<SettingsKey> openProgramKey() const;
};
