#pragma once

#include <QString>

#include <stdexcept>

/// A failure of a dataset operation that the dataset itself detected (a required field left
/// empty, a row the server did not change, an operation in the wrong state). Errors of the
/// database itself arrive as fb::Error.
class DatasetError : public std::runtime_error
{
public:
    explicit DatasetError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
