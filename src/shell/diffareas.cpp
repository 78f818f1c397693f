#include "shell/diffareas.h"

#include "alignment/alignmentdiff.h"
#include "channels/channeldiff.h"
#include "config/configdiff.h"
#include "options/bandrecord.h"
#include "options/optionarea.h"
#include "options/optiontexts.h"

QVector<ImageDiff::AreaFields> diffAreas()
{
    return {
        channelDiffFields(),
        ImageDiff::fieldTableArea(Area::Options, Area::Options.byteCount(), OptionArea::listFields(), {QStringLiteral("options")},
                                  {QStringLiteral("可选功能")}, ImageDiff::captions(OptionText::ListCaptions)),
        ImageDiff::fieldTableArea(Area::BandRecords, BandRecord::Bytes, BandRecord::listFields(),
                                  {QStringLiteral("band A"), QStringLiteral("band B")},
                                  {QStringLiteral("A 段"), QStringLiteral("B 段")},
                                  ImageDiff::captions(OptionText::BandListCaptions)),
        ConfigDiff::fiveTone(),
        ConfigDiff::dtmf(),
        ConfigDiff::twoTone(),
        alignmentDiffFields(),
    };
}
