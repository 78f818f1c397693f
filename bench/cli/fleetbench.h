#pragma once

// What the fleet benchmarks share: the radios they program and the check of what each holds.

#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/bulkwrite.h"
#include "virtualradio.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <memory>

namespace FleetBench {

// The rows a write sends for `image`: what a radio holds after it.
inline QByteArray sentRows(const MemoryImage &image)
{
    MemoryImage prepared(image);
    BulkWrite::prepare(prepared);
    return prepared.rows(0, Area::BulkWriteFrames);
}

// A virtual radio at 9600-baud timing behind COM `com`, numbered ORV1000000000000<last>.
inline std::unique_ptr<vradio::VirtualRadio> radioOn(int com, char last, const QString &folder,
                                                     const QByteArray &memory)
{
    auto radio = std::make_unique<vradio::VirtualRadio>();
    vradio::Identity identity;
    identity.number = std::string("ORV10000000000") + "0" + last;
    radio->setIdentity(identity);
    radio->setMemory(0, std::vector<uint8_t>(memory.begin(), memory.end()));
    radio->setByteTiming(true);
    std::string error;
    if (!radio->open(&error) || !radio->linkAsCom(com, folder.toStdString(), &error))
        std::fprintf(stderr, "virtual radio: %s\n", error.c_str());
    radio->start();
    return radio;
}

inline bool holds(const vradio::VirtualRadio &radio, const QByteArray &wanted)
{
    const std::vector<uint8_t> held = radio.memory(0, wanted.size());
    return QByteArray(reinterpret_cast<const char *>(held.data()), int(held.size())) == wanted;
}

} // namespace FleetBench
