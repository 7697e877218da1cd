#pragma once

#include <QByteArray>

/// Pictures of one colour, made as the tests need them.

/// A JPEG file as our encoder writes it.
QByteArray jpegOf(int width, int height);

/// A BMP file, as an older recipe kept its picture.
QByteArray bitmapOf(int width, int height);
