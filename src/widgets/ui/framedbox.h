#pragma once
// The rounded white framed boxes that every page and dialog draws behind its
// controls: eight 18 x 18 tiles (four corners, four edges) around a white inside.

#include <QImage>
#include <QMargins>
#include <QWidget>

#include <array>

class QPainter;

// Tiles in their order: top-left, top-right, bottom-right, bottom-left
// corners, then the top, left, right and bottom edges.
using FrameTiles = std::array<QPixmap, 8>;
const FrameTiles &frametiles();

// Paints a framed box over the rectangle (0, 0, size); `background` fills the
// bottom-right cell before its corner, so tiles reaching into it vanish.
void PaintBox2Paint(QPainter &painter, QSize size, const QColor &background, // a page's or dialog's box
                    const FrameTiles &tiles = frametiles());

// The frame of the borderless windows (about box, reminder pop-up): its own
// eight tiles, in the same order, whose corners are fuchsia outside the
// rounding so the window's shape can cut them away.
const FrameTiles &bordertiles();
inline constexpr QRgb borderkey = 0xFFFF00FF;

// Paints such a frame over the rectangle (0, 0, size): the four corners,
// the four edges stretched between them, and the white inside.
void PaintBox1Paint(QPainter &painter, QSize size, // a borderless window's frame
                    const FrameTiles &tiles = bordertiles());
// A borderless window's picture: the frame on the key colour, which its
// shape leaves out.
QImage borderimage(QSize size);

// A widget that is a framed box; controls placed on it sit on the white
// inside when its layout keeps the inside margins. The cell behind the
// bottom-right corner takes the widget's window colour, which the colour
// settings give every page and dialog.
class FramedBox : public QWidget
{
public:
    // Margins that keep the controls of a box's layout on its white inside.
    static constexpr QMargins inside{20, 16, 20, 16};

    explicit FramedBox(QWidget *parent = nullptr);

    // The box's own layout, with the inside margins.
    template <class Layout>
    Layout *insidelayout()
    {
        auto *layout = new Layout(this);
        layout->setContentsMargins(inside);
        return layout;
    }

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A fixed-size modal dialog's frame: a title and a close box, nothing to
// minimise or maximise. A window manager that offers minimising anyway gets
// the dialog straight back: a minimised modal dialog would leave the main
// window blocked with nothing to click.
void setfixeddialogframe(QWidget *dialog);
// The same for a modal dialog that can be resized and maximised.
void setresizabledialogframe(QWidget *dialog);
