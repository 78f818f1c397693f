#include "shell/fleetwindow.h"

#include "config/configtext.h"
#include "files/atomicwrite.h"
#include "files/datafile.h"
#include "files/numberstream.h"
#include "fleet/fleetkeys.h"
#include "image/bandlimits.h"
#include "image/document.h"
#include "link/portchoice.h"
#include "link/portreport.h"
#include "platform/messagebox.h"
#include "platform/portnames.h"
#include "platform/portstate.h"
#include "shell/filemenudialog.h"
#include "shell/imageinitialisation.h"
#include "texts/commontexts.h"
#include "texts/language.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr BiText Caption{"Program Several Radios", "批量写频"};
constexpr BiText TemplateFrame{"Template", "模板"};
constexpr BiText TemplateDocument{"The document as it stands when the job starts", "开始时的当前数据"};
constexpr BiText TemplateDataFile{"Data file %1", "数据文件 %1"};
constexpr BiText TemplateConfig{"Configuration text %1", "配置文本 %1"};
constexpr BiText UseDocument{"Use the document", "使用当前数据"};
constexpr BiText ChooseFile{"Choose file...", "选择文件..."};
constexpr BiText TemplateFiles{"Data files or configuration text", "数据文件或配置文本"};
constexpr BiText RadiosFrame{"Radios", "对讲机"};
constexpr BiText RadioColumn{"Radio number\n(empty: the next radio)", "对讲机编号\n（空：下一台）"};
constexpr BiText StateColumn{"State", "状态"};
constexpr BiText CheckColumn{"Check", "检查"};
constexpr BiText AddRow{"Add row", "添加行"};
constexpr BiText RemoveRow{"Remove row", "删除行"};
constexpr BiText AddColumn{"Add column", "添加列"};
constexpr BiText RemoveColumn{"Remove column", "删除列"};
constexpr BiText LoadRadios{"Load radios CSV...", "载入对讲机 CSV..."};
constexpr BiText SaveRadios{"Save radios CSV...", "保存对讲机 CSV..."};
constexpr BiText CsvFiles{"CSV", "CSV"};
constexpr BiText AddColumnLabel{"Configuration key (or a path such as channels.5.name):",
                                "配置键（或路径，例如 channels.5.name）："};
constexpr BiText KeyProblem{"%1: %2", "%1：%2"};
constexpr BiText KeyThere{"is a column already", "已有此列"};
constexpr BiText FaultsBelow{"%1 fault(s): a bad row keeps the job from starting.", "%1 处错误：有错误的行会阻止开始。"};
constexpr BiText HeaderFault{"Header: %1", "表头：%1"};
constexpr BiText RowFault{"Row %1: %2", "第 %1 行：%2"};
constexpr BiText PortsFrame{"Ports", "端口"};
constexpr BiText PortColumn{"Port", "端口"};
constexpr BiText DeviceColumn{"Device", "设备"};
constexpr BiText ProbeColumn{"Who answers", "应答"};
constexpr BiText Probing{"asking...", "询问中..."};
constexpr BiText NoPorts{"No port opens.", "没有可以打开的端口。"};
constexpr BiText HowFrame{"How", "方式"};
constexpr BiText HowChanged{"Changed only, with read-back", "只写改动并回读校验"};
constexpr BiText HowQuick{"Quick, where a baseline exists", "快速写入（有基准时）"};
constexpr BiText HowWhole{"Whole write and verify", "全部写入并校验"};
constexpr BiText Start{"Start", "开始"};
constexpr BiText Stop{"Stop", "停止"};
constexpr BiText SaveLog{"Save log...", "保存日志..."};
constexpr BiText Close{"Close", "关闭"};
constexpr BiText StationPort{"Port", "端口"};
constexpr BiText StationState{"State", "状态"};
constexpr BiText StationProgress{"Progress", "进度"};
constexpr BiText StationRadio{"Radio", "对讲机"};
constexpr BiText StationRow{"Row", "行"};
constexpr BiText RowOfTable{"row %1 (line %2)", "第 %1 行（文件第 %2 行）"};
constexpr BiText LogHeaders{"Time (UTC)|Port|Radio|Model|Firmware|Line|Result|Frames|Seconds",
                            "时间 (UTC)|端口|对讲机|型号|固件|行|结果|帧数|秒"};
constexpr BiText LogFiles{"Log", "日志"};

constexpr BiText Waiting{"waiting for a radio", "等待对讲机"};
constexpr BiText Identifying{"identifying", "识别中"};
constexpr BiText Reading{"reading %1/%2", "读取 %1/%2"};
constexpr BiText Writing{"writing %1/%2", "写入 %1/%2"};
constexpr BiText Checking{"checking %1/%2", "校验 %1/%2"};
constexpr BiText Done{"done; unplug to continue", "完成；拔下对讲机以继续"};
constexpr BiText Failed{"failed: %1; unplug to continue", "失败：%1；拔下对讲机以继续"};
constexpr BiText Skipped{"%1; unplug to continue", "%1；拔下对讲机以继续"};
constexpr BiText Stopped{"stopped", "已停止"};

constexpr BiText RowPending{"pending", "待写"};
constexpr BiText RowInProgress{"in progress", "写入中"};
constexpr BiText RowDone{"done", "完成"};
constexpr BiText RowFailed{"failed; free for the next radio", "失败；可由下一台重试"};

