#pragma once

#include "signalling/signallinggridmodel.h"


// The 5-tone encode grid: code number, three frames of five digits, the standard.
class FiveToneEncodeModel : public SignallingGridModel
{
    Q_OBJECT
public:
    enum Column { Number, Frame1, Frame2, Frame3, Standard };

    FiveToneEncodeModel(Document &document, bool chinese, QObject *parent = nullptr);

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
};
