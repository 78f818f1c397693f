#include "shell/areaentries.h"

#include "alignment/alignmentdiff.h"
#include "alignment/alignmenttable.h"
#include "channels/channeldiff.h"
#include "channels/channelrecord.h"
#include "config/configdiff.h"
#include "fm/fmpresets.h"
#include "options/bandrecord.h"
#include "options/optionarea.h"
#include "signalling/dtmfarea.h"
#include "signalling/fivetonearea.h"
#include "signalling/twotonearea.h"

#include <cstring>

namespace {

using Named = QVector<ImageDiff::AreaFields>;

Named optionFields()
{
    return {ImageDiff::fieldTableArea(Area::Options, Area::Options.byteCount(), OptionArea::listFields(),
                                      {QStringLiteral("options")}, {QStringLiteral("可选功能")}),
            ImageDiff::fieldTableArea(Area::BandRecords, BandRecord::Bytes, BandRecord::listFields(),
                                      {QStringLiteral("band A"), QStringLiteral("band B")},
                                      {QStringLiteral("A 段"), QStringLiteral("B 段")})};
}

} // namespace

const std::vector<AreaEntry> &areaEntries()
{
    static const std::vector<AreaEntry> entries{
        {"channels", &defaultChannels, [] { return Named{channelDiffFields()}; }, true},
        {"optional features and band records", &OptionArea::writeDefaults, &optionFields},
        {"5-tone", &FiveToneArea::writeDefaults, [] { return Named{ConfigDiff::fiveTone()}; }},
        {"dtmf", &DtmfArea::writeDefaults, [] { return Named{ConfigDiff::dtmf()}; }},
        {"2-tone", &TwoToneArea::writeDefaults, [] { return Named{ConfigDiff::twoTone()}; }},
        {"alignment defaults", &prepareAlignmentDefaults, [] { return Named{alignmentDiffFields()}; }},
        {"fm presets", &defaultFmPresets, nullptr},
    };
    return entries;
}

const AreaEntry *findArea(const char *name)
{
    for (const AreaEntry &e : areaEntries()) {
        if (std::strcmp(e.name, name) == 0)
            return &e;
    }
    return nullptr;
}