constexpr BiText NoRows{"Add a row for each radio first.", "请先为每台对讲机添加一行。"};
constexpr BiText NoPortChecked{"Choose at least one port.", "请至少选择一个端口。"};
constexpr BiText TableFaults{"The radios table has faults, so nothing was written to any radio:\n%1",
                             "对讲机表中有错误，因此未向任何对讲机写入数据：\n%1"};
constexpr BiText Running{"%1 of %2 rows done", "已完成 %1 / %2 行"};
constexpr BiText Finished{"Finished: %1 of %2 rows done, %3 failed.", "结束：已完成 %1 / %2 行，失败 %3 台。"};
constexpr BiText StoppedJob{"Stopped: %1 of %2 rows done, %3 failed.", "已停止：已完成 %1 / %2 行，失败 %3 台。"};
constexpr BiText StopAsked{"Stopping once the frame in flight is acknowledged...", "正在停止（等待当前帧应答）..."};
constexpr BiText CloseQuestion{"A job is running. Stop every port once its frame in flight is acknowledged, then close the window?",
                               "批量写频正在进行。是否在各端口当前帧应答后停止并关闭窗口？"};
constexpr BiText FileNotRead{"%1 could not be read: %2", "无法读取 %1：%2"};
constexpr BiText RadiosNotRead{"%1 is not a radios file: %2", "%1 不是对讲机文件：%2"};

const QColor InProgressColour(255, 243, 176);
const QColor DoneColour(200, 240, 200);
const QColor FailedColour(245, 198, 198);

// Far above any fleet; keeps a wrong pick from filling memory.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
// How long the port list rests between two surveys.
constexpr int RefreshMs = 3000;

QStringList split(const BiText &text, bool chinese)
{
    return text.text(chinese).split(QLatin1Char('|'));
}

