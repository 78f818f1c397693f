#pragma once

#include "image/areamap.h"
#include "image/imagediff.h"
#include "image/memoryimage.h"

#include <QString>
#include <QWidget>

class QLabel;
class QTreeWidget;

// What differs between two images, as the changes window lists it: one line per changed
// field by its name, grouped by area with a count per group. Anything that compares two
// images (a file, a point of the history) shows it through this one view.
class CompareView : public QWidget
{
    Q_OBJECT
public:
    // The language is taken now and kept, as a window keeps it.
    explicit CompareView(QWidget *parent = nullptr);

    // Lists what changes from `before` to `after` within `rows`; the labels name the two
    // sides in the heading ("This document" and "plan.dat").
    void compare(const MemoryImage &before, const MemoryImage &after, const QString &beforeLabel,
                 const QString &afterLabel, Area::Range rows = Area::Range{0, MemoryImage::Rows - 1});

    // No comparison: the list is emptied and the heading says `text` instead.
    void showNotice(const QString &text);

    // Lines listed by the last comparison, over all groups.
    int differenceCount() const { return m_count; }
    QTreeWidget *list() const { return m_list; }

    // The groups as tree items, each expanded and captioned with its count.
    static void fill(QTreeWidget *list, const QVector<ImageDiff::GroupLines> &groups, bool chinese);

private:
    bool m_chinese;
    int m_count = 0;
    QLabel *m_heading = nullptr;
    QTreeWidget *m_list = nullptr;
};
