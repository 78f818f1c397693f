#pragma once

#include "channels/repeaterlist.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>
#include <QWidget>

class MergePanel;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

// "Import repeater list...": a directory's CSV with its columns guessed from the header and
// shown for correcting, the side the list is written from, the user's location and a
// radius, and then the merge panel with the rows as the radio will hold them.
class RepeaterWindow : public QWidget
{
    Q_OBJECT
public:
    RepeaterWindow(const QString &text, const QString &fileName, QWidget *parent = nullptr);

    static QRect placement(const QSize &mainWindow, const QSize &clientArea);
    MergePanel *panel() const { return m_panel; }
    QComboBox *fieldBox(RepeaterList::Field field) const { return m_fields.at(int(field)); }
    // The list read again with the columns, side and location as the controls have them.
    void refresh();

private:
    RepeaterList::Mapping mapping() const;

    bool m_chinese;
    QString m_text;
    QStringList m_header;
    QVector<QComboBox *> m_fields;
    QButtonGroup *m_side = nullptr;
    QLineEdit *m_location = nullptr;
    QLineEdit *m_radius = nullptr;
    QLabel *m_layout = nullptr;
    QLabel *m_problem = nullptr;
    MergePanel *m_panel = nullptr;
};
