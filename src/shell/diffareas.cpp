#include "shell/diffareas.h"

#include "shell/areaentries.h"

QVector<ImageDiff::AreaFields> diffAreas()
{
    QVector<ImageDiff::AreaFields> areas;
    for (const AreaEntry &e : areaEntries()) {
        if (e.fields)
            areas += e.fields();
    }
    return areas;
}
