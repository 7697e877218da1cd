#include "HintStatusBar.h"

#include <QLabel>

HintStatusBar::HintStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    const struct
    {
        int width;
        Qt::Alignment alignment;
    } panels[] = {{120, Qt::AlignLeft}, {60, Qt::AlignHCenter}, {50, Qt::AlignLeft}};
    for (const auto &panel : panels) {
        auto *label = new QLabel(this);
        label->setFixedWidth(panel.width);
        label->setAlignment(panel.alignment | Qt::AlignVCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Added as ordinary widgets, which a message hides while it is shown.
        addWidget(label);
        m_panels.append(label);
    }
}

QString HintStatusBar::panelText(int panel) const
{
    return m_panels.at(panel)->text();
}

void HintStatusBar::setPanelText(int panel, const QString &text)
{
    m_panels.at(panel)->setText(text);
}

void HintStatusBar::showHint(const QString &hint)
{
    if (hint.isEmpty())
        clearMessage();
    else
        showMessage(hint);
}
