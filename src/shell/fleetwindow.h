#pragma once

#include "fleet/fleetplan.h"
#include "fleet/fleetreport.h"
#include "fleet/fleetstation.h"
#include "fleet/radiostable.h"
#include "image/memoryimage.h"
#include "link/portprobe.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

// "Program several radios...": the fleet job of `orvane-cli fleet` in a window. A
// template (the document, a data file or a configuration text), a table of radios with
// their own keys, the ports to work on and how to write; then one station per port
// programs the radios plugged into it, and every radio's line goes into the log as the
// command line's --log writes it.
class FleetWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Template { Document, DataFile, ConfigText };
    enum class How { ChangedOnly, Quick, Whole };

    explicit FleetWindow(QWidget *parent = nullptr);
    ~FleetWindow() override;

    static QRect placement(const QSize &clientArea);

    // Template: the document as it stands at the start, or a file read now. False, with a
    // message, when the file does not load; the template is then as it was.
    void useDocument();
    bool useFile(const QString &path);
    Template templateKind() const { return m_template; }

    // The radios table; every edit is checked at once.
    QTableWidget *radiosTable() const { return m_radios; }
    const RadiosTable &table() const { return m_table; }
    bool addColumn(const QString &path);
    void addRow();
    bool loadRadios(const QString &path);
    bool saveRadios(const QString &path);
    // The faults of the table as it stands, laid on its cells.
    const QVector<RadiosTable::Fault> &faults() const { return m_faults; }

    // Ports: one check box per port that opens. Tests name their ports themselves.
    void setPorts(const QStringList &ports);
    QStringList checkedPorts() const;
    void setPortChecked(const QString &port, bool checked);
    QTableWidget *portsTable() const { return m_ports; }

    void setHow(How how);
    How how() const;

    // False, with a message and nothing sent, when the job cannot start.
    bool start();
    // Every port stops once the frame in flight is acknowledged.
    void stop();
    bool isRunning() const { return !m_stations.empty(); }
    const FleetPlan &plan() const { return m_plan; }
    const QList<FleetReport> &reports() const { return m_reports; }
    bool saveLog(const QString &path);

    QTableWidget *stationsTable() const { return m_stationRows; }
    QTableWidget *logTable() const { return m_log; }
    QLabel *statusLine() const { return m_status; }

signals:
    void radioDone(const FleetReport &report);
    // Every station has stopped.
    void jobEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void showTemplate();
    void chooseTemplate();
    void rebuildRadios();
    void radioCellEdited(int row, int column);
    void recheck();
    void showFaults();
    void addColumnClicked();
    void removeColumnClicked();
    void removeRowClicked();
    void loadRadiosClicked();
    void saveRadiosClicked();
    void saveLogClicked();
    void showPortRows(const QStringList &ports, const QStringList &texts);
    void refreshPorts();
    void probeNext();
    void portProbed(const PortProbe::Outcome &outcome);
    void stationChanged(int index);
    void radioFinished(int index, const FleetReport &report);
    void stationStopped();
    void showRowState(int planRow);
    void setEditable(bool editable);
    void finishJob();
    bool templateImage(MemoryImage &image, QString &error) const;

    const bool m_chinese;
    Template m_template = Template::Document;
    QString m_templatePath;
    std::unique_ptr<MemoryImage> m_fileTemplate;
    std::unique_ptr<MemoryImage> m_jobTemplate; // the frozen copy a running job works from

    RadiosTable m_table;
    QVector<RadiosTable::Fault> m_faults;
    bool m_filling = false;

    FleetPlan m_plan;
    std::vector<std::unique_ptr<FleetStation>> m_stations;
    QVector<int> m_tableRowOfPlanRow;
    QVector<bool> m_planRowFailed;
    QList<FleetReport> m_reports;
    bool m_stopping = false;
    bool m_closeWhenStopped = false;

    // The port survey: ports that opened, what the probe said of each.
    QTimer m_refresh;
    PortProbe m_probe;
    QStringList m_surveyed;
    QStringList m_surveyTexts;
    int m_probing = -1;
    bool m_fixedPorts = false;

    QLabel *m_templateLabel = nullptr;
    QPushButton *m_useDocument = nullptr;
    QPushButton *m_chooseFile = nullptr;
    QTableWidget *m_radios = nullptr;
    QLabel *m_faultLine = nullptr;
    QList<QPushButton *> m_tableButtons;
    QTableWidget *m_ports = nullptr;
    QRadioButton *m_changed = nullptr;
    QRadioButton *m_quick = nullptr;
    QRadioButton *m_whole = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_saveLog = nullptr;
    QPushButton *m_close = nullptr;
    QTableWidget *m_stationRows = nullptr;
    QTableWidget *m_log = nullptr;
    QLabel *m_status = nullptr;
};
