#include "report/ReportDocument.h"

#include "picture/Picture.h"
#include "picture/PictureReader.h"

#include <algorithm>

namespace report {

Page &ReportDocument::addPage()
{
    return m_pages.emplace_back();
}

int ReportDocument::addFont(const QFont &font)
{
    const auto found = std::find(m_fonts.cbegin(), m_fonts.cend(), font);
    if (found != m_fonts.cend())
        return int(found - m_fonts.cbegin());
    m_fonts.push_back(font);
    return int(m_fonts.size()) - 1;
}

int ReportDocument::addImage(const ReportImage &image)
{
    const auto found = std::find(m_images.cbegin(), m_images.cend(), image);
    if (found != m_images.cend())
        return int(found - m_images.cbegin());
    m_images.push_back(image);
    return int(m_images.size()) - 1;
}

QImage ReportDocument::decodedImage(int index) const
{
    if (index < 0 || index >= int(m_images.size()))
        return {};
    m_decoded.resize(m_images.size());
    QImage &decoded = m_decoded[std::size_t(index)];
    if (decoded.isNull()) {
        const ReportImage &image = m_images[std::size_t(index)];
        if (image.format == ReportImage::Format::Jpeg) {
            // Read as the screen reads it, so that a photo printed stands upright as shown.
            picture::Picture picture;
            if (!picture::pictureFromBlob(image.bytes, picture))
                decoded = picture.shown();
        } else {
            decoded = QImage::fromData(image.bytes, "PNG");
        }
    }
    return decoded;
}

} // namespace report
