#pragma once

#include <QByteArray>
#include <QImage>

/// Pictures made as the tests need them.

/// Colours that change across the picture, which a damaged or cut file shows.
QImage gradient(int width, int height);

/// The picture in a file of the format, as Qt's writer of that format makes it.
QByteArray written(const QImage &image, const char *format);

/// A JPEG file of one colour, as our encoder writes it.
QByteArray jpegOf(int width, int height);

/// A BMP file of one colour, as an older recipe kept its picture.
QByteArray bitmapOf(int width, int height);
