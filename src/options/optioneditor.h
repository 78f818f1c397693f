#pragma once

#include "editor/editorwindow.h"
#include "options/bandrecord.h"

#include <QVector>

class QComboBox;
class QGridLayout;
class QLineEdit;

// The optional features editor (frm_option): the menu settings and the band A and B
// working settings as lists and text boxes, every edit stored at once, and the window's
// own read and write of 0x0E00 to 0x0FFF. Its lists and text boxes are bound to their
// fields; the frequency boxes and the band lists have rules of their own.
class OptionEditor : public EditorWindow
{
    Q_OBJECT
public:
    explicit OptionEditor(QWidget *parent = nullptr);

    static constexpr double WidthDivisor = 1.48;
    static constexpr double HeightDivisor = 1.16;

    // Shows the option area and both band records again from the image; stores nothing.
    void redisplay() override;

    // The limits the frequency check of a band uses now (those of the band it shows).
    BandRecord::Limits limits(BandRecord::Band band) const;

protected:
    AreaTransfer transfer() const override { return AreaTransfer::options(); }
    void loadDefaults(Document::Contents &contents) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct BandControls
    {
        QLineEdit *frequency = nullptr;
        QComboBox *band = nullptr;
        QLineEdit *range = nullptr;
        QComboBox *offset = nullptr;
        QComboBox *rxTone = nullptr;
        QComboBox *txTone = nullptr;
        BandRecord::Limits limits;
    };

    QWidget *buildOptionArea();
    QWidget *buildBand(BandRecord::Band band);
    QComboBox *makeList(const char *objectName, const QStringList &entries);
    QLineEdit *makeText(const char *objectName);
    void addPair(QGridLayout *grid, int index, int columns, const BiText &label, QWidget *control);
    QComboBox *addListField(const char *objectName, const FieldTable &table, const char *fieldName, int band);

    // The option area (band -1) or a band record, inside a change; the binding's form.
    static AreaView areaOf(MemoryImage &image, int band);
    static Access::AreaOf areaOf(int band);
    const AreaView recordOf(BandRecord::Band band) const;
    void showLimits(BandRecord::Band band);
    void showLimits();

    void chooseBand(BandRecord::Band band, int position);
    void checkFrequency(BandRecord::Band band);
    void frequencyEdited(BandRecord::Band band, const QString &text);
    void leftBox(QLineEdit *box);
    void keepFocus(QLineEdit *box);
    void showMessage(const QString &title, const QString &text);

    BandControls m_bands[2];
    QLineEdit *m_messageUpper = nullptr;
    QLineEdit *m_messageLower = nullptr;
    QLineEdit *m_ani = nullptr;
    QLineEdit *m_pttBegin = nullptr;
    QLineEdit *m_pttEnd = nullptr;
    // Set while a message of this window is up, so the focus it takes is no leaving.
    bool m_inMessage = false;
};
