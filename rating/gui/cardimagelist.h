#pragma once

#include <QImage>
#include <QSize>

#include <vector>

// A list of equally sized pictures, addressed by slot: the tariff cards (slot = tariff index) and the
// rule cards (slot = rule index). Created with every slot holding the plain background; a drawn card
// replaces its slot. The view shows the pictures and the report printer copies them.
class CardImageList {
public:
    CardImageList() = default;

    // Replaces the list by `count` slots of `size`, each the background.
    void Create(QSize size, int count, const QImage& background);
    void Clear();

    bool IsEmpty() const { return m_images.empty(); }
    int Count() const { return static_cast<int>(m_images.size()); }
    QSize ImageSize() const { return m_size; }
    const QImage& Background() const { return m_background; }

    // The slot's picture; a null image outside the list.
    QImage Image(int slot) const;
    // False (and nothing changed) outside the list or for a picture of another size.
    bool Replace(int slot, const QImage& image);

private:
    QSize m_size;
    QImage m_background;
    std::vector<QImage> m_images;
};

// The plain background of a card: white, the size of the list's pictures.
QImage PlainCardBackground(QSize size);
