#pragma once

#include "dataset/FieldLink.h"
#include "picture/JpegCodec.h"
#include "picture/Picture.h"

#include <QPixmap>
#include <QWidget>

/// The recipe's illustration, bound to the blob field that holds it as the bytes of a JPEG
/// file. It shows the picture centred at its own size, cut equally on both sides when it is
/// larger than the control, and is the only writer of the field: a JPEG file is stored byte
/// for byte, a bitmap (a BMP file, the clipboard) as a JPEG of quality 50. It takes no focus
/// and no keys; its commands are the illustration page's.
///
/// The picture is decoded once for each record that becomes current, never when painted. A
/// damaged picture in the field is reported once the record change is complete; the record
/// change stands and the picture stays empty.
class TMyDBImage : public QWidget
{
    Q_OBJECT

public:
    explicit TMyDBImage(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source) { m_link.setDataSource(source); }
    QString dataField() const { return m_link.fieldName(); }
    void setDataField(const QString &name) { m_link.setFieldName(name); }
    /// A read-only control (the viewer's) refuses cut and paste; copy still works.
    bool isReadOnly() const { return m_link.isReadOnly(); }
    void setReadOnly(bool readOnly) { m_link.setReadOnly(readOnly); }

    const picture::Picture &picture() const { return m_picture; }

    /// Reads a picture file by its extension, shows it and stores it. A file that is not a
    /// picture of a kind taken empties the picture and leaves the field as it was, with no
    /// message. The row must already be in edit or insert state.
    void LoadFromFile(const QString &fileName);
    /// Writes the picture in its own format, whatever the name's extension; with no picture,
    /// nothing is written. The file is replaced only once it is written whole.
    void SaveToFile(const QString &fileName);
    /// Empties the picture and the field. The row must already be in edit or insert state.
    void ClearPicture();
    void CopyToClipboard();
    /// Puts the row into edit state first; does nothing when it cannot.
    void CutToClipboard();
    /// Takes the clipboard's image and stores it as a JPEG of quality 50. Puts the row into
    /// edit state first; does nothing without an image or when the row cannot be edited.
    void PasteFromClipboard();

    /// What a bitmap is stored as.
    static picture::JpegEncoding SetJPEGOptions();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void DataChange();
    void UpdateData();
    void setPicture(const picture::Picture &picture, const QByteArray &blob = QByteArray());

    FieldLink m_link;
    picture::Picture m_picture;
    QPixmap m_shown;
    // The blob the picture was read from, or that a JPEG file's picture was stored as: the
    // same bytes in the field need no second decoding.
    QByteArray m_pictureBlob;
    bool m_clearingField = false;
};
