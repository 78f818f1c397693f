#include "cli/radiolink.h"

#include "cli/progressbar.h"
#include "link/areatransfer.h"
#include "image/memoryimage.h"
#include "link/bulkread.h"
#include "link/confirmedmemory.h"
#include "platform/portnames.h"

#include <QEventLoop>

RadioLink::RadioLink(const PortChoice &port, ProgressBar &progress)
    : m_port(port)
    , m_progress(progress)
{
    if (m_port.number > 0)
        PortNames::setPortNumber(m_port.number);
}

RadioLink::Outcome RadioLink::identify(RadioIdentity &identity)
{
    ExchangeEngine engine(Pacing::mainWindow());
    const Outcome outcome = run(engine, Kind::Identify);
    if (outcome == Outcome::Done)
        identity = m_identity;
    return outcome;
}

RadioLink::Outcome RadioLink::read(MemoryImage &image)
{
    ExchangeEngine engine(Pacing::transferWindow());
    const Outcome outcome = run(engine, Kind::Read);
    if (outcome != Outcome::Done)
        return outcome;
    MemoryImage held;
    if (!BulkRead::decodeInto(engine.receiveSlots(), held))
        return Outcome::BadReply;
    BulkRead::decodeInto(engine.receiveSlots(), image);
    ConfirmedMemory::report(held, Area::BulkReadRows, m_identity, ConfirmedMemory::Kind::Read);
    return Outcome::Done;
}

RadioLink::Outcome RadioLink::write(const QVector<ExchangeEngine::Frame> &frames)
{
    ExchangeEngine engine(Pacing::writeWindow());
    const Outcome outcome = run(engine, Kind::Write, frames);
    // A whole write that every frame of was acknowledged: the radio holds what went out.
    if (outcome == Outcome::Done && frames.size() == Area::BulkWriteFrames && frames.first().address == 0) {
        MemoryImage held;
        for (const ExchangeEngine::Frame &f : frames)
            held.setRows(MemoryImage::rowOf(f.address), f.data);
        ConfirmedMemory::report(held, Area::BulkWriteRows, m_identity, ConfirmedMemory::Kind::Written);
    }
    return outcome;
}

RadioLink::Outcome RadioLink::run(ExchangeEngine &engine, Kind kind, const QVector<ExchangeEngine::Frame> &frames)
{
    if (!m_port.device.isEmpty())
        engine.port().useDevice(m_port.device);

    QEventLoop loop;
    Outcome outcome = Outcome::Done;
    const QString label = kind == Kind::Read ? QStringLiteral("read") : QStringLiteral("write");
    QObject::connect(&engine, &ExchangeEngine::identified, &loop,
                     [this](const RadioIdentity &identity) { m_identity = identity; });
    QObject::connect(&engine, &ExchangeEngine::progress, &loop,
                     [&](int done, int total) { m_progress.show(label, done, total); });
    QObject::connect(&engine, &ExchangeEngine::finished, &loop, [&] {
        if (kind != Kind::Identify)
            m_progress.show(label, engine.total(), engine.total());
        loop.exit();
    });
    QObject::connect(&engine, &ExchangeEngine::failed, &loop, [&] {
        outcome = Outcome::NoAnswer;
        loop.exit();
    });
    // A retry whose port no longer opens ends the exchange as well.
    QObject::connect(&engine, &ExchangeEngine::portOpenFailed, &loop, [&] {
        outcome = Outcome::PortFailed;
        loop.exit();
    });

    bool started = false;
    switch (kind) {
    case Kind::Identify:
        started = engine.startIdentification();
        break;
    case Kind::Read:
        started = engine.startRead(AreaTransfer::bulkRead().readAddresses());
        break;
    case Kind::Write:
        started = engine.startWrite(frames);
        break;
    }
    if (!started)
        return Outcome::PortFailed;
    loop.exec();
    m_progress.finish();
    engine.stop();
    return outcome;
}
