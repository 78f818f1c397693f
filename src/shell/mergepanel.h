#pragma once

#include "channels/channelmerge.h"
#include "image/document.h"

#include <QVector>
#include <QWidget>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

// The rows a merge would bring, each with its check box, and where they go: into empty
// channels, inserted, or over the same numbers. The preview says where each checked row
// lands before anything changes; the button merges them as one step of the document.
class MergePanel : public QWidget
{
    Q_OBJECT
public:
    // `step` names the undo step ("Merge plan.dat"). The language is taken now and kept.
    explicit MergePanel(const StepLabel &step, QWidget *parent = nullptr);

    // Shows `rows` judged against the document: duplicates and band refusals unchecked.
    // With `distances` a distance column is shown.
    void setRows(const QVector<ChannelMerge::Row> &rows, bool distances);
    // No rows, and a reason instead of a preview (a list that could not be read).
    void clear(const QString &problem);
    const QVector<ChannelMerge::Row> &rows() const { return m_rows; }

    void setPlacement(ChannelMerge::Placement placement, int start);
    ChannelMerge::Placement placement() const;
    int start() const;
    void setChecked(int row, bool checked);
    QTableWidget *table() const { return m_table; }
    // Where each row lands now; refused when the placement cannot take them.
    const ChannelMerge::Landing &landing() const { return m_landing; }

    // The merge, as the button does it. False when nothing merged.
    bool mergeNow();

    enum Column { Check, Number, Name, Rx, Tx, RxTone, TxTone, Width, Power, Distance, LandsOn, Note, ColumnCount };

signals:
    // The document took the merge; `report` says what was merged, refused and skipped.
    void merged(const QStringList &report);

private:
    void showPreview();
    void checkChanged(int row, int column);

    bool m_chinese;
    StepLabel m_step;
    QVector<ChannelMerge::Row> m_rows;
    ChannelMerge::Landing m_landing;
    bool m_filling = false;
    QTableWidget *m_table = nullptr;
    QLabel *m_counts = nullptr;
    QLabel *m_preview = nullptr;
    QButtonGroup *m_placement = nullptr;
    QSpinBox *m_start = nullptr;
    QPushButton *m_merge = nullptr;
};
