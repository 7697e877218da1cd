#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Writes a recipe text as the rich edit control streams one out: a code page 1252 document
/// with font and colour tables, bold coloured titles, the old-style bullet paragraphs and
/// every character above ASCII as a \'xx escape.
class RtfDocumentBuilder
{
public:
    void addTitle(const QString &text);
    void addHeading(const QString &text);
    void addBulletList(const QStringList &items);
    void addNumberedSteps(const QStringList &steps);
    /// An italic closing note whose label stands in bold.
    void addNote(const QString &label, const QString &text);

    QByteArray toRtf() const;

private:
    QByteArray m_body;
};