QTableWidget *makeTable(QWidget *parent, const char *name, const BiText &accessible, bool chinese)
{
    auto *table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setAccessibleName(accessible.text(chinese));
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

QTableWidgetItem *readOnly(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QPushButton *button(QWidget *parent, const char *name, const BiText &text, bool chinese)
{
    auto *b = new QPushButton(text.text(chinese), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QString portName(const PortState::Port &port)
{
    return port.number > 0 ? QStringLiteral("COM%1").arg(port.number) : port.device;
}

} // namespace

FleetWindow::FleetWindow(QWidget *parent)
    : QWidget(parent)
    , m_chinese(Language::isChinese())
{
    setObjectName(QStringLiteral("frm_fleet"));
    setWindowTitle(Caption.text(m_chinese));
    m_table.keys = FleetKeys::defaultKeys();
    m_table.rows << QStringList(m_table.keys.size() + 1, QString());
    buildLayout();
    rebuildRadios();
    showTemplate();
    recheck();

    connect(&m_probe, &PortProbe::finished, this, &FleetWindow::portProbed);
    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &FleetWindow::refreshPorts);
    // The first survey opens every port; it waits until the window is up.
    m_refresh.start(0);
}

FleetWindow::~FleetWindow()
{
    m_refresh.stop();
    m_probe.stop();
    for (auto &s : m_stations)
        s->disconnect(this);
}

QRect FleetWindow::placement(const QSize &clientArea)
{
    const QSize size = QSize(1240, 700).boundedTo(clientArea);
    return QRect(QPoint(std::max(0, (clientArea.width() - size.width()) / 2), std::max(0, (clientArea.height() - size.height()) / 2)),
                 size);
}

void FleetWindow::buildLayout()
{
    const bool zh = m_chinese;

    auto *templateBox = new QGroupBox(TemplateFrame.text(zh), this);
    m_templateLabel = new QLabel(templateBox);
    m_templateLabel->setObjectName(QStringLiteral("Label_template"));
    m_templateLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_useDocument = button(templateBox, "Command_template_document", UseDocument, zh);
    m_chooseFile = button(templateBox, "Command_template_file", ChooseFile, zh);
    auto *templateRow = new QHBoxLayout(templateBox);
    templateRow->addWidget(m_templateLabel, 1);
    templateRow->addWidget(m_useDocument);
    templateRow->addWidget(m_chooseFile);
    connect(m_useDocument, &QPushButton::clicked, this, &FleetWindow::useDocument);
    connect(m_chooseFile, &QPushButton::clicked, this, &FleetWindow::chooseTemplate);

    auto *howBox = new QGroupBox(HowFrame.text(zh), this);
    m_changed = new QRadioButton(HowChanged.text(zh), howBox);
    m_changed->setObjectName(QStringLiteral("Option_changed"));
    m_quick = new QRadioButton(HowQuick.text(zh), howBox);
    m_quick->setObjectName(QStringLiteral("Option_quick"));
    m_whole = new QRadioButton(HowWhole.text(zh), howBox);
    m_whole->setObjectName(QStringLiteral("Option_whole"));
    m_changed->setChecked(true);
    auto *howRow = new QHBoxLayout(howBox);
    howRow->addWidget(m_changed);
    howRow->addWidget(m_quick);
    howRow->addWidget(m_whole);
    howRow->addStretch(1);

    auto *radiosBox = new QGroupBox(RadiosFrame.text(zh), this);
    m_radios = makeTable(radiosBox, "MSF_radios", RadiosFrame, zh);
    m_radios->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_radios->horizontalHeader()->setStretchLastSection(true);
    connect(m_radios, &QTableWidget::cellChanged, this, &FleetWindow::radioCellEdited);
    m_faultLine = new QLabel(radiosBox);
    m_faultLine->setObjectName(QStringLiteral("Label_faults"));
    m_faultLine->setWordWrap(true);
    m_faultLine->setStyleSheet(QStringLiteral("color: #a00000"));
    auto *tableButtons = new QVBoxLayout;
    const struct
    {
        const char *name;
        const BiText &text;
        void (FleetWindow::*slot)();
    } buttons[] = {{"Command_add_row", AddRow, &FleetWindow::addRow},
                   {"Command_remove_row", RemoveRow, &FleetWindow::removeRowClicked},
                   {"Command_add_column", AddColumn, &FleetWindow::addColumnClicked},
                   {"Command_remove_column", RemoveColumn, &FleetWindow::removeColumnClicked},
                   {"Command_load_radios", LoadRadios, &FleetWindow::loadRadiosClicked},
                   {"Command_save_radios", SaveRadios, &FleetWindow::saveRadiosClicked}};
    for (const auto &b : buttons) {
        QPushButton *pb = button(radiosBox, b.name, b.text, zh);
        connect(pb, &QPushButton::clicked, this, b.slot);
        tableButtons->addWidget(pb);
        m_tableButtons << pb;
    }
    tableButtons->addStretch(1);
    auto *radiosGrid = new QGridLayout(radiosBox);
    radiosGrid->addWidget(m_radios, 0, 0);
    radiosGrid->addLayout(tableButtons, 0, 1);
    radiosGrid->addWidget(m_faultLine, 1, 0, 1, 2);
    radiosGrid->setRowStretch(0, 1);

    auto *portsBox = new QGroupBox(PortsFrame.text(zh), this);
    m_ports = makeTable(portsBox, "MSF_ports", PortsFrame, zh);
    m_ports->setColumnCount(3);
    m_ports->setHorizontalHeaderLabels({PortColumn.text(zh), DeviceColumn.text(zh), ProbeColumn.text(zh)});
    m_ports->horizontalHeader()->setStretchLastSection(true);
    m_ports->verticalHeader()->hide();
    m_ports->setSelectionMode(QAbstractItemView::NoSelection);
    auto *portsLayout = new QVBoxLayout(portsBox);
    portsLayout->addWidget(m_ports);

    m_start = button(this, "Command_start", Start, zh);
    m_stop = button(this, "Command_stop", Stop, zh);
    m_stop->setEnabled(false);
    m_saveLog = button(this, "Command_save_log", SaveLog, zh);
    m_close = button(this, "Command_close", Close, zh);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_status"));
    connect(m_start, &QPushButton::clicked, this, [this] { start(); });
    connect(m_stop, &QPushButton::clicked, this, &FleetWindow::stop);
    connect(m_saveLog, &QPushButton::clicked, this, &FleetWindow::saveLogClicked);
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->close();
        else
            close();
    });

    m_stationRows = makeTable(this, "MSF_stations", PortsFrame, zh);
    m_stationRows->setColumnCount(5);
    m_stationRows->setHorizontalHeaderLabels({StationPort.text(zh), StationState.text(zh), StationProgress.text(zh),
                                              StationRadio.text(zh), StationRow.text(zh)});
    m_stationRows->verticalHeader()->hide();
    m_stationRows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_stationRows->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    m_log = makeTable(this, "MSF_log", LogFiles, zh);
    const QStringList logHeaders = split(LogHeaders, zh);
    m_log->setColumnCount(logHeaders.size());
    m_log->setHorizontalHeaderLabels(logHeaders);
    m_log->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_log->verticalHeader()->hide();
    m_log->horizontalHeader()->setStretchLastSection(true);

    auto *top = new QHBoxLayout;
    top->addWidget(templateBox, 3);
    top->addWidget(howBox, 2);
    auto *middle = new QSplitter(Qt::Horizontal, this);
    middle->addWidget(radiosBox);
    middle->addWidget(portsBox);
    middle->setStretchFactor(0, 3);
    middle->setStretchFactor(1, 2);
    middle->setChildrenCollapsible(false);
    auto *bottom = new QSplitter(Qt::Horizontal, this);
    bottom->addWidget(m_stationRows);
    bottom->addWidget(m_log);
    bottom->setStretchFactor(0, 1);
    bottom->setStretchFactor(1, 1);
    bottom->setChildrenCollapsible(false);
    auto *commands = new QHBoxLayout;
    commands->addWidget(m_start);
    commands->addWidget(m_stop);
    commands->addWidget(m_status, 1);
    commands->addWidget(m_saveLog);
    commands->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(middle, 3);
    layout->addLayout(commands);
    layout->addWidget(bottom, 2);
}

// ---- template ----

void FleetWindow::showTemplate()
{
    const QString name = QFileInfo(m_templatePath).fileName();
    switch (m_template) {
    case Template::Document: m_templateLabel->setText(TemplateDocument.text(m_chinese)); break;
    case Template::DataFile: m_templateLabel->setText(TemplateDataFile.text(m_chinese).arg(name)); break;
    case Template::ConfigText: m_templateLabel->setText(TemplateConfig.text(m_chinese).arg(name)); break;
    }
    m_templateLabel->setToolTip(m_templatePath);
}

