#pragma once

#include <QHash>
#include <QMargins>
#include <QObject>
#include <QSize>

class QWidget;

/// Keeps controls at their distances to the edges of their container that their anchors name,
/// while the container is resized. A control anchored left and right grows with the width, one
/// anchored right only moves with the right edge; the same holds for top and bottom. The
/// distances are those the controls have when they are anchored, at the container's design size.
class Anchors : public QObject
{
    Q_OBJECT

public:
    explicit Anchors(QWidget *container);

    void anchor(QWidget *control, Qt::Edges edges);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Anchor
    {
        Qt::Edges edges;
        QMargins distances;
        QSize designSize;
    };

    void place(QWidget *control, const Anchor &anchor) const;

    QWidget *m_container;
    QHash<QWidget *, Anchor> m_anchors;
};
