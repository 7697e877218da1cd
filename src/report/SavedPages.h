#pragma once

#include "ReportDocument.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

/// The built pages of a report kept in a file of our own, to be shown again later: versioned,
/// every picture kept once as the bytes it came as.
namespace report::SavedPages {

/// The file's content for the document.
QByteArray encode(const ReportDocument &document);

/// Reads a file's content. A damaged, truncated, foreign or newer file gives a message for the
/// user and leaves the document as it was.
[[nodiscard]] std::optional<QString> decode(QByteArrayView bytes, ReportDocument &document);

/// Writes the file through a temporary file renamed into place, so that a failed write leaves an
/// existing file as it was. Returns the message of a failure.
[[nodiscard]] std::optional<QString> save(const QString &fileName, const ReportDocument &document);

/// Reads the named file as decode does; a file that cannot be read gives its message.
[[nodiscard]] std::optional<QString> open(const QString &fileName, ReportDocument &document);

} // namespace report::SavedPages
