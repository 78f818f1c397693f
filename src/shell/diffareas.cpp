#include "shell/diffareas.h"

#include "channels/channeldiff.h"

QVector<ImageDiff::AreaFields> diffAreas()
{
    return {channelDiffFields()};
}
