#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The help file read into its sections. The file is well-formed XHTML: every
// <section> with an id is one page of help, its first <h2> the page's title and
// its data-keywords attribute ("a; b; c") the words the index lists for it.
// The <style> of the head styles every page.
class HelpFile {
public:
    struct Section {
        QString id;
        QString title;
        QStringList keywords;
        QString html; // the section's content, ready for a QTextDocument
    };

    enum class Status { NotLoaded, Loaded, Missing, Unreadable };

    // Reads the file; on failure the sections are empty and error() says why.
    Status load(const QString& path);

    Status status() const { return m_status; }
    const QString& path() const { return m_path; }
    const QString& error() const { return m_error; }
    const QString& styleSheet() const { return m_styleSheet; }
    const std::vector<Section>& sections() const { return m_sections; }
    // The section with this id, or nullptr.
    const Section* find(const QString& id) const;
    // Whether the file on disk may differ from what was read.
    bool isStale(const QString& path) const;

    // The anchor of help topic N, as the file names it.
    static QString topicId(int topic);
    // The anchor of the section on using help.
    static QString usingHelpId();

private:
    Status m_status = Status::NotLoaded;
    QString m_path;
    QDateTime m_modified;
    QString m_error;
    QString m_styleSheet;
    std::vector<Section> m_sections;
};
