#include "shell/compareview.h"

#include "shell/diffareas.h"
#include "texts/language.h"

#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr BiText ListName{"Differences", "差异"};
constexpr BiText GroupCount{"%1 (%2)", "%1（%2）"};
constexpr BiText Heading{"From %1 to %2: %3 differences", "从 %1 到 %2：%3 处差异"};
constexpr BiText HeadingOne{"From %1 to %2: 1 difference", "从 %1 到 %2：1 处差异"};
constexpr BiText NoDifferences{"%1 and %2 hold the same settings.", "%1 与 %2 的设置相同。"};
} // namespace

CompareView::CompareView(QWidget *parent)
    : QWidget(parent)
    , m_chinese(Language::isChinese())
{
    setObjectName(QStringLiteral("View_compare"));
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("Label_compare"));
    m_heading->setWordWrap(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("List_differences"));
    m_list->setHeaderHidden(true);
    m_list->setAccessibleName(ListName.text(m_chinese));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_heading);
    layout->addWidget(m_list, 1);
}

void CompareView::fill(QTreeWidget *list, const QVector<ImageDiff::GroupLines> &groups, bool chinese)
{
    list->clear();
    for (const ImageDiff::GroupLines &g : groups) {
        auto *item = new QTreeWidgetItem(
            list, {GroupCount.text(chinese).arg(ImageDiff::groupName(g.group, chinese)).arg(g.lines.size())});
        for (const QString &line : g.lines)
            new QTreeWidgetItem(item, {line});
        item->setExpanded(true);
    }
}

void CompareView::compare(const MemoryImage &before, const MemoryImage &after, const QString &beforeLabel,
                          const QString &afterLabel, Area::Range rows)
{
    const auto groups = ImageDiff::describeGrouped(before, after, diffAreas(), rows, m_chinese);
    fill(m_list, groups, m_chinese);
    m_count = 0;
    for (const ImageDiff::GroupLines &g : groups)
        m_count += g.lines.size();
    if (m_count == 0)
        m_heading->setText(NoDifferences.text(m_chinese).arg(beforeLabel, afterLabel));
    else if (m_count == 1)
        m_heading->setText(HeadingOne.text(m_chinese).arg(beforeLabel, afterLabel));
    else
        m_heading->setText(Heading.text(m_chinese).arg(beforeLabel, afterLabel).arg(m_count));
}

void CompareView::showNotice(const QString &text)
{
    m_list->clear();
    m_count = 0;
    m_heading->setText(text);
}
