#pragma once

#include "signalling/signallinggridmodel.h"


// The 5-tone standards grid: name, period, group tone and repeat tone of each standard.
class FiveToneStandardsModel : public SignallingGridModel
{
    Q_OBJECT
public:
    enum Column { Name, Period, GroupTone, RepeatTone };

    FiveToneStandardsModel(Document &document, bool chinese, QObject *parent = nullptr);

    QString cellText(int row, int column) const override;
    Editor editor(int column) const override;
    QStringList entries(int column) const override;
    int position(int row, int column) const override;

protected:
    bool storePosition(int row, int column, int position) override;

private:
};
