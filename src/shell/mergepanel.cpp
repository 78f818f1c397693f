#include "shell/mergepanel.h"

#include "channels/channelcolumns.h"
#include "channels/channelrecord.h"
#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "texts/language.h"

#include <QBrush>
#include <QButtonGroup>
#include <QColor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr BiText IntoEmpty{"into empty channels from N", "从 N 号起放入空信道"};
constexpr BiText InsertAt{"insert at N, shifting the rest down", "在 N 号插入，其余下移"};
constexpr BiText ReplaceSame{"replace the same numbers", "替换相同编号"};
constexpr BiText StartLabel{"N:", "N："};
constexpr BiText MergeButton{"Merge %1 channels", "合并 %1 个信道"};
constexpr BiText Duplicates{"%1 channels are already in the plan (same RX, TX and tones): marked and unchecked.",
                            "%1 个信道在计划中已有（接收、发射频率与亚音均相同）：已标出并取消选中。"};
constexpr BiText Refused{"%1 channels lie outside the radio's band limits and are not merged.",
                         "%1 个信道超出本机频段限制，不予合并。"};
constexpr BiText Nothing{"Nothing to merge.", "没有可合并的信道。"};
constexpr BiText Ready{"Each checked row lands on the channel its \"Lands on\" column names; nothing changes before the button.",
                       "每个选中的行放入其“放入”列所示的信道；按下按钮前不作任何更改。"};
constexpr BiText SameAs{"same as channel %1", "与信道 %1 相同"};
constexpr BiText ChannelWord{"channel %1", "信道 %1"};
constexpr BiText Headers[] = {
    {"", ""}, {"Source", "来源"}, {"", ""}, {"", ""}, {"", ""}, {"", ""}, {"", ""}, {"", ""}, {"", ""},
    {"km", "km"}, {"Lands on", "放入"}, {"Note", "说明"}};

QString gridHeader(ChannelFields::Field field, bool chinese)
{
    return ChannelColumn::at(field).header.text(chinese).simplified();
}

} // namespace

MergePanel::MergePanel(const StepLabel &step, QWidget *parent)
    : QWidget(parent)
    , m_chinese(Language::isChinese())
    , m_step(step)
{
    setObjectName(QStringLiteral("Panel_merge"));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("MSF_merge"));
    m_table->setAccessibleName(MergeButton.text(m_chinese).arg(QString()).simplified());
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    QStringList headers;
    for (int c = 0; c < ColumnCount; ++c)
        headers << Headers[c].text(m_chinese);
    headers[Name] = gridHeader(ChannelFields::Name, m_chinese);
    headers[Rx] = gridHeader(ChannelFields::RxFrequency, m_chinese);
    headers[Tx] = gridHeader(ChannelFields::TxFrequency, m_chinese);
    headers[RxTone] = gridHeader(ChannelFields::RxTone, m_chinese);
    headers[TxTone] = gridHeader(ChannelFields::TxTone, m_chinese);
    headers[Width] = gridHeader(ChannelFields::Bandwidth, m_chinese);
    headers[Power] = gridHeader(ChannelFields::Power, m_chinese);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnHidden(Distance, true);

    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("Label_counts"));
    m_counts->setWordWrap(true);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("Label_preview"));
    m_preview->setWordWrap(true);

    m_placement = new QButtonGroup(this);
    auto *choices = new QHBoxLayout;
    const struct
    {
        ChannelMerge::Placement placement;
        BiText text;
        const char *name;
    } options[] = {{ChannelMerge::Placement::EmptyFrom, IntoEmpty, "Option_empty"},
                   {ChannelMerge::Placement::InsertAt, InsertAt, "Option_insert"},
                   {ChannelMerge::Placement::ReplaceSame, ReplaceSame, "Option_replace"}};
    for (const auto &o : options) {
        auto *button = new QRadioButton(o.text.text(m_chinese), this);
        button->setObjectName(QString::fromLatin1(o.name));
        m_placement->addButton(button, int(o.placement));
        choices->addWidget(button);
    }
    m_placement->button(int(ChannelMerge::Placement::EmptyFrom))->setChecked(true);
    auto *startLabel = new QLabel(StartLabel.text(m_chinese), this);
    m_start = new QSpinBox(this);
    m_start->setObjectName(QStringLiteral("Text_start"));
    m_start->setRange(0, ChannelRecord::Count - 1);
    m_start->setAccessibleName(StartLabel.text(m_chinese));
    startLabel->setBuddy(m_start);
    choices->addStretch(1);
    choices->addWidget(startLabel);
    choices->addWidget(m_start);

    m_merge = new QPushButton(MergeButton.text(m_chinese).arg(0), this);
    m_merge->setObjectName(QStringLiteral("Command_merge"));
    m_merge->setEnabled(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_preview, 1);
    bottom->addWidget(m_merge);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choices);
    layout->addWidget(m_counts);
    layout->addWidget(m_table, 1);
    layout->addLayout(bottom);

    connect(m_placement, &QButtonGroup::idClicked, this, [this] { showPreview(); });
    connect(m_start, qOverload<int>(&QSpinBox::valueChanged), this, [this] { showPreview(); });
    connect(m_table, &QTableWidget::cellChanged, this, &MergePanel::checkChanged);
    connect(m_merge, &QPushButton::clicked, this, &MergePanel::mergeNow);
    // Whoever changes the plan meanwhile, the preview follows it.
    connect(&Document::instance(), &Document::changed, this, [this] { showPreview(); });
}

