#include "Anchors.h"

#include <QEvent>
#include <QWidget>

Anchors::Anchors(QWidget *container)
    : QObject(container)
    , m_container(container)
{
    container->installEventFilter(this);
}

void Anchors::anchor(QWidget *control, Qt::Edges edges)
{
    const QRect box = control->geometry();
    const QSize size = m_container->size();
    const QMargins distances(box.left(), box.top(), size.width() - box.x() - box.width(),
        size.height() - box.y() - box.height());
    m_anchors.insert(control, Anchor{edges, distances, box.size()});
    connect(control, &QObject::destroyed, this, [this, control] { m_anchors.remove(control); });
}

void Anchors::place(QWidget *control, const Anchor &anchor) const
{
    const QSize size = m_container->size();
    const QMargins &d = anchor.distances;
    QRect box = control->geometry();
    if (anchor.edges.testFlag(Qt::RightEdge)) {
        const int right = size.width() - d.right();
        const int left = anchor.edges.testFlag(Qt::LeftEdge) ? d.left() : right - anchor.designSize.width();
        box.setLeft(left);
        box.setWidth(std::max(0, right - left));
    }
    if (anchor.edges.testFlag(Qt::BottomEdge)) {
        const int bottom = size.height() - d.bottom();
        const int top = anchor.edges.testFlag(Qt::TopEdge) ? d.top() : bottom - anchor.designSize.height();
        box.setTop(top);
        box.setHeight(std::max(0, bottom - top));
    }
    control->setGeometry(box);
}

bool Anchors::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_container && event->type() == QEvent::Resize) {
        for (auto it = m_anchors.cbegin(); it != m_anchors.cend(); ++it)
            place(it.key(), it.value());
    }
    return QObject::eventFilter(watched, event);
}
