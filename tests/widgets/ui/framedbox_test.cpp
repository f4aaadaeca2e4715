#include "widgets/ui/framedbox.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

// Tiles of one flat colour each, so the image shows which tile went where.
FrameTiles flattiles()
{
    FrameTiles tiles;
    for (int i = 0; i < 8; ++i) {
        tiles[i] = QPixmap(18, 18);
        tiles[i].fill(QColor(10 + 20 * i, 0, 0));
    }
    return tiles;
}

int tileat(const QImage &image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    if (c == Qt::white)
        return -2; // the white inside
    if (c == QColor(Qt::blue))
        return -3; // the background
    if (c.green() != 0 || c.blue() != 0)
        return -1;
    return (c.red() - 10) / 20;
}

} // namespace

TEST(FramedBox, TilesGoWhereTheBoxNeedsThem)
{
    // A box of 100 x 60.
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintBox2Paint(painter, image.size(), Qt::blue, flattiles());
    painter.end();

    EXPECT_EQ(tileat(image, 0, 0), 0);
    EXPECT_EQ(tileat(image, 83, 0), 1);
    EXPECT_EQ(tileat(image, 82, 0), 4);   // the stretched edge reaches one pixel into the corner
    EXPECT_EQ(tileat(image, 0, 43), 3);
    EXPECT_EQ(tileat(image, 0, 42), 5);
    EXPECT_EQ(tileat(image, 50, 5), 4);   // top edge stretched over 18..82
    EXPECT_EQ(tileat(image, 82 - 1, 5), 4);
    EXPECT_EQ(tileat(image, 5, 30), 5);   // left edge stretched over 18..42
    EXPECT_EQ(tileat(image, 90, 18), 6);  // right edge tiles at y = 18 and 36
    EXPECT_EQ(tileat(image, 90, 36), 6);
    EXPECT_EQ(tileat(image, 18, 50), 7);  // bottom edge tiles at x = 18 .. 72
    EXPECT_EQ(tileat(image, 72, 50), 7);
    EXPECT_EQ(tileat(image, 84, 44), 2);  // the corner, over the cleared cell
    EXPECT_EQ(tileat(image, 99, 59), 2);
    EXPECT_EQ(tileat(image, 16, 16), -2); // white inside (16, 16) .. (84, 44)
    EXPECT_EQ(tileat(image, 83, 43), -2);
    EXPECT_EQ(tileat(image, 84, 30), 6);
}

TEST(FramedBox, TheShippedTilesAreTransparentOutsideTheFrame)
{
    const FrameTiles &tiles = frametiles();
    for (const QPixmap &tile : tiles) {
        ASSERT_EQ(tile.size(), QSize(18, 18));
    }
    EXPECT_EQ(tiles[0].toImage().pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(tiles[0].toImage().pixelColor(17, 17), QColor(Qt::white));
}

TEST(FramedBox, TheBorderlessFrameStretchesItsEdgesBetweenTheCorners)
{
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintBox1Paint(painter, image.size(), flattiles());
    painter.end();

    // Corners at (0, 0), (82, 0), (82, 42) and (0, 42).
    EXPECT_EQ(tileat(image, 0, 0), 0);
    EXPECT_EQ(tileat(image, 99, 0), 1);
    EXPECT_EQ(tileat(image, 99, 59), 2);
    EXPECT_EQ(tileat(image, 0, 59), 3);
    // Top (18, 0)-(83, 17), left (-1, 18)-(17, 43), right (83, 18)-(99, 43),
    // bottom (18, 43)-(83, 60): each drawn over the corners it reaches.
    EXPECT_EQ(tileat(image, 18, 0), 4);
    EXPECT_EQ(tileat(image, 82, 15), 4);
    EXPECT_EQ(tileat(image, 83, 0), 1);
    EXPECT_EQ(tileat(image, 0, 18), 5);
    EXPECT_EQ(tileat(image, 15, 42), 5);
    EXPECT_EQ(tileat(image, 84, 18), 6);
    EXPECT_EQ(tileat(image, 98, 42), 6);
    EXPECT_EQ(image.pixelColor(99, 30), QColor(Qt::black)) << "the right edge ends one pixel short";
    EXPECT_EQ(tileat(image, 18, 44), 7);
    EXPECT_EQ(tileat(image, 82, 59), 7);
    EXPECT_EQ(tileat(image, 83, 59), 2);
    // The white inside, (16, 16) to (84, 44).
    EXPECT_EQ(tileat(image, 16, 16), -2);
    EXPECT_EQ(tileat(image, 83, 43), -2);
    EXPECT_EQ(tileat(image, 84, 30), 6);
}

TEST(FramedBox, ABorderlessWindowsPictureKeepsTheKeyOnlyOutsideTheCorners)
{
    const QImage image = borderimage(QSize(120, 80));
    EXPECT_EQ(image.pixel(0, 0), borderkey);
    EXPECT_EQ(image.pixel(119, 79), borderkey);
    EXPECT_NE(image.pixel(60, 0), borderkey);
    EXPECT_EQ(image.pixelColor(60, 40), QColor(Qt::white));
}
