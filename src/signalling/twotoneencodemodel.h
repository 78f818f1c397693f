#pragma once

#include "signalling/signallinggridmodel.h"


// The 2-tone encode grid: code number, first and second tone in hertz.
class TwoToneEncodeModel : public SignallingGridModel
{
    Q_OBJECT
public:
    enum Column { Number, FirstTone, SecondTone };

    TwoToneEncodeModel(Document &document, bool chinese, QObject *parent = nullptr);

    QString cellText(int row, int column) const override;
    Editor editor(int column) const override;
    QString allowedKeys(int column) const override;
    int maxLength(int column) const override;

protected:
    bool storeText(int row, int column, const QString &text) override;

private:
};