void FleetWindow::useDocument()
{
    m_template = Template::Document;
    m_templatePath.clear();
    m_fileTemplate.reset();
    showTemplate();
    recheck();
}

bool FleetWindow::useFile(const QString &path)
{
    auto image = std::make_unique<MemoryImage>();
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool config = suffix == QLatin1String("yaml") || suffix == QLatin1String("yml");
    if (config) {
        QByteArray bytes;
        const FileResult read = readWholeFile(path, MaxFileBytes, bytes);
        if (!read.ok) {
            MessageBox::show(this, CommonText::PromptTitle.text(), read.message());
            return false;
        }
        // Keys the text leaves out come from the start-up image, as import-config does.
        initialiseMemoryImage(*image);
        const ConfigText::ImportResult imported
            = ConfigText::importInto(bytes, *image, BandLimits::current(), QFileInfo(path).fileName());
        if (!imported.ok) {
            MessageBox::show(this, CommonText::PromptTitle.text(), imported.errorMessage());
            return false;
        }
    } else {
        const FileResult loaded = DataFile::load(*image, path);
        if (!loaded.ok) {
            MessageBox::show(this, CommonText::PromptTitle.text(),
                             FileNotRead.text().arg(QFileInfo(path).fileName(), loaded.message()));
            return false;
        }
    }
    m_fileTemplate = std::move(image);
    m_template = config ? Template::ConfigText : Template::DataFile;
    m_templatePath = path;
    showTemplate();
    recheck();
    return true;
}

void FleetWindow::chooseTemplate()
{
    FileMenuDialog::Ask ask;
    ask.entry = ChooseFile;
    ask.filterName = TemplateFiles;
    ask.patterns = QStringLiteral("*.dat *.yaml *.yml");
    const QString path = FileMenuDialog::choose(this, ask);
    if (!path.isEmpty())
        useFile(path);
}

bool FleetWindow::templateImage(MemoryImage &image, QString &error) const
{
    if (m_template == Template::Document) {
        image = Document::instance().image();
        return true;
    }
    if (!m_fileTemplate) {
        error = m_templatePath;
        return false;
    }
    image = *m_fileTemplate;
    return true;
}

// ---- radios ----

void FleetWindow::rebuildRadios()
{
    m_filling = true;
    const int keys = m_table.keys.size();
    m_radios->clear();
    m_radios->setColumnCount(keys + 3);
    m_radios->setRowCount(m_table.rows.size());
    QStringList headers{RadioColumn.text(m_chinese)};
    for (const QString &key : m_table.keys) {
        const QString caption = FleetKeys::caption(key, m_chinese);
        headers << (caption.isEmpty() ? key : caption + QLatin1Char('\n') + key);
    }
    headers << StateColumn.text(m_chinese) << CheckColumn.text(m_chinese);
    m_radios->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < m_table.rows.size(); ++r) {
        const QStringList &cells = m_table.rows.at(r);
        for (int c = 0; c <= keys; ++c)
            m_radios->setItem(r, c, new QTableWidgetItem(cells.value(c)));
        m_radios->setItem(r, keys + 1, readOnly(QString()));
        m_radios->setItem(r, keys + 2, readOnly(QString()));
    }
    m_radios->resizeColumnsToContents();
    for (int c = 0; c <= keys; ++c)
        m_radios->setColumnWidth(c, std::clamp(m_radios->columnWidth(c), 70, 200));
    m_filling = false;
}

void FleetWindow::radioCellEdited(int row, int column)
{
    if (m_filling || column > m_table.keys.size() || row >= m_table.rows.size())
        return;
    QTableWidgetItem *item = m_radios->item(row, column);
    QString text = item ? item->text() : QString();
    // No key takes a line end, and the file would break at one.
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (column == RadiosTable::RadioColumn)
        text = text.trimmed();
    m_table.rows[row][column] = text;
    if (item && item->text() != text) {
        m_filling = true;
        item->setText(text);
        m_filling = false;
    }
    recheck();
}

void FleetWindow::recheck()
{
    MemoryImage image;
    QString error;
    m_faults.clear();
    if (templateImage(image, error))
        m_faults = m_table.check(image);
    showFaults();
}

void FleetWindow::showFaults()
{
    m_filling = true;
    const int keys = m_table.keys.size();
    QVector<QStringList> rowTexts(m_table.rows.size());
    QStringList lines;
    for (int r = 0; r < m_radios->rowCount(); ++r) {
        for (int c = 0; c <= keys; ++c) {
            if (QTableWidgetItem *item = m_radios->item(r, c)) {
                item->setBackground(QBrush());
                item->setToolTip(QString());
            }
        }
    }
    for (const RadiosTable::Fault &f : m_faults) {
        const QString where = f.column > 0 ? f.column - 1 < keys ? FleetKeys::label(m_table.keys.at(f.column - 1), m_chinese)
                                                                 : QString()
                              : QString();
        const QString text = where.isEmpty() || f.row < 0 ? f.text : KeyProblem.text(m_chinese).arg(where, f.text);
        if (f.row < 0) {
            lines << HeaderFault.text(m_chinese).arg(f.text);
            continue;
        }
        lines << RowFault.text(m_chinese).arg(f.row + 1).arg(text);
        rowTexts[f.row] << text;
        if (f.column >= 0) {
            if (QTableWidgetItem *item = m_radios->item(f.row, f.column)) {
                item->setBackground(FailedColour);
                item->setToolTip(f.text);
            }
        }
    }
    for (int r = 0; r < rowTexts.size(); ++r) {
        if (QTableWidgetItem *item = m_radios->item(r, keys + 2)) {
            item->setText(rowTexts.at(r).join(QStringLiteral("; ")));
            item->setForeground(QColor(0xa0, 0, 0));
        }
    }
    m_faultLine->setText(lines.isEmpty() ? QString()
                                         : FaultsBelow.text(m_chinese).arg(lines.size()) + QLatin1Char('\n')
                                               + lines.mid(0, 4).join(QLatin1Char('\n')));
    m_faultLine->setVisible(!lines.isEmpty());
    m_filling = false;
}

