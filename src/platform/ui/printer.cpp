#include "platform/ui/printer.h"

#include "platform/prompter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace printing {

namespace {

std::function<bool(QPrinter &, QWidget *)> &replacedsetup()
{
    static std::function<bool(QPrinter &, QWidget *)> replacement;
    return replacement;
}

QFont printfont()
{
    QFont font(QStringLiteral("Courier New"), 8);
    // Without Courier New the closest fixed-pitch face stands in.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

QPrinter &printer()
{
    static QPrinter shared(QPrinter::HighResolution);
    return shared;
}

bool hasprinter(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty() && !QPrinterInfo::printerInfo(printer.printerName()).isNull();
}

QString printername(const QPrinter &printer, const QString &none)
{
    if (!hasprinter(printer))
        return none;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName();
    return printer.printerName();
}

bool setupdialog(QWidget *parent)
{
    if (replacedsetup())
        return replacedsetup()(printer(), parent);
    QPrintDialog dialog(&printer(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

void setsetupdialog(std::function<bool(QPrinter &, QWidget *)> replacement)
{
    replacedsetup() = std::move(replacement);
}

qsizetype wrapat(const QString &text, const std::function<bool(const QString &)> &fits)
{
    if (fits(text))
        return text.size();
    qsizetype lastfit = 1;
    qsizetype lastblank = -1;
    for (qsizetype n = 1; n <= text.size(); ++n) {
        if (!fits(text.left(n)))
            break;
        lastfit = n;
        if (text[n - 1] == u' ')
            lastblank = n;
    }
    return lastblank > 0 ? lastblank : lastfit;
}

bool printlines(QPrinter &printer, const QString &title, const QStringList &lines)
{
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The printer's engine outlives each painter and keeps the last transform
    // it was told of; a new painter's identity is not told unless it is set.
    painter.resetTransform();
    painter.setFont(printfont());
    const QFontMetrics metrics(painter.font(), painter.device());
    const QRect page = painter.viewport();
    const int width = page.width();
    const int step = metrics.lineSpacing();
    int y = 0;
    auto put = [&](const QString &text) {
        if (y + step > page.height() && y > 0) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), text);
        y += step;
    };
    for (const QString &line : lines) {
        QString rest = line;
        do {
            const qsizetype n =
                wrapat(rest, [&](const QString &piece) { return metrics.horizontalAdvance(piece) <= width; });
            put(rest.left(n));
            rest = rest.mid(n);
        } while (!rest.isEmpty());
    }
    return painter.end();
}

bool printtext(QWidget *parent, const QString &title, const QStringList &lines)
{
    if (!setupdialog(parent))
        return false;
    if (hasprinter(printer()) && printlines(printer(), title, lines))
        return true;
    prompter().messagebox(parent, notaccessible, QStringLiteral("Error"), mb::iconwarning);
    return false;
}

} // namespace printing
