#include "shell/repeaterwindow.h"

#include "editor/editorwindow.h"
#include "shell/mergepanel.h"
#include "shell/mergewindow.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr BiText Caption{"Import repeater list", "导入中继台列表"};
constexpr BiText Columns{"Columns", "列"};
constexpr BiText Recognised{"Columns recognised as: %1.", "已按此格式识别各列：%1。"};
constexpr BiText NotRecognised{"No known layout: check the columns below.", "未识别的格式：请检查下方各列。"};
constexpr BiText NoColumn{"(none)", "（无）"};
constexpr BiText SideBox{"The list's frequencies and tones", "列表中的频率与亚音"};
constexpr BiText NearBox{"Near", "附近"};
constexpr BiText MyLocation{"my location", "我的位置"};
constexpr BiText LocationHint{"latitude, longitude or locator (JN58td)", "纬度,经度 或 网格坐标（JN58td）"};
constexpr BiText Radius{"Radius (km)", "半径 (km)"};
constexpr BiText Apply{"Apply", "应用"};
constexpr BiText BadLocation{"My location \"%1\": not a Maidenhead locator (4 or 6 characters) nor latitude, longitude in degrees.",
                             "我的位置“%1”：既不是 4 或 6 位的网格坐标，也不是以度表示的纬度、经度。"};
constexpr BiText BadRadius{"Radius \"%1\": not a distance in km.", "半径“%1”：不是以 km 表示的距离。"};
constexpr BiText CloseCaption{"Close", "关闭"};
constexpr BiText Step{"Import repeater list %1", "导入中继台列表 %1"};
} // namespace

RepeaterWindow::RepeaterWindow(const QString &text, const QString &fileName, QWidget *parent)
    : QWidget(parent)
    , m_chinese(Language::isChinese())
    , m_text(text)
{
    setObjectName(QStringLiteral("frm_repeaters"));
    setWindowTitle(Caption.text(m_chinese) + QStringLiteral(" - ") + fileName);
    m_header = RepeaterList::headerOf(text);
    const RepeaterList::Mapping guessed = RepeaterList::guess(m_header);

    m_layout = new QLabel(guessed.layout.isEmpty() ? NotRecognised.text(m_chinese)
                                                   : Recognised.text(m_chinese).arg(guessed.layout),
                          this);
    m_layout->setObjectName(QStringLiteral("Label_layout"));

    auto *columns = new QGroupBox(Columns.text(m_chinese), this);
    auto *grid = new QGridLayout(columns);
    constexpr int PerRow = 4;
    for (int f = 0; f < RepeaterList::FieldCount; ++f) {
        const auto field = RepeaterList::Field(f);
        auto *label = new QLabel(RepeaterList::fieldCaption(field).text(m_chinese), columns);
        auto *box = new QComboBox(columns);
        box->setObjectName(QStringLiteral("Combo_") + RepeaterList::fieldKey(field));
        box->setAccessibleName(label->text());
        box->addItem(NoColumn.text(m_chinese), -1);
        for (int c = 0; c < m_header.size(); ++c)
            box->addItem(m_header.at(c), c);
        box->setCurrentIndex(guessed.column(field) + 1);
        label->setBuddy(box);
        grid->addWidget(label, f / PerRow, (f % PerRow) * 2);
        grid->addWidget(box, f / PerRow, (f % PerRow) * 2 + 1);
        m_fields << box;
        connect(box, qOverload<int>(&QComboBox::activated), this, &RepeaterWindow::refresh);
    }

    auto *sideBox = new QGroupBox(SideBox.text(m_chinese), this);
    auto *sideLayout = new QHBoxLayout(sideBox);
    m_side = new QButtonGroup(this);
    auto *repeater = new QRadioButton(RepeaterList::SideRepeater.text(m_chinese), sideBox);
    repeater->setObjectName(QStringLiteral("Option_side_repeater"));
    auto *radio = new QRadioButton(RepeaterList::SideRadio.text(m_chinese), sideBox);
    radio->setObjectName(QStringLiteral("Option_side_radio"));
    m_side->addButton(repeater, int(RepeaterList::Side::Repeater));
    m_side->addButton(radio, int(RepeaterList::Side::Radio));
    m_side->button(int(guessed.side))->setChecked(true);
    sideLayout->addWidget(repeater);
    sideLayout->addWidget(radio);
    connect(m_side, &QButtonGroup::idClicked, this, &RepeaterWindow::refresh);

    auto *nearBox = new QGroupBox(NearBox.text(m_chinese), this);
    auto *nearLayout = new QHBoxLayout(nearBox);
    auto *locationLabel = new QLabel(MyLocation.text(m_chinese), nearBox);
    m_location = new QLineEdit(nearBox);
    m_location->setObjectName(QStringLiteral("Text_location"));
    m_location->setPlaceholderText(LocationHint.text(m_chinese));
    m_location->setAccessibleName(MyLocation.text(m_chinese));
    locationLabel->setBuddy(m_location);
    auto *radiusLabel = new QLabel(Radius.text(m_chinese), nearBox);
    m_radius = new QLineEdit(nearBox);
    m_radius->setObjectName(QStringLiteral("Text_radius"));
    m_radius->setAccessibleName(Radius.text(m_chinese));
    m_radius->setMaximumWidth(80);
    radiusLabel->setBuddy(m_radius);
    auto *apply = new QPushButton(Apply.text(m_chinese), nearBox);
    apply->setObjectName(QStringLiteral("Command_apply"));
    nearLayout->addWidget(locationLabel);
    nearLayout->addWidget(m_location, 1);
    nearLayout->addWidget(radiusLabel);
    nearLayout->addWidget(m_radius);
    nearLayout->addWidget(apply);
    connect(m_location, &QLineEdit::returnPressed, this, &RepeaterWindow::refresh);
    connect(m_radius, &QLineEdit::returnPressed, this, &RepeaterWindow::refresh);
    connect(apply, &QPushButton::clicked, this, &RepeaterWindow::refresh);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("Label_problem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b02020"));
    m_problem->hide();

    m_panel = new MergePanel(StepLabel(Step.text(false).arg(fileName), Step.text(true).arg(fileName)), this);
    connect(m_panel, &MergePanel::merged, this, [this](const QStringList &report) {
        MergeActions::tellMerged(this, report);
        MergeActions::closeHost(this);
    });
    auto *closeButton = new QPushButton(CloseCaption.text(m_chinese), this);
    closeButton->setObjectName(QStringLiteral("Command_close"));
    connect(closeButton, &QPushButton::clicked, this, [this] { MergeActions::closeHost(this); });

    auto *options = new QHBoxLayout;
    options->addWidget(sideBox);
    options->addWidget(nearBox, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_layout);
    layout->addWidget(columns);
    layout->addLayout(options);
    layout->addWidget(m_problem);
    layout->addWidget(m_panel, 1);
    layout->addLayout(buttons);
    refresh();
}

