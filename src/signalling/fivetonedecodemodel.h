#pragma once

#include "signalling/signallinggridmodel.h"

#include "signalling/fivetonedecodetable.h"

// The 5-tone decode grid over the window's own decode table: code number, standard,
// then frame and call function three times, and the transpond (reply) code.
class FiveToneDecodeModel : public SignallingGridModel
{
    Q_OBJECT
public:
    enum Column { Number, Standard, Frame1, Function1, Frame2, Function2, Frame3, Function3, Transpond };

    // Over the decode table the document holds.
    FiveToneDecodeModel(Document &document, bool chinese, QObject *parent = nullptr);

    // The table as the document holds it now.
    const FiveToneDecodeTable &table() const;

    static bool isFrame(int column) { return column == Frame1 || column == Frame2 || column == Frame3; }
    static int frameOf(int column) { return (column - Frame1) / 2; }

    QString cellText(int row, int column) const override;
    Editor editor(int column) const override;
    QStringList entries(int column) const override;
    int position(int row, int column) const override;
    QString allowedKeys(int column) const override;
    int maxLength(int column) const override;

protected:
    bool storeText(int row, int column, const QString &text) override;
    bool storePosition(int row, int column, int position) override;

private:
    QStringList callFunctions() const;

    // The last decoded form of the document's bytes, decoded again when they change.
    mutable QByteArray m_decodedFrom;
    mutable FiveToneDecodeTable m_table;
};
