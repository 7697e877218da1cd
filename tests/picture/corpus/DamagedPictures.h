#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// Picture files of every kind the recipes take, sound and damaged in the ways that reach
/// readers in the wild: cut short, wrong markers, huge announced dimensions, bad Huffman
/// tables, RLE runs past the end of the picture. Made here, byte by byte; the tests read them
/// all and the fuzzer starts from them.
namespace DamagedPictures {

enum class Outcome {
    /// Read as a picture.
    Picture,
    /// Refused with an error.
    Error,
    /// Refused as too large to show, before anything is allocated.
    TooLarge,
    /// Either: a reader may show what it could read.
    Either,
};

struct Sample
{
    /// A file name whose extension chooses the reader.
    QString name;
    QByteArray content;
    Outcome outcome;
};

QList<Sample> all();

} // namespace DamagedPictures
