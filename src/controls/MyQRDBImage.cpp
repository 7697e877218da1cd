#include "MyQRDBImage.h"

#include "dataset/Field.h"
#include "picture/Picture.h"
#include "picture/PictureReader.h"
#include "report/ReferenceLayout.h"

namespace {

bool startsAsJpeg(const QByteArray &blob)
{
    return blob.size() >= 2 && static_cast<uchar>(blob[0]) == 0xff && static_cast<uchar>(blob[1]) == 0xd8;
}

} // namespace

TMyQRDBImage::TMyQRDBImage(const QRectF &designRect)
    : report::PictureElement(designRect)
    , m_designRect(designRect)
{
    m_link.onDataChange = [this] { DataChange(); };
}

report::ReportImage TMyQRDBImage::image() const
{
    return {report::ReportImage::Format::Jpeg, m_jpeg};
}

// Runs when the element is connected to an open dataset and on every data change after that.
// While the dataset is closed the last picture stays.
void TMyQRDBImage::DataChange()
{
    Field *field = m_link.field();
    if (!field || !field->isBlob())
        return;
    takePicture({}, {});
    const QByteArray blob = field->asBytes();
    if (!startsAsJpeg(blob))
        return;
    // Read as the screen reads it, upright by the camera's orientation, which is also how the
    // page will draw it. A picture that cannot be read is simply not printed.
    picture::Picture read;
    if (picture::pictureFromBlob(blob, read) || read.isEmpty())
        return;
    takePicture(blob, read.size());
}

// The element's size follows the picture's, at the resolution the reports are laid out at; its
// top-left corner stays where it was designed.
void TMyQRDBImage::takePicture(const QByteArray &jpeg, const QSize &pixels)
{
    using report::ReferenceLayout::toMillimetres;
    m_jpeg = jpeg;
    if (jpeg.isEmpty())
        setRect(m_designRect);
    else
        setRect({m_designRect.topLeft(), QSizeF(toMillimetres(pixels.width()), toMillimetres(pixels.height()))});
}
