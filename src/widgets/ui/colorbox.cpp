#include "widgets/ui/colorbox.h"

#include "platform/pictures.h"
#include "widgets/language.h"
#include "widgets/ui/translation.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QPainter>
#include <QSignalBlocker>

namespace {

struct NamedColour
{
    const char *name;
    qint32 colour;
};

constexpr NamedColour listed[] = {
    {"Black", 0x000000},       {"Maroon", 0x000080},     {"Green", 0x008000},  {"Olive", 0x008080},
    {"Navy", 0x800000},        {"Purple", 0x800080},     {"Teal", 0x808000},   {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},      {"Red", 0x0000FF},        {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},        {"Fuchsia", 0xFF00FF},    {"Aqua", 0xFFFF00},   {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6},   {"Cream", 0xF0FBFF},  {"Medium Gray", 0xA4A0A0},
};

} // namespace

QIcon colourswatch(qint32 colour)
{
    QPixmap picture(16, 12);
    picture.fill(wincolor(quint32(colour)));
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return QIcon(picture);
}

qint32 wincolorvalue(const QColor &color)
{
    return color.red() + color.green() * 256 + color.blue() * 65536;
}

ColorBox::ColorBox(QWidget *parent) : QComboBox(parent)
{
    addItem(colourswatch(0), QStringLiteral("Custom..."), 0);
    for (const NamedColour &c : listed)
        addItem(colourswatch(c.colour), QLatin1String(c.name), c.colour);
    settranslatable(this, TransKind::combobox);
    // The list shows whole names even where the box is narrow.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
    setcolour(0xFFFFFF);
    connect(this, &QComboBox::activated, this, &ColorBox::chosen);
}

void ColorBox::setcolour(qint32 colour)
{
    const QSignalBlocker quiet(this);
    colour &= 0xFFFFFF;
    for (int i = 1; i < count(); ++i) {
        if (itemData(i).toInt() == colour) {
            setCurrentIndex(i);
            shown_ = i;
            return;
        }
    }
    setcustom(colour);
    setCurrentIndex(0);
    shown_ = 0;
}

qint32 ColorBox::colour() const
{
    return currentData().toInt();
}

void ColorBox::setcustom(qint32 colour)
{
    setItemData(0, colour);
    setItemIcon(0, colourswatch(colour));
}

void ColorBox::chosen(int index)
{
    if (index == 0) {
        const QColor picked = QColorDialog::getColor(wincolor(quint32(itemData(0).toInt())), this);
        if (!picked.isValid()) {
            // Cancelled: the box shows what it showed before.
            const QSignalBlocker quiet(this);
            setCurrentIndex(shown_);
            return;
        }
        setcustom(wincolorvalue(picked));
    }
    shown_ = index;
    emit colourchosen(colour());
}
