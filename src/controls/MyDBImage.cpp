#include "MyDBImage.h"

#include "dataset/Field.h"
#include "guard/ErrorGuard.h"
#include "picture/PictureReader.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QScopedValueRollback>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

// The metafile formats under the names registered for them; a metafile also goes as its
// drawing, for the programs that take only images.
QString mimeTypeOf(picture::MetafileKind kind)
{
    return kind == picture::MetafileKind::Emf ? QStringLiteral("image/emf") : QStringLiteral("image/wmf");
}

} // namespace

TMyDBImage::TMyDBImage(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    m_link.onDataChange = [this] { DataChange(); };
}

picture::JpegEncoding TMyDBImage::SetJPEGOptions()
{
    picture::JpegEncoding encoding;
    encoding.quality = 50;
    encoding.greyscale = false;
    encoding.progressive = false;
    return encoding;
}

QSize TMyDBImage::sizeHint() const
{
    return m_picture.isEmpty() ? QWidget::sizeHint() : m_picture.size();
}

void TMyDBImage::paintEvent(QPaintEvent *)
{
    if (m_shown.isNull())
        return;
    // Integer division truncates toward zero: a picture one pixel wider than the control loses
    // its last column only.
    QPainter painter(this);
    painter.drawPixmap((width() - m_shown.width()) / 2, (height() - m_shown.height()) / 2, m_shown);
}

void TMyDBImage::setPicture(const picture::Picture &picture, const QByteArray &blob)
{
    m_picture = picture;
    m_pictureBlob = blob;
    m_shown = picture.isEmpty() ? QPixmap() : QPixmap::fromImage(picture.shown());
    updateGeometry();
    update();
}

// Runs on every data change of the link: the dataset opened, moved, re-read, or the field
// written. While the dataset is closed the last picture stays shown.
void TMyDBImage::DataChange()
{
    Field *field = m_link.field();
    if (!field || !field->isBlob() || m_clearingField)
        return;
    const QByteArray blob = field->asBytes();
    if (!m_pictureBlob.isNull() && blob == m_pictureBlob)
        return;
    setPicture({});
    picture::Picture read;
    if (const std::optional<picture::PictureError> error = picture::pictureFromBlob(blob, read)) {
        // Reported once the record change is complete: the datasets and the other controls
        // still have the change to hear of.
        ErrorGuard::report(std::make_exception_ptr(std::runtime_error(error->message.toStdString())), ErrorGuard::Report::Later);
        return;
    }
    setPicture(read, blob);
}

// Writes the picture into the field: a bitmap as a new JPEG, a JPEG picture as its bytes; an
// icon or a metafile, which the field cannot hold, clears it. Writing bytes makes the dataset
// announce the change, so that what is shown is then the stored JPEG decoded back.
void TMyDBImage::UpdateData()
{
    Field *field = m_link.field();
    if (!field)
        return;
    QByteArray blob;
    if (const std::optional<picture::PictureError> error = picture::blobOf(m_picture, blob, SetJPEGOptions()))
        fail(error->message);
    if (m_picture.kind() == picture::Picture::Kind::Jpeg) {
        m_pictureBlob = blob;
    } else if (blob.isEmpty()) {
        // The loaded picture stays on screen until the record changes.
        const QScopedValueRollback clearing(m_clearingField, true);
        field->clear();
        return;
    }
    field->setValue(blob);
}

void TMyDBImage::LoadFromFile(const QString &fileName)
{
    picture::Picture read;
    if (const std::optional<picture::PictureError> error = picture::readPictureFile(fileName, read)) {
        if (error->cause == picture::PictureError::Cause::NotAPicture) {
            setPicture({});
            return;
        }
        fail(error->message);
    }
    setPicture(read);
    UpdateData();
}

void TMyDBImage::SaveToFile(const QString &fileName)
{
    if (m_picture.isEmpty())
        return;
    const QByteArray content = m_picture.fileContent();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        fail(QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
}

void TMyDBImage::ClearPicture()
{
    setPicture({});
    if (Field *field = m_link.field())
        field->clear();
}

void TMyDBImage::CopyToClipboard()
{
    if (m_picture.isEmpty())
        return;
    if (m_picture.kind() == picture::Picture::Kind::Icon)
        fail(QStringLiteral("Clipboard does not support Icons"));
    auto *data = new QMimeData;
    if (m_picture.kind() == picture::Picture::Kind::Metafile)
        data->setData(mimeTypeOf(m_picture.metafileKind()), m_picture.fileContent());
    data->setImageData(m_picture.shown());
    QGuiApplication::clipboard()->setMimeData(data);
}

void TMyDBImage::CutToClipboard()
{
    if (m_picture.isEmpty() || !m_link.edit())
        return;
    CopyToClipboard();
    ClearPicture();
}

void TMyDBImage::PasteFromClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage() || !m_link.edit())
        return;
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull())
        return;
    setPicture(picture::Picture::bitmap(image));
    UpdateData();
}
