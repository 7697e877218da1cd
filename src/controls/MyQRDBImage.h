#pragma once

#include "dataset/FieldLink.h"
#include "report/Elements.h"

/// The recipe's illustration on the printed card, bound to the blob field that holds it as the
/// bytes of a JPEG file. Once a JPEG picture is loaded the element takes its size on the screen
/// (its pixels at 96 per inch) from its design position, and the JPEG's own bytes are printed
/// stretched into that rectangle. Anything that is not a readable JPEG (an empty field, an older
/// recipe's bitmap, a damaged or too large picture) prints nothing and keeps the design
/// rectangle, without an error: a card is still worth printing without its picture.
class TMyQRDBImage : public report::PictureElement
{
public:
    explicit TMyQRDBImage(const QRectF &designRect);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source) { m_link.setDataSource(source); }
    QString dataField() const { return m_link.fieldName(); }
    void setDataField(const QString &name) { m_link.setFieldName(name); }

    /// A JPEG picture is loaded.
    bool hasPicture() const { return !m_jpeg.isEmpty(); }

protected:
    report::ReportImage image() const override;

private:
    void DataChange();
    void takePicture(const QByteArray &jpeg, const QSize &pixels);

    FieldLink m_link;
    QRectF m_designRect;
    QByteArray m_jpeg;
};