QRect RepeaterWindow::placement(const QSize &mainWindow, const QSize &clientArea)
{
    // As tall as the frame allows: the columns and the choices come before the rows.
    return EditorWindow::placement(mainWindow, clientArea, 1.05, 1.0);
}

RepeaterList::Mapping RepeaterWindow::mapping() const
{
    RepeaterList::Mapping m;
    for (int f = 0; f < RepeaterList::FieldCount; ++f)
        m.set(RepeaterList::Field(f), m_fields.at(f)->currentData().toInt());
    m.side = RepeaterList::Side(m_side->checkedId());
    return m;
}

void RepeaterWindow::refresh()
{
    auto fail = [this](const QString &problem) {
        m_problem->setText(problem);
        m_problem->show();
        m_panel->clear(QString());
    };
    const RepeaterList::Mapping m = mapping();
    const RepeaterList::Parsed parsed = RepeaterList::read(m_text, m);
    if (!parsed.ok)
        return fail(parsed.error.text(m_chinese));
    RepeaterList::Near near;
    const QString location = m_location->text().trimmed();
    if (!location.isEmpty()) {
        near.from = RepeaterList::parseLocation(location);
        if (!near.from)
            return fail(BadLocation.text(m_chinese).arg(location));
    }
    const QString radius = m_radius->text().trimmed();
    if (!radius.isEmpty()) {
        bool ok = false;
        near.radiusKm = radius.toDouble(&ok);
        if (!ok || near.radiusKm < 0)
            return fail(BadRadius.text(m_chinese).arg(radius));
    }
    m_problem->hide();
    m_panel->setRows(RepeaterList::rows(parsed.entries, m.side, near), bool(near.from));
}
