#pragma once

#include <QDate>
#include <QString>

class MemoryImage;
class QPrinter;

// The channel list on paper or in a PDF: the non-empty channels with the grid's columns
// and headers, as many pages as they need, each page headed with the radio and the date.
namespace ChannelPrint {

struct Heading
{
    bool chinese = false;
    // The radio's model and number when one has identified itself; empty otherwise.
    QString radio;
    QDate date;
};

// Paints every page on `printer` (a preview's or a PDF writer's); returns the page count.
int paint(QPrinter &printer, const MemoryImage &image, const Heading &heading);
// The printer as both the preview and the PDF use it: A4, landscape.
void setUp(QPrinter &printer);
// False when the file cannot be written.
bool writePdf(const QString &path, const MemoryImage &image, const Heading &heading);

} // namespace ChannelPrint
