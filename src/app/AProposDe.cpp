#include "AProposDe.h"

#include "controls/Anchors.h"
#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "controls/WindowsFonts.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>

namespace {

const QColor blue(0x00, 0x00, 0xff);

constexpr QSize iconSize(32, 32);

/// A rounded rectangle filled with one colour and outlined in black.
class RoundedRectangle : public QWidget
{
public:
    RoundedRectangle(const QColor &fill, QWidget *parent)
        : QWidget(parent)
        , m_fill(fill)
    {
    }

protected:
    // Each corner is a quarter circle a quarter of the shorter side across; the one-pixel outline
    // lies inside the rectangle.
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(m_fill);
        const qreal radius = std::min(width(), height()) / 8.0;
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }

private:
    QColor m_fill;
};

} // namespace

TfrmAProposDe::TfrmAProposDe(QWidget *owner)
    : ModalForm(owner, QStringLiteral("A Propos de ..."), QSize(406, 233), Border::Dialog)
{
    setObjectName(QStringLiteral("frmAProposDe"));
    QWidget *p = panel();
    auto *anchors = new Anchors(p);

    // The icon is drawn for 32 x 32 pixels; stretched without smoothing, its pixels stay sharp.
    auto *image = new QLabel(p);
    image->setObjectName(QStringLiteral("Image"));
    image->setGeometry(56, 53, 57, 38);
    image->setPixmap(QApplication::windowIcon().pixmap(iconSize).scaled(image->size(), Qt::IgnoreAspectRatio,
        Qt::FastTransformation));

    // Made before the labels, so that they are painted after it, on its fill.
    auto *shape = new RoundedRectangle(QColor(0xf9, 0xd8, 0x99), p);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(151, 18, 230, 105);
    anchors->anchor(shape, Qt::LeftEdge | Qt::RightEdge);

    const auto label = [p, anchors](const QString &name, const QString &caption, const QRect &geometry,
                           bool autoSize, const QFont &font, const QColor &colour) {
        TMyLabel *made = FormControls::label(p, name, caption, geometry.topLeft(), font, colour);
        made->setAutoSize(autoSize);
        if (!autoSize)
            made->resize(geometry.size());
        anchors->anchor(made, Qt::LeftEdge | Qt::RightEdge);
    };
    QFont value = WindowsFonts::font(QStringLiteral("MS Sans Serif"), 11);
    value.setBold(true);
    label(QStringLiteral("MyLabel2"), QStringLiteral("Programme :"), QRect(174, 50, 80, 13), false, p->font(),
        FormControls::navy);
    label(QStringLiteral("MyLabel3"), QStringLiteral("Version :"), QRect(174, 68, 64, 13), false, p->font(),
        FormControls::navy);
    label(QStringLiteral("MyLabel4"), QStringLiteral("Création : "), QRect(174, 87, 60, 13), true, p->font(),
        FormControls::navy);
    label(QStringLiteral("MyLabel5"), QStringLiteral("Cuisinotte"), QRect(254, 51, 0, 0), true, value, blue);
    label(QStringLiteral("MyLabel6"), QStringLiteral("1.01"), QRect(233, 68, 0, 0), true, value, blue);
    label(QStringLiteral("MyLabel7"), QStringLiteral("Mars 2004"), QRect(238, 87, 0, 0), true, value, blue);

    auto *notice = new QLabel(QStringLiteral("Cuisinotte est libre d'emploi pour votre livre de recettes "
                                             "personnel. Il est fourni tel quel, sans garantie. Chaque recette "
                                             "appartient à son auteur."),
        p);
    notice->setObjectName(QStringLiteral("Label1"));
    notice->setGeometry(25, 142, 251, 60);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    anchors->anchor(notice, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);

    auto *ok = FormControls::button<TMyButton>(p, QStringLiteral("MyButton1"), QStringLiteral("&Ok"), QString(),
        QRect(302, 151, 80, 24), this, &TfrmAProposDe::MyButton1Click);
    anchors->anchor(ok, Qt::RightEdge | Qt::BottomEdge);
}

void TfrmAProposDe::MyButton1Click()
{
    close();
}
