#pragma once

#include "report/ReportDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// Saved report files, sound and damaged in the ways a file goes wrong: cut short, foreign,
/// from a newer version, with counts and lengths far beyond its end, indexes past its tables,
/// reals that are no numbers. Made here by our own writer and patched byte by byte; the tests
/// read them all and the fuzzer starts from them.
namespace DamagedSavedPages {

enum class Outcome {
    /// Read as a document.
    Read,
    /// Refused as a file of another program.
    NotOurs,
    /// Refused as damaged or cut short.
    Damaged,
    /// Refused as written by a newer version.
    Newer,
};

struct Sample
{
    QString name;
    QByteArray content;
    Outcome outcome;
};

/// Three pages holding every kind of item: texts with accents and an empty one, in several
/// fonts; rectangles; lines; a bullet; a JPEG shown on two pages and a PNG picture running past
/// the paper.
report::ReportDocument soundDocument();

QList<Sample> all();

} // namespace DamagedSavedPages