void MergePanel::setRows(const QVector<ChannelMerge::Row> &rows, bool distances)
{
    m_rows = rows;
    ChannelMerge::judge(m_rows, Document::instance().image(), BandLimits::current());
    m_filling = true;
    m_table->setRowCount(m_rows.size());
    m_table->setColumnHidden(Distance, !distances);
    int duplicates = 0, refused = 0;
    for (int i = 0; i < m_rows.size(); ++i) {
        const ChannelMerge::Row &row = m_rows.at(i);
        const ChannelMerge::Shown s = ChannelMerge::shown(row);
        auto *check = new QTableWidgetItem;
        check->setFlags(row.refused ? Qt::ItemFlags(Qt::ItemIsSelectable)
                                    : Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        check->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(i, Check, check);
        const QString number = ChannelMerge::rowName(row, m_chinese);
        const QString texts[] = {number, s.name, s.rx, s.tx, s.rxTone, s.txTone, s.width, s.power,
                                 row.distanceKm < 0 ? QString() : QString::number(row.distanceKm, 'f', 1)};
        for (int c = Number; c <= Distance; ++c)
            m_table->setItem(i, c, new QTableWidgetItem(texts[c - Number]));
        QStringList notes;
        if (row.refused) {
            notes << row.reason.text(m_chinese).trimmed();
            ++refused;
        }
        if (row.duplicate) {
            notes << SameAs.text(m_chinese).arg(row.duplicateOf);
            ++duplicates;
        }
        if (!row.note(m_chinese).isEmpty())
            notes << row.note(m_chinese);
        m_table->setItem(i, Note, new QTableWidgetItem(notes.join(m_chinese ? QStringLiteral("；") : QStringLiteral("; "))));
        m_table->setItem(i, LandsOn, new QTableWidgetItem);
        if (row.refused || row.duplicate) {
            const QColor mark = row.refused ? QColor(0xb0, 0x20, 0x20) : QColor(0xa0, 0x60, 0x00);
            for (int c = Number; c < ColumnCount; ++c)
                m_table->item(i, c)->setForeground(mark);
        }
    }
    m_filling = false;
    QStringList counts;
    if (duplicates > 0)
        counts << Duplicates.text(m_chinese).arg(duplicates);
    if (refused > 0)
        counts << Refused.text(m_chinese).arg(refused);
    m_counts->setStyleSheet(QString());
    m_counts->setText(counts.join(QLatin1Char(' ')));
    m_counts->setVisible(!counts.isEmpty());
    m_table->resizeColumnsToContents();
    showPreview();
}

void MergePanel::clear(const QString &problem)
{
    m_rows.clear();
    m_table->setRowCount(0);
    m_counts->setText(problem);
    m_counts->setStyleSheet(problem.isEmpty() ? QString() : QStringLiteral("color: #b02020"));
    m_counts->setVisible(!problem.isEmpty());
    showPreview();
}

void MergePanel::setPlacement(ChannelMerge::Placement placement, int start)
{
    m_placement->button(int(placement))->setChecked(true);
    m_start->setValue(start);
    showPreview();
}

ChannelMerge::Placement MergePanel::placement() const
{
    return ChannelMerge::Placement(m_placement->checkedId());
}

int MergePanel::start() const
{
    return m_start->value();
}

void MergePanel::setChecked(int row, bool checked)
{
    if (QTableWidgetItem *item = m_table->item(row, Check))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void MergePanel::checkChanged(int row, int column)
{
    if (m_filling || column != Check || row < 0 || row >= m_rows.size())
        return;
    m_rows[row].checked = m_table->item(row, Check)->checkState() == Qt::Checked;
    showPreview();
}

void MergePanel::showPreview()
{
    m_landing = ChannelMerge::place(Document::instance().image(), m_rows, placement(), start());
    m_filling = true;
    for (int i = 0; i < m_rows.size(); ++i) {
        const int target = m_landing.ok && i < m_landing.targets.size() ? m_landing.targets.at(i) : -1;
        m_table->item(i, LandsOn)->setText(target < 0 ? QString() : ChannelWord.text(m_chinese).arg(target));
    }
    m_filling = false;
    m_table->resizeColumnToContents(LandsOn);
    const int count = m_landing.ok ? m_landing.count() : 0;
    m_merge->setText(MergeButton.text(m_chinese).arg(count));
    m_merge->setEnabled(m_landing.ok && count > 0);
    if (!m_landing.ok) {
        m_preview->setText(m_landing.refusalText(m_chinese));
        m_preview->setStyleSheet(QStringLiteral("color: #b02020"));
    } else {
        m_preview->setText(count > 0 ? Ready.text(m_chinese) : Nothing.text(m_chinese));
        m_preview->setStyleSheet(QString());
    }
}

bool MergePanel::mergeNow()
{
    ChannelMerge::Landing landing;
    const QVector<ChannelMerge::Row> rows = m_rows;
    const ChannelMerge::Placement how = placement();
    const int from = start();
    bool done = false;
    Document::instance().applyToImage(m_step, [&](MemoryImage &image) {
        done = ChannelMerge::merge(image, rows, how, from, &landing) && landing.count() > 0;
        return done;
    });
    if (!done) {
        showPreview();
        return false;
    }
    emit merged(ChannelMerge::report(rows, landing, Language::isChinese()));
    return true;
}
