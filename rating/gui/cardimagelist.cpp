#include "cardimagelist.h"

void CardImageList::Create(QSize size, int count, const QImage& background)
{
    m_size = size;
    m_background = background.convertToFormat(QImage::Format_RGB32);
    m_images.assign(static_cast<std::size_t>(std::max(count, 0)), m_background);
}

void CardImageList::Clear()
{
    m_images.clear();
    m_background = QImage();
    m_size = QSize();
}

QImage CardImageList::Image(int slot) const
{
    if (slot < 0 || slot >= Count())
        return {};
    return m_images[static_cast<std::size_t>(slot)];
}

bool CardImageList::Replace(int slot, const QImage& image)
{
    if (slot < 0 || slot >= Count() || image.size() != m_size)
        return false;
    m_images[static_cast<std::size_t>(slot)] = image.convertToFormat(QImage::Format_RGB32);
    return true;
}

QImage PlainCardBackground(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
