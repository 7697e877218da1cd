#pragma once

#include <QByteArray>
#include <QString>

/// The illustrations of the demo recipe book, painted here rather than taken from anywhere:
/// a tart, a bowl of soup, a salad, a chocolate cake, a stack of pancakes, a stew pot and a
/// trout, each 320 × 240.
namespace DemoPictures {

/// The named picture ("tarte", "soupe", "salade", "gateau", "crepes", "cocotte", "truite") as
/// the bytes of a JPEG file, as the recipe table stores it. Throws fb::Error for another name.
QByteArray jpeg(const QString &name);

} // namespace DemoPictures
