#pragma once

#include "PictureError.h"

#include <QByteArrayView>
#include <QImage>

#include <optional>

namespace picture {

/// The two Windows vector formats a recipe picture may hold: the 16-bit Windows metafile
/// (with or without the placeable header older programs put before it) and the enhanced one.
enum class MetafileKind { Wmf, Emf };

/// Draws a Windows metafile (WMF through libwmf, EMF through libemf2svg, both rendered by Qt SVG)
/// at its own size: a placeable WMF at the size its frame gives on a 96-dot-per-inch screen, a
/// plain WMF at the size libwmf estimates, an EMF at the size of its bounds in device points. The
/// drawing is opaque, on white. A WMF's bitmaps are left out (libwmf's SVG output has none), and
/// so is an EMF's text given as glyph indices. No bytes, headers or records that do not hold
/// together and anything the libraries refuse give "Metafile is not valid"; a drawing too large
/// to show is refused before it is allocated. Text needs a QGuiApplication, as all Qt text does:
/// without one a metafile with text is refused with its own message. On error the drawing is
/// left as it was.
[[nodiscard]] std::optional<PictureError> readMetafile(QByteArrayView bytes, MetafileKind kind, QImage &drawing);

} // namespace picture
