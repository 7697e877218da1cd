#pragma once

#include <QString>
#include <QStringList>

namespace fb {

/// SQL written with named parameters (:NAME, :"NAME", :OLD_NAME) turned into the engine's
/// positional markers. Names are kept in the order they appear, upper-cased unless quoted,
/// so that a parameter can be found by name whatever case the statement wrote it in.
struct NamedParameters
{
    QString positionalSql;
    QStringList names;

    static NamedParameters translate(const QString &sql);

    /// The positions of every marker that carries this name, compared without regard to case.
    QList<int> positionsOf(const QString &name) const;
};

} // namespace fb
