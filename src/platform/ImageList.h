#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures of one cell size, cut from one strip and addressed by index from
// 0. Every picture carries a 1-bit mask (in the XPM files: the colour None);
// a picture is always drawn through it, so the surface shows in its masked
// pixels.
class ImageList {
public:
    ImageList() = default;
    // The strip is read from a file or resource; its width is a multiple of
    // the cell width. An unreadable strip leaves the list empty.
    ImageList(const QString& stripPath, QSize cell);

    QSize cellSize() const { return m_cell; }
    int count() const { return m_count; }
    bool isNull() const { return m_count == 0; }

    // Picture i with its mask as alpha (0 or 255); a null image for a bad index.
    QImage picture(int index) const;
    // Whether pixel (x, y) of picture i is masked (transparent).
    bool isMasked(int index, int x, int y) const;
    // Draws picture i through its mask with its top left corner at (x, y).
    void draw(QImage& target, int x, int y, int index) const;
    // The picture as an icon for buttons and menus; with a disabled list the
    // icon's disabled mode shows that list's picture of the same index.
    QIcon icon(int index, const ImageList* disabled = nullptr) const;

private:
    QImage m_strip;
    QSize m_cell;
    int m_count = 0;
};
