#pragma once

#include "signalling/signallinggridmodel.h"


// The 2-tone decode grid: code number, then four groups of pair, response and alert.
// Grid column c (1..12) of row n is byte c - 1 of decode code n.
class TwoToneDecodeModel : public SignallingGridModel
{
    Q_OBJECT
public:
    enum class Kind { Pair, Response, Alert };
    static constexpr int Number = 0;

    TwoToneDecodeModel(Document &document, bool chinese, QObject *parent = nullptr);

    static Kind kindOf(int column) { return Kind((column - 1) % 3); }

    QString cellText(int row, int column) const override;
    Editor editor(int column) const override;
    QStringList entries(int column) const override;
    int position(int row, int column) const override;
    int preset(int column) const override;

    // The row's twelve group bytes become 0xFF; its tone set stays.
    void clearRow(int row);

protected:
    bool storePosition(int row, int column, int position) override;

private:
    uint8_t byte(int row, int column) const;
};
