#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

namespace {
const QString Organization = QStringLiteral("Oblimo Software");
const QString Program = QStringLiteral("Quavelet");

// An optional sign and one or more ASCII digits, nothing else. Checked by
// hand: a regular expression would load and compile the PCRE engine at
// start-up for this one test, and its "$" would also let a final newline
// through.
bool IsIntegerText(QStringView text) {
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-'))
        text = text.sliced(1);
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// QSettings reads INI files leniently: it skips lines it does not
// understand, and rewrites the whole file from what it understood when a
// value is set. So before trusting a file for reading or writing we check
// every line ourselves.
struct FileCheck {
    bool readable = false;   // every line understood: values can be read
    bool rewritable = false; // and a rewrite would keep all of it
};

struct ValueScan {
    bool openQuote = false; // an odd number of unescaped double quotes: a value cut short
    bool comment = false;   // a semicolon outside quotes: QSettings reads the rest as a comment
};

ValueScan scanValue(QStringView value) {
    ValueScan scan;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\')
            ++i;
        else if (value[i] == u'"')
            scan.openQuote = !scan.openQuote;
        else if (value[i] == u';' && !scan.openQuote)
            scan.comment = true;
    }
    return scan;
}

FileCheck checkIniText(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError() || text.contains(QChar(u'\0')))
        return {};
    bool comments = false;
    for (const QStringView rawLine : QStringView(text).split(u'\n')) {
        const QStringView line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u';')) {
            comments = true;
            continue;
        }
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || line.size() < 3)
                return {};
            continue;
        }
        // A line that ends in a backslash continues on the next one in
        // QSettings' reading; we never write such lines, so it is damage.
        if (line.endsWith(u'\\'))
            return {};
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || line.first(equals).trimmed().isEmpty())
            return {};
        const ValueScan value = scanValue(line.sliced(equals + 1));
        if (value.openQuote)
            return {};
        // A rewrite would keep the value only up to the comment, and drop
        // the comment ("Path=/opt/a;b" would become "Path=/opt/a").
        if (value.comment || line.first(equals).contains(u';'))
            comments = true;
    }
    return {true, !comments};
}

FileCheck checkFile(const QSettings& settings) {
    if (settings.status() != QSettings::NoError)
        return {};
    QFile file(settings.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return checkIniText(file.readAll());
}

std::unique_ptr<QSettings> settingsFor(const QString& application) {
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, Organization, application);
    settings->setFallbacksEnabled(false);
    return settings;
}

bool createEmptyFile(const QString& fileName) {
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        return false;
    QFile file(fileName);
    // NewOnly: another copy may create it at the same moment; then it exists.
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || QFileInfo(fileName).isFile();
}
} // namespace

const QString SettingsStore::MakerKeyName = QStringLiteral("Software\\Oblimo Software");
const QString SettingsStore::ProgramKeyName = QStringLiteral("Software\\Oblimo Software\\Quavelet");

SettingsKey::SettingsKey(std::unique_ptr<QSettings> settings, bool readable, bool rewritable)
    : m_settings(std::move(settings)), m_readable(readable), m_rewritable(rewritable) {}

SettingsKey::SettingsKey(SettingsKey&&) noexcept = default;
SettingsKey& SettingsKey::operator=(SettingsKey&&) noexcept = default;
SettingsKey::~SettingsKey() = default;

QString SettingsKey::fileName() const { return m_settings->fileName(); }

std::optional<QString> SettingsKey::readString(const QString& name) const {
    if (!m_readable)
        return std::nullopt;
    const QVariant value = m_settings->value(name);
    // An unquoted comma makes QSettings read a list: another type.
    if (value.metaType().id() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<int> SettingsKey::readInteger(const QString& name) const {
    const std::optional<QString> text = readString(name);
    if (!text || !IsIntegerText(*text))
        return std::nullopt;
    bool fits = false;
    const int value = text->toInt(&fits);
    if (!fits)
        return std::nullopt;
    return value;
}

bool SettingsKey::writeInteger(const QString& name, int value) { return write(name, QString::number(value)); }

bool SettingsKey::writeString(const QString& name, const QString& value) { return write(name, value); }

bool SettingsKey::write(const QString& name, const QString& text) {
    if (!m_rewritable)
        return false;
    m_settings->setValue(name, text);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::optional<SettingsKey> SettingsStore::openMakerKey() const {
    auto settings = settingsFor(QString());
    if (!QFileInfo(settings->fileName()).isFile())
        return std::nullopt;
    const FileCheck check = checkFile(*settings);
    return SettingsKey(std::move(settings), check.readable, check.rewritable);
}

std::optional<SettingsKey> SettingsStore::openProgramKey() const {
    // The file name is known before QSettings reads anything; create the file
    // first so that the QSettings below reads what is really there.
    const QString fileName = settingsFor(Program)->fileName();
    if (!QFileInfo(fileName).isFile() && !createEmptyFile(fileName))
        return std::nullopt;
    auto settings = settingsFor(Program);
    const FileCheck check = checkFile(*settings);
    return SettingsKey(std::move(settings), check.readable, check.rewritable);
}
