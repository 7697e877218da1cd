#include "FormControls.h"

#include "WindowsFonts.h"

#include "dbwidgets/DBEdit.h"

#include <QGroupBox>

namespace FormControls {

QFont titleFont()
{
    QFont font = WindowsFonts::font(QStringLiteral("MS Sans Serif"), 19);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

void setBoldNavyText(QWidget *text, const QString &family, int pixelSize)
{
    QFont font = WindowsFonts::font(family, pixelSize);
    font.setBold(true);
    text->setFont(font);
    QPalette colours = text->palette();
    colours.setColor(QPalette::Text, navy);
    text->setPalette(colours);
}

void setHint(QWidget *widget, const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

DBEdit *greyedFieldBox(QWidget *parent, const QString &name, const QRect &geometry, DataSource *source,
    const QString &fieldName)
{
    auto *box = new DBEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setFieldReadOnly(true);
    box->setEnabled(false);
    box->setDataField(fieldName);
    box->setDataSource(source);
    return box;
}

TMyLabel *label(QWidget *parent, const QString &name, const QString &caption, const QPoint &topLeft,
    const QFont &font, const QColor &colour)
{
    auto *label = new TMyLabel(caption, parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    // The label takes the size of its caption in the font that stands in for the designed one.
    label->move(topLeft);
    return label;
}

QGroupBox *groupBox(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    QFont font = WindowsFonts::font(QStringLiteral("MS Sans Serif"), 11);
    font.setBold(true);
    box->setFont(font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, panelColour);
    palette.setColor(QPalette::WindowText, navy);
    box->setPalette(palette);
    box->setAutoFillBackground(true);
    box->setGeometry(geometry);
    return box;
}

} // namespace FormControls
