#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

/// The statements a query dataset writes its rows with. Each is given as its lines, joined by
/// line breaks. Parameters named after a field take the row's value; those named OLD_ and a
/// field name take the value the field had before the edit began.
class UpdateStatements : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    QString insertSql() const { return m_insert; }
    void setInsertSql(const QStringList &lines) { m_insert = lines.join(u'\n'); }
    QString modifySql() const { return m_modify; }
    void setModifySql(const QStringList &lines) { m_modify = lines.join(u'\n'); }
    QString deleteSql() const { return m_delete; }
    void setDeleteSql(const QStringList &lines) { m_delete = lines.join(u'\n'); }
    QString refreshSql() const { return m_refresh; }
    void setRefreshSql(const QStringList &lines) { m_refresh = lines.join(u'\n'); }

private:
    QString m_insert;
    QString m_modify;
    QString m_delete;
    QString m_refresh;
};