bool FleetWindow::addColumn(const QString &path)
{
    const QString key = path.trimmed();
    QString problem = ConfigText::keyPathProblem(key);
    if (problem.isEmpty() && m_table.keys.contains(key))
        problem = KeyThere.text();
    if (!problem.isEmpty()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), KeyProblem.text().arg(key, problem));
        return false;
    }
    m_table.keys << key;
    for (QStringList &row : m_table.rows)
        row << QString();
    rebuildRadios();
    recheck();
    return true;
}

void FleetWindow::addColumnClicked()
{
    QStringList items;
    const QStringList keys = FleetKeys::offeredKeys();
    for (const QString &k : keys) {
        if (!m_table.keys.contains(k))
            items << FleetKeys::label(k, m_chinese);
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(this, AddColumn.text(m_chinese), AddColumnLabel.text(m_chinese), items, 0,
                                                 true, &ok);
    if (!ok || chosen.trimmed().isEmpty())
        return;
    // A label ends in its key; a typed path is the key itself.
    const QString text = chosen.trimmed();
    const int gap = text.lastIndexOf(QStringLiteral("  "));
    addColumn(gap >= 0 ? text.mid(gap + 2) : text);
}

void FleetWindow::removeColumnClicked()
{
    const int column = m_radios->currentColumn();
    if (column < 1 || column > m_table.keys.size())
        return;
    m_table.keys.removeAt(column - 1);
    for (QStringList &row : m_table.rows)
        row.removeAt(column);
    rebuildRadios();
    recheck();
}

void FleetWindow::addRow()
{
    m_table.rows << QStringList(m_table.keys.size() + 1, QString());
    rebuildRadios();
    recheck();
    m_radios->setCurrentCell(m_table.rows.size() - 1, 0);
}

void FleetWindow::removeRowClicked()
{
    const int row = m_radios->currentRow();
    if (row < 0 || row >= m_table.rows.size())
        return;
    m_table.rows.removeAt(row);
    rebuildRadios();
    recheck();
}

bool FleetWindow::loadRadios(const QString &path)
{
    QByteArray bytes;
    const FileResult read = readWholeFile(path, MaxFileBytes, bytes);
    if (!read.ok) {
        MessageBox::show(this, CommonText::PromptTitle.text(), read.message());
        return false;
    }
    RadiosTable table;
    QString error;
    if (!RadiosTable::read(bytes, table, error)) {
        MessageBox::show(this, CommonText::PromptTitle.text(), RadiosNotRead.text().arg(QFileInfo(path).fileName(), error));
        return false;
    }
    m_table = table;
    rebuildRadios();
    recheck();
    return true;
}

bool FleetWindow::saveRadios(const QString &path)
{
    const FileResult written = writeFileReplacing(path, m_table.toCsv());
    if (!written.ok) {
        MessageBox::show(this, CommonText::PromptTitle.text(), written.message());
        return false;
    }
    return true;
}

void FleetWindow::loadRadiosClicked()
{
    FileMenuDialog::Ask ask;
    ask.entry = LoadRadios;
    ask.filterName = CsvFiles;
    ask.patterns = QStringLiteral("*.csv");
    const QString path = FileMenuDialog::choose(this, ask);
    if (!path.isEmpty())
        loadRadios(path);
}

void FleetWindow::saveRadiosClicked()
{
    FileMenuDialog::Ask ask;
    ask.entry = SaveRadios;
    ask.filterName = CsvFiles;
    ask.patterns = QStringLiteral("*.csv");
    ask.start = QStringLiteral("RADIOS.csv");
    ask.save = true;
    const QString path = FileMenuDialog::choose(this, ask);
    if (!path.isEmpty())
        saveRadios(path);
}

// ---- ports ----

void FleetWindow::setPorts(const QStringList &ports)
{
    m_fixedPorts = true;
    m_refresh.stop();
    m_probe.stop();
    m_probing = -1;
    showPortRows(ports, QStringList());
}

void FleetWindow::showPortRows(const QStringList &ports, const QStringList &texts)
{
    const QStringList checked = checkedPorts();
    m_ports->setRowCount(ports.size());
    for (int i = 0; i < ports.size(); ++i) {
        const QString &name = ports.at(i);
        auto *item = readOnly(name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(checked.contains(name) ? Qt::Checked : Qt::Unchecked);
        m_ports->setItem(i, 0, item);
        PortChoice choice;
        PortChoice::parse(name, choice);
        m_ports->setItem(i, 1, readOnly(choice.device.isEmpty() ? PortNames::devicePath(choice.number) : choice.device));
        m_ports->setItem(i, 2, readOnly(texts.value(i)));
        m_ports->item(i, 2)->setToolTip(texts.value(i));
    }
    m_ports->resizeColumnToContents(0);
    m_ports->resizeColumnToContents(1);
}

QStringList FleetWindow::checkedPorts() const
{
    QStringList ports;
    for (int i = 0; i < m_ports->rowCount(); ++i) {
        const QTableWidgetItem *item = m_ports->item(i, 0);
        if (item && item->checkState() == Qt::Checked)
            ports << item->text();
    }
    return ports;
}

void FleetWindow::setPortChecked(const QString &port, bool checked)
{
    for (int i = 0; i < m_ports->rowCount(); ++i) {
        if (QTableWidgetItem *item = m_ports->item(i, 0); item && item->text() == port)
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void FleetWindow::refreshPorts()
{
    if (m_fixedPorts || isRunning() || m_probing >= 0)
        return;
    QStringList names;
    QStringList devices;
    QStringList hardware;
    for (PortState::Port port : PortState::survey()) {
        PortState::tryOpen(port);
        if (port.state != PortState::State::Opens)
            continue;
        names << portName(port);
        devices << port.device;
        hardware << PortReport::hardware(port, m_chinese);
    }
    // What the last survey said stays until the probe has answered again.
    QStringList texts;
    for (const QString &name : names) {
        const int before = m_surveyed.indexOf(name);
        texts << (before >= 0 ? m_surveyTexts.value(before) : Probing.text(m_chinese));
    }
    m_surveyed = names;
    m_surveyTexts = texts;
    showPortRows(names, texts);
    for (int i = 0; i < names.size(); ++i) {
        const QString shown = hardware.at(i).isEmpty() ? devices.at(i) : devices.at(i) + QStringLiteral("  ") + hardware.at(i);
        m_ports->setItem(i, 1, readOnly(shown));
    }
    m_ports->resizeColumnToContents(1);
    if (names.isEmpty())
        m_status->setText(NoPorts.text(m_chinese));
    else if (m_status->text() == NoPorts.text(m_chinese))
        m_status->clear();
    m_probing = 0;
    probeNext();
}

void FleetWindow::probeNext()
{
    if (isRunning() || m_fixedPorts || m_probing < 0 || m_probing >= m_surveyed.size()) {
        m_probing = -1;
        if (!isRunning() && !m_fixedPorts)
            m_refresh.start(RefreshMs);
        return;
    }
    PortChoice choice;
    PortChoice::parse(m_surveyed.at(m_probing), choice);
    const QString device = choice.device.isEmpty() ? PortState::inspect(choice.number).device : choice.device;
    m_probe.start(device);
}

void FleetWindow::portProbed(const PortProbe::Outcome &outcome)
{
    if (m_probing < 0 || m_probing >= m_surveyed.size())
        return;
    m_surveyTexts[m_probing] = outcome.text(m_chinese);
    if (QTableWidgetItem *item = m_ports->item(m_probing, 2)) {
        item->setText(m_surveyTexts.at(m_probing));
        item->setToolTip(m_surveyTexts.at(m_probing));
    }
    ++m_probing;
    // The next probe starts once this one's engine has let its port go.
    QTimer::singleShot(0, this, &FleetWindow::probeNext);
}

// ---- the job ----

void FleetWindow::setHow(How how)
{
    (how == How::Whole ? m_whole : how == How::Quick ? m_quick : m_changed)->setChecked(true);
}

FleetWindow::How FleetWindow::how() const
{
    return m_whole->isChecked() ? How::Whole : m_quick->isChecked() ? How::Quick : How::ChangedOnly;
}

void FleetWindow::setEditable(bool editable)
{
    m_radios->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                             | QAbstractItemView::AnyKeyPressed
                                       : QAbstractItemView::NoEditTriggers);
    for (QPushButton *b : m_tableButtons)
        b->setEnabled(editable);
    m_useDocument->setEnabled(editable);
    m_chooseFile->setEnabled(editable);
    m_ports->setEnabled(editable);
    m_changed->setEnabled(editable);
    m_quick->setEnabled(editable);
    m_whole->setEnabled(editable);
    m_start->setEnabled(editable);
    m_stop->setEnabled(!editable);
}

bool FleetWindow::start()
{
    if (isRunning())
        return false;
    recheck();
    if (!m_faults.isEmpty()) {
        QStringList lines;
        for (const RadiosTable::Fault &f : m_faults)
            lines << (f.row < 0 ? HeaderFault.text().arg(f.text) : RowFault.text().arg(f.row + 1).arg(f.text));
        MessageBox::show(this, CommonText::PromptTitle.text(), TableFaults.text().arg(lines.mid(0, 10).join(QLatin1Char('\n'))));
        return false;
    }
    m_tableRowOfPlanRow.clear();
    for (int r = 0; r < m_table.rows.size(); ++r) {
        if (!m_table.isBlank(r))
            m_tableRowOfPlanRow << r;
    }
    if (m_tableRowOfPlanRow.isEmpty()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), NoRows.text());
        return false;
    }
    const QStringList ports = checkedPorts();
    if (ports.isEmpty()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), NoPortChecked.text());
        return false;
    }
    // The job works from a copy of its own: an edit of the document meanwhile changes
    // nothing that is being written.
    auto frozen = std::make_unique<MemoryImage>();
    QString error;
    if (!templateImage(*frozen, error)) {
        MessageBox::show(this, CommonText::PromptTitle.text(), FileNotRead.text().arg(error, QString()));
        return false;
    }
    QStringList errors;
    if (!m_plan.load(m_table.toCsv(), QStringLiteral("radios"), *frozen, errors)) {
        MessageBox::show(this, CommonText::PromptTitle.text(), TableFaults.text().arg(errors.mid(0, 10).join(QLatin1Char('\n'))));
        return false;
    }
    m_jobTemplate = std::move(frozen);
    m_refresh.stop();
    m_probe.stop();
    m_probing = -1;
    m_stopping = false;
    m_reports.clear();
    m_log->setRowCount(0);
    m_planRowFailed = QVector<bool>(m_plan.rowCount(), false);

    const bool whole = how() == How::Whole;
    m_stationRows->setRowCount(ports.size());
    for (int i = 0; i < ports.size(); ++i) {
        PortChoice choice;
        PortChoice::parse(ports.at(i), choice);
        m_stations.push_back(std::make_unique<FleetStation>(choice, m_plan, whole));
        FleetStation *station = m_stations.back().get();
        station->setQuick(how() == How::Quick);
        connect(station, &FleetStation::stateChanged, this, [this, i] { stationChanged(i); });
        connect(station, &FleetStation::radioFinished, this, [this, i](const FleetReport &r) { radioFinished(i, r); });
        connect(station, &FleetStation::stopped, this, &FleetWindow::stationStopped);
        m_stationRows->setItem(i, 0, readOnly(ports.at(i)));
        m_stationRows->setItem(i, 1, readOnly(QString()));
        auto *bar = new QProgressBar(m_stationRows);
        bar->setRange(0, 100);
        bar->setValue(0);
        m_stationRows->setCellWidget(i, 2, bar);
        m_stationRows->setItem(i, 3, readOnly(QString()));
        m_stationRows->setItem(i, 4, readOnly(QString()));
    }
    m_stationRows->resizeColumnToContents(0);
    setEditable(false);
    for (int k = 0; k < m_plan.rowCount(); ++k)
        showRowState(k);
    m_status->setText(Running.text(m_chinese).arg(0).arg(m_plan.rowCount()));
    for (auto &s : m_stations)
        s->start();
    return true;
}

