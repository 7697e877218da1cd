#include "UpDown.h"

#include "guard/ErrorGuard.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

UpDown::UpDown(QLineEdit *associate, QWidget *parent)
    : QWidget(parent)
    , m_associate(associate)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto &[arrow, by] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto *button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
        ErrorGuard::connect(button, &QToolButton::clicked, this, [this, by = by] { step(by); });
    }
}

void UpDown::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    m_position = qBound(m_minimum, m_position, m_maximum);
}

void UpDown::setPosition(int position)
{
    m_position = qBound(m_minimum, position, m_maximum);
    m_associate->setText(QString::number(m_position));
}

// The arrows go on from what the box shows, typed by hand or not.
void UpDown::step(int by)
{
    bool isNumber = false;
    const int shown = m_associate->text().toInt(&isNumber);
    setPosition((isNumber ? shown : m_position) + by);
}
