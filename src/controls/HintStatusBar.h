#pragma once

#include <QStatusBar>

class QLabel;

/// The status bar under a recipe text: three panels, 120, 60 (centred) and 50 pixels wide, which a
/// hint replaces with one text across the whole bar while it is shown.
class HintStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit HintStatusBar(QWidget *parent = nullptr);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);

    /// A hint that is not empty replaces the panels; an empty one brings them back.
    void showHint(const QString &hint);
    bool showsHint() const { return !currentMessage().isEmpty(); }

private:
    QList<QLabel *> m_panels;
};
