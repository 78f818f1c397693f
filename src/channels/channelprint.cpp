#include "channels/channelprint.h"

#include "channels/channelcolumns.h"
#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "image/memoryimage.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QVector>
#include <cmath>

namespace ChannelPrint {

namespace {

QString pageText(int page, int pages, bool chinese)
{
    return chinese ? QStringLiteral("第 %1/%2 页").arg(page).arg(pages)
                   : QStringLiteral("Page %1 of %2").arg(page).arg(pages);
}

QString cellText(const MemoryImage &image, int channel, int column)
{
    const ChannelColumn &c = ChannelColumn::at(column);
    if (!c.text)
        return QString::number(channel);
    return (ChannelRecord(image, channel).*c.text)().trimmed();
}

} // namespace

void setUp(QPrinter &printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

int paint(QPrinter &printer, const MemoryImage &image, const Heading &heading)
{
    QVector<int> channels;
    for (int ch = 0; ch < ChannelRecord::Count; ++ch) {
        if (!ChannelRecord(image, ch).isEmpty())
            channels << ch;
    }

    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont font = painter.font();
    font.setPointSizeF(8);
    QFont bold = font;
    bold.setBold(true);
    QFont title = font;
    title.setPointSizeF(11);
    title.setBold(true);
    painter.setFont(font);

    const QRectF area(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const double rowHeight = QFontMetricsF(font, &printer).height() * 1.6;
    const double titleHeight = QFontMetricsF(title, &printer).height() * 1.8;
    const int perPage = std::max(1, int((area.height() - titleHeight - rowHeight) / rowHeight));
    const int pages = std::max(1, int((channels.size() + perPage - 1) / perPage));

    // The grid's widths, stretched over the page.
    double natural = 0;
    for (int c = 0; c < ChannelColumn::Count; ++c)
        natural += ChannelColumn::at(c).width;
    QVector<double> left;
    double x = area.left();
    for (int c = 0; c < ChannelColumn::Count; ++c) {
        left << x;
        x += area.width() * ChannelColumn::at(c).width / natural;
    }
    left << area.right();

    const bool chinese = heading.chinese;
    QString titleText = ChannelText::PrintTitle.text(chinese);
    if (!heading.radio.isEmpty())
        titleText += QStringLiteral("    ") + ChannelText::PrintRadio.text(chinese)
                     + (chinese ? QStringLiteral("：") : QStringLiteral(": ")) + heading.radio;
    const QPen thin(Qt::gray, 0);

    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        painter.setFont(title);
        const QRectF titleRect(area.left(), area.top(), area.width(), titleHeight);
        painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, titleText);
        painter.setFont(font);
        painter.drawText(titleRect, Qt::AlignRight | Qt::AlignVCenter,
                         heading.date.toString(Qt::ISODate) + QStringLiteral("    ")
                             + pageText(page + 1, pages, chinese));

        double y = area.top() + titleHeight;
        painter.setFont(bold);
        painter.fillRect(QRectF(area.left(), y, area.width(), rowHeight), QColor(230, 230, 230));
        for (int c = 0; c < ChannelColumn::Count; ++c) {
            const QRectF cell(left[c] + 2, y, left[c + 1] - left[c] - 4, rowHeight);
            const QString text = painter.fontMetrics().elidedText(ChannelColumn::at(c).header.text(chinese).trimmed(),
                                                                  Qt::ElideRight, int(cell.width()));
            painter.drawText(cell, Qt::AlignCenter, text);
        }
        painter.setFont(font);
        const int from = page * perPage;
        const int to = std::min(int(channels.size()), from + perPage);
        for (int i = from; i < to; ++i) {
            y += rowHeight;
            for (int c = 0; c < ChannelColumn::Count; ++c) {
                const QRectF cell(left[c] + 2, y, left[c + 1] - left[c] - 4, rowHeight);
                const Qt::Alignment align = ChannelColumn::at(c).centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
                painter.drawText(cell, align, cellText(image, channels.at(i), c));
            }
        }
        // The grid lines of the page's table.
        painter.setPen(thin);
        const double top = area.top() + titleHeight;
        const double bottom = y + rowHeight;
        for (double rowY = top; rowY <= bottom + 0.5; rowY += rowHeight)
            painter.drawLine(QPointF(area.left(), rowY), QPointF(area.right(), rowY));
        for (double colX : left)
            painter.drawLine(QPointF(colX, top), QPointF(colX, bottom));
        painter.setPen(Qt::black);
    }
    painter.end();
    return pages;
}

bool writePdf(const QString &path, const MemoryImage &image, const Heading &heading)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setCreator(QStringLiteral("orvane-cps"));
    printer.setDocName(ChannelText::PrintTitle.text(heading.chinese));
    setUp(printer);
    if (paint(printer, image, heading) == 0)
        return false;
    // QPrinter reports no write error of its own.
    return QFileInfo(path).size() > 0;
}

} // namespace ChannelPrint
