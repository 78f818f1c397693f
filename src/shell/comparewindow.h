#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class CompareView;
class MemoryImage;

// "Compare with file...": the document against a file, listed as the changes window lists
// a write's changes. It shows what it was given when it opened; nothing is changed.
class CompareWindow : public QWidget
{
    Q_OBJECT
public:
    CompareWindow(const MemoryImage &document, const MemoryImage &file, const QString &fileName,
                  QWidget *parent = nullptr);

    static QRect placement(const QSize &mainWindow, const QSize &clientArea);
    CompareView *view() const { return m_view; }

private:
    CompareView *m_view = nullptr;
};

namespace CompareActions {
// Asks for a data file or a configuration text and shows how it differs from the document.
void compareWithFile(QWidget *parent);
} // namespace CompareActions