void FleetWindow::stop()
{
    if (!isRunning() || m_stopping)
        return;
    m_stopping = true;
    m_stop->setEnabled(false);
    m_status->setText(StopAsked.text(m_chinese));
    // Copies: a station that stops at once may end the job before the loop does.
    std::vector<FleetStation *> stations;
    for (auto &s : m_stations)
        stations.push_back(s.get());
    for (FleetStation *s : stations)
        s->stopAfterFrame();
}

void FleetWindow::stationChanged(int index)
{
    if (index >= int(m_stations.size()))
        return;
    const FleetStation &s = *m_stations.at(size_t(index));
    QString text;
    int percent = 0;
    const int done = s.progressDone();
    const int total = std::max(1, s.progressTotal());
    bool active = true;
    switch (s.state()) {
    case FleetStation::State::Idle:
    case FleetStation::State::Waiting: text = Waiting.text(m_chinese); active = false; break;
    case FleetStation::State::Identifying: text = Identifying.text(m_chinese); break;
    case FleetStation::State::Reading:
        text = Reading.text(m_chinese).arg(done).arg(s.progressTotal());
        percent = done * 100 / total;
        break;
    case FleetStation::State::Writing:
        text = Writing.text(m_chinese).arg(done).arg(s.progressTotal());
        percent = done * 100 / total;
        break;
    case FleetStation::State::Checking:
        text = Checking.text(m_chinese).arg(done).arg(s.progressTotal());
        percent = done * 100 / total;
        break;
    case FleetStation::State::Done: text = Done.text(m_chinese); percent = 100; break;
    case FleetStation::State::Failed: text = Failed.text(m_chinese).arg(s.lastReport().detail); break;
    case FleetStation::State::Skipped: text = Skipped.text(m_chinese).arg(s.lastReport().detail); break;
    case FleetStation::State::Stopped: text = Stopped.text(m_chinese); active = false; break;
    }
    m_stationRows->item(index, 1)->setText(text);
    m_stationRows->item(index, 1)->setToolTip(text);
    if (auto *bar = qobject_cast<QProgressBar *>(m_stationRows->cellWidget(index, 2)))
        bar->setValue(percent);
    const int row = s.currentRow();
    const bool showRow = active && row >= 0 && s.state() != FleetStation::State::Skipped;
    m_stationRows->item(index, 3)->setText(active ? s.radio().numberText() : QString());
    m_stationRows->item(index, 3)->setToolTip(m_stationRows->item(index, 3)->text());
    m_stationRows->item(index, 4)->setText(showRow ? RowOfTable.text(m_chinese)
                                                         .arg(m_tableRowOfPlanRow.value(row) + 1)
                                                         .arg(m_plan.row(row).line)
                                                   : QString());
    const QColor colour = s.state() == FleetStation::State::Done     ? DoneColour
                          : s.state() == FleetStation::State::Failed ? FailedColour
                          : showRow                                  ? InProgressColour
                                                                     : QColor();
    for (int c = 0; c < m_stationRows->columnCount(); ++c) {
        if (QTableWidgetItem *item = m_stationRows->item(index, c))
            item->setBackground(colour.isValid() ? QBrush(colour) : QBrush());
    }
    m_stationRows->resizeColumnToContents(3);
    m_stationRows->resizeColumnToContents(4);
    if (row >= 0 && row < m_plan.rowCount())
        showRowState(row);
}

