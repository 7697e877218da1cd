#pragma once

#include <QFrame>

/// One of the ruler's three indent markers, a pointer that the user drags along the ruler. It
/// moves nothing by itself: it tells where the mouse is, inside it, as it goes.
class RulerMarker : public QWidget
{
    Q_OBJECT

public:
    enum class Pointing { Down, Up };

    RulerMarker(Pointing pointing, QWidget *parent);

signals:
    void mouseDown(RulerMarker *marker, int x);
    void mouseMove(RulerMarker *marker, int x);
    void mouseUp(RulerMarker *marker, int x);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Pointing m_pointing;
};

/// The indent ruler above a text: its caption draws a tick at every default tab stop, a line
/// runs across it, and three markers stand for the paragraph's first-line, left and right
/// indents. Made once per text page, with that page's control names.
class IndentRuler : public QFrame
{
    Q_OBJECT

public:
    struct Names
    {
        QString ruler;
        QString topLine;
        QString line;
        QString firstIndent;
        QString leftIndent;
        QString rightIndent;
    };
    static const Names ingredientsNames;
    static const Names preparationNames;

    IndentRuler(const Names &names, QWidget *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    RulerMarker *firstIndent() const { return m_firstIndent; }
    RulerMarker *leftIndent() const { return m_leftIndent; }
    RulerMarker *rightIndent() const { return m_rightIndent; }

    /// Where the caption's tabs stop: every eight average characters of its font, as the
    /// system draws expanded tabs.
    qreal tabStopDistance() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    RulerMarker *m_firstIndent;
    RulerMarker *m_leftIndent;
    RulerMarker *m_rightIndent;
};
