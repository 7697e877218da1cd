#pragma once

#include <QWidget>

class QLineEdit;

/// Up and down arrows attached to an edit box that holds a whole number. A click steps the
/// number by one within the range and writes it into the box, as if it had been typed there.
class UpDown : public QWidget
{
    Q_OBJECT

public:
    UpDown(QLineEdit *associate, QWidget *parent);

    void setRange(int minimum, int maximum);
    int position() const { return m_position; }
    /// Shows the position in the edit box as well.
    void setPosition(int position);

private:
    void step(int by);

    QLineEdit *m_associate;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};
