#pragma once

#include <QColor>
#include <QComboBox>

/// The colour drop-down of the formatting toolbar: the sixteen standard colours, each with its
/// swatch and its name. A colour that is not one of them shows as no selection.
class ColourBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ColourBox(QWidget *parent = nullptr);

    /// The colour selected; invalid when none is.
    QColor colour() const;
    void setColour(const QColor &colour);
};