void FleetWindow::showRowState(int planRow)
{
    const int tableRow = m_tableRowOfPlanRow.value(planRow, -1);
    if (tableRow < 0 || tableRow >= m_radios->rowCount())
        return;
    const FleetPlan::Row &row = m_plan.row(planRow);
    QString text;
    QColor colour;
    switch (row.state) {
    case FleetPlan::RowState::Pending:
        text = (m_planRowFailed.value(planRow) ? RowFailed : RowPending).text(m_chinese);
        colour = m_planRowFailed.value(planRow) ? FailedColour : QColor();
        break;
    case FleetPlan::RowState::Taken: text = RowInProgress.text(m_chinese); colour = InProgressColour; break;
    case FleetPlan::RowState::Done: text = RowDone.text(m_chinese); colour = DoneColour; break;
    }
    m_filling = true;
    const int stateColumn = m_table.keys.size() + 1;
    if (QTableWidgetItem *item = m_radios->item(tableRow, stateColumn))
        item->setText(text);
    for (int c = 0; c <= stateColumn; ++c) {
        if (QTableWidgetItem *item = m_radios->item(tableRow, c))
            item->setBackground(colour.isValid() ? QBrush(colour) : QBrush());
    }
    m_radios->resizeColumnToContents(stateColumn);
    m_filling = false;
}

