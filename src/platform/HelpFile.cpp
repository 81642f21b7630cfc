#include "platform/HelpFile.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
QStringList splitKeywords(QStringView text) {
    QStringList keywords;
    for (const QStringView part : text.split(u';')) {
        const QString keyword = part.trimmed().toString();
        if (!keyword.isEmpty())
            keywords << keyword;
    }
    return keywords;
}

// Copies the content of the <section> the reader stands on into markup of its
// own, and picks up the title on the way. Elements are written without their
// namespace, so the page reads as plain HTML whatever the file declares.
HelpFile::Section readSection(QXmlStreamReader& xml) {
    HelpFile::Section section;
    const QXmlStreamAttributes attributes = xml.attributes();
    section.id = attributes.value(QLatin1String("id")).toString();
    section.keywords = splitKeywords(attributes.value(QLatin1String("data-keywords")));

    QXmlStreamWriter out(&section.html);
    int depth = 0;
    int titleDepth = -1; // depth of the first <h2> while inside it
    bool titleDone = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            ++depth;
            if (!titleDone && titleDepth < 0 && xml.name() == u"h2")
                titleDepth = depth;
            out.writeStartElement(xml.name().toString());
            for (const QXmlStreamAttribute& attribute : xml.attributes())
                out.writeAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
            break;
        }
        case QXmlStreamReader::EndElement:
            if (depth == 0) { // the section's own end
                section.title = section.title.simplified();
                return section;
            }
            if (depth == titleDepth) {
                titleDone = true;
                titleDepth = -1;
            }
            --depth;
            out.writeEndElement();
            break;
        case QXmlStreamReader::Characters:
            if (titleDepth > 0)
                section.title += xml.text();
            out.writeCharacters(xml.text().toString());
            break;
        default:
            break;
        }
    }
    return section; // the reader reports the missing end
}
} // namespace

HelpFile::Status HelpFile::load(const QString& path) {
    m_path = path;
    m_error.clear();
    m_styleSheet.clear();
    m_sections.clear();

    const QFileInfo info(path);
    m_modified = info.lastModified();
    if (path.isEmpty() || !info.isFile()) {
        m_status = Status::Missing;
        return m_status;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        m_status = Status::Unreadable;
        return m_status;
    }

    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"style") {
            m_styleSheet += xml.readElementText();
        } else if (xml.name() == u"section" && !xml.attributes().value(QLatin1String("id")).isEmpty()) {
            Section section = readSection(xml);
            // The first of two sections with one id wins, as an anchor would.
            if (!find(section.id))
                m_sections.push_back(std::move(section));
        }
    }
    if (xml.hasError()) {
        m_error = QStringLiteral("%1 (line %2)").arg(xml.errorString()).arg(xml.lineNumber());
        m_sections.clear();
        m_styleSheet.clear();
        m_status = Status::Unreadable;
    } else if (m_sections.empty()) {
        m_error = QStringLiteral("it holds no sections of help");
        m_status = Status::Unreadable;
    } else {
        m_status = Status::Loaded;
    }
    return m_status;
}

const HelpFile::Section* HelpFile::find(const QString& id) const {
    for (const Section& section : m_sections)
        if (section.id == id)
            return &section;
    return nullptr;
}

bool HelpFile::isStale(const QString& path) const {
    return m_status != Status::Loaded || path != m_path || QFileInfo(path).lastModified() != m_modified;
}

QString HelpFile::topicId(int topic) { return QStringLiteral("topic-%1").arg(topic); }

QString HelpFile::usingHelpId() { return QStringLiteral("using-help"); }
