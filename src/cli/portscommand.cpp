// orvane-cli ports: the first thing to run when the radio does not answer.

#include "cli/commandline.h"

#include "link/portprobe.h"
#include "link/portreport.h"
#include "platform/portstate.h"

int CommandLine::ports(const Arguments &args)
{
    const bool probing = args.flags.contains(QLatin1String("probe"));
    const QVector<PortState::Port> found = PortState::survey();
    int opened = 0;
    int answered = 0;
    for (PortState::Port port : found) {
        PortState::tryOpen(port);
        QString line = PortReport::line(port);
        if (port.state == PortState::State::Opens) {
            ++opened;
            if (probing) {
                m_out << line << Qt::flush;
                const PortProbe::Outcome result = PortProbe::run(port.device);
                if (result.result == PortProbe::Result::Answered)
                    ++answered;
                m_out << "  " << result.text(false) << '\n' << Qt::flush;
                continue;
            }
        }
        m_out << line << '\n' << Qt::flush;
    }
    if (found.isEmpty())
        m_out << "no serial port found\n";
    else if (probing && answered == 0)
        m_out << "no radio answered\n";
    else if (!probing && opened == 0)
        m_out << "no port opens\n";
    m_out << Qt::flush;
    return (probing ? answered : opened) > 0 ? Done : RadioFailure;
}