void FleetWindow::radioFinished(int index, const FleetReport &report)
{
    m_reports << report;
    const QStringList cells = report.logCells();
    const int at = m_log->rowCount();
    m_log->insertRow(at);
    for (int c = 0; c < cells.size(); ++c)
        m_log->setItem(at, c, readOnly(cells.at(c)));
    if (report.failed) {
        for (int c = 0; c < cells.size(); ++c)
            m_log->item(at, c)->setBackground(FailedColour);
    }
    m_log->item(at, 6)->setToolTip(report.detail);
    m_log->resizeColumnsToContents();
    m_log->scrollToBottom();
    for (int k = 0; k < m_plan.rowCount(); ++k) {
        if (report.line > 0 && m_plan.row(k).line == report.line) {
            m_planRowFailed[k] = report.failed;
            showRowState(k);
        }
    }
    stationChanged(index);
    // Someone at a bench full of cables looks up only when a radio needs them.
    if (report.line > 0)
        QApplication::beep();
    if (!m_stopping)
        m_status->setText(Running.text(m_chinese).arg(m_plan.doneCount()).arg(m_plan.rowCount()));
    emit radioDone(report);
    if (m_plan.allDone() && !m_stopping) {
        m_stopping = true;
        std::vector<FleetStation *> stations;
        for (auto &s : m_stations)
            stations.push_back(s.get());
        for (FleetStation *s : stations)
            s->requestStop();
    }
}

void FleetWindow::stationStopped()
{
    for (const auto &s : m_stations) {
        if (!s->isStopped())
            return;
    }
    // Not from inside the station's own signal: the stations go with the job.
    QTimer::singleShot(0, this, &FleetWindow::finishJob);
}

void FleetWindow::finishJob()
{
    if (!isRunning())
        return;
    for (const auto &s : m_stations) {
        if (!s->isStopped())
            return;
    }
    for (int i = 0; i < int(m_stations.size()); ++i)
        stationChanged(i);
    int failed = 0;
    for (const FleetReport &r : m_reports)
        failed += r.failed ? 1 : 0;
    const BiText &summary = m_plan.allDone() ? Finished : StoppedJob;
    m_status->setText(summary.text(m_chinese).arg(m_plan.doneCount()).arg(m_plan.rowCount()).arg(failed));
    for (auto &s : m_stations)
        s->disconnect(this);
    m_stations.clear();
    setEditable(true);
    if (!m_fixedPorts)
        m_refresh.start(RefreshMs);
    emit jobEnded();
    if (m_closeWhenStopped) {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->close();
        else
            close();
    }
}

bool FleetWindow::saveLog(const QString &path)
{
    QByteArray bytes;
    for (const FleetReport &r : m_reports)
        bytes += r.logLine().toUtf8();
    const FileResult written = writeFileReplacing(path, bytes);
    if (!written.ok) {
        MessageBox::show(this, CommonText::PromptTitle.text(), written.message());
        return false;
    }
    return true;
}

void FleetWindow::saveLogClicked()
{
    FileMenuDialog::Ask ask;
    ask.entry = SaveLog;
    ask.filterName = CsvFiles;
    ask.patterns = QStringLiteral("*.csv");
    ask.start = QStringLiteral("fleet-log.csv");
    ask.save = true;
    const QString path = FileMenuDialog::choose(this, ask);
    if (!path.isEmpty())
        saveLog(path);
}

void FleetWindow::closeEvent(QCloseEvent *event)
{
    if (isRunning()) {
        event->ignore();
        if (m_closeWhenStopped)
            return;
        if (MessageBox::ask(this, CommonText::PromptTitle.text(), CloseQuestion.text())) {
            m_closeWhenStopped = true;
            stop();
        }
        return;
    }
    m_refresh.stop();
    m_probe.stop();
    event->accept();
}
