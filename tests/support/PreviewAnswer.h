#pragma once

#include "ModalAnswer.h"

#include <QStringList>

/// Closes the next print preview once it has built its pages, and keeps its caption and the
/// texts it printed.
class PreviewAnswer : public ModalAnswer
{
public:
    PreviewAnswer();

    QString caption() const { return m_caption; }
    QStringList texts() const { return m_texts; }

private:
    QString m_caption;
    QStringList m_texts;
};
