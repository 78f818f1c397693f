// orvane-vradio: a radio on a pseudo-terminal, to try the programming software without one.

#include "datafile.h"
#include "virtualradio.h"

#include "platform/portnames.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

const char Usage[] =
    "usage: orvane-vradio [options]\n"
    "  --com N                 put the radio behind COM N (link <folder>/comN, removed on exit)\n"
    "  --free-com              put it behind the first of COM1..COM8 that has no link yet;\n"
    "                          no link is replaced (the number is printed on standard error)\n"
    "  --link-folder DIR       folder of the COM links (default $XDG_DATA_HOME/orvane-cps/dosdevices,\n"
    "                          or ~/.local/share/orvane-cps/dosdevices without XDG_DATA_HOME)\n"
    "  --data FILE.dat         load memory from a data file (default: erased, all 0xFF)\n"
    "  --save-on-exit FILE.dat write memory to a data file when stopped\n"
    "  --model-code TEXT       identification model code (default QDMX)\n"
    "  --model-name TEXT       6 characters (default OR-78V)\n"
    "  --firmware TEXT         6 characters (default V12A03)\n"
    "  --number TEXT           16 characters (default ORV123456789ABCD)\n"
    "  --bands AL,AU,BL,BU     band limits in MHz (default 136,174,400,480)\n"
    "  --baud-timing           every byte takes 10/9600 s on the line, both ways\n"
    "  --log                   log frames on standard error\n"
    "faults:\n"
    "  --wrong-model-code      report QDMY\n"
    "  --no-55                 byte 49 of the identification is not 0x55\n"
    "  --silent                never answer\n"
    "  --silent-after-write N  acknowledge N write frames per exchange, then nothing\n"
    "  --store-wrong-once ADDR the first write frame to ADDR (0x.. or decimal) is stored wrongly\n"
    "  --silent-after-read N   serve N read blocks per exchange, then nothing\n"
    "  --drop-byte-in-block K  block K's reply loses its last byte (once)\n"
    "  --garbage N             N noise bytes before the identification\n"
    "  --garbage-after N       N noise bytes after every reply\n"
    "  --stray-before-x N      N bytes in front of \"X\" (1 still decodes, 2 does not)\n"
    "  --stray-block K         ... only on block K\n"
    "  --chunks A,B,...        identification in pieces of these sizes\n"
    "  --chunk-gap MS          pause between pieces (default 100)\n"
    "  --extra N               N bytes straight after the 50-byte identification\n"
    "  --early-ack             0x06 as soon as a write frame's header is in\n"
    "  --withhold-ack          no 0x06 after write frames\n";

std::vector<int> numberList(const std::string &text)
{
    std::vector<int> numbers;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ','))
        numbers.push_back(std::atoi(part.c_str()));
    return numbers;
}

} // namespace

int main(int argc, char **argv)
{
    vradio::Identity identity;
    vradio::Faults faults;
    int com = 0;
    bool freeCom = false;
    // The program's own rule for the folder, so that both sides look in the same place.
    std::string linkFolder = PortNames::linkFolder().toStdString();
    std::string dataFile;
    std::string saveFile;
    bool byteTiming = false;
    bool logFrames = false;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << arg << " needs a value\n" << Usage;
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--com") com = std::atoi(value().c_str());
        else if (arg == "--free-com") freeCom = true;
        else if (arg == "--link-folder") linkFolder = value();
        else if (arg == "--data") dataFile = value();
        else if (arg == "--save-on-exit") saveFile = value();
        else if (arg == "--model-code") identity.modelCode = value();
        else if (arg == "--model-name") identity.modelName = value();
        else if (arg == "--firmware") identity.firmware = value();
        else if (arg == "--number") identity.number = value();
        else if (arg == "--bands") {
            const std::vector<int> b = numberList(value());
            if (b.size() != 4) {
                std::cerr << "--bands takes four numbers\n";
                return 2;
            }
            identity.bandALower = b[0];
            identity.bandAUpper = b[1];
            identity.bandBLower = b[2];
            identity.bandBUpper = b[3];
        }
        else if (arg == "--baud-timing") byteTiming = true;
        else if (arg == "--log") logFrames = true;
        else if (arg == "--wrong-model-code") faults.wrongModelCode = true;
        else if (arg == "--no-55") faults.missingEndMark = true;
        else if (arg == "--silent") faults.silent = true;
        else if (arg == "--silent-after-write") faults.silentAfterWriteFrames = std::atoi(value().c_str());
        else if (arg == "--store-wrong-once") faults.storeWrongOnceAt = int(std::strtol(value().c_str(), nullptr, 0));
        else if (arg == "--silent-after-read") faults.silentAfterReadBlocks = std::atoi(value().c_str());
        else if (arg == "--drop-byte-in-block") faults.dropByteInBlock = std::atoi(value().c_str());
        else if (arg == "--garbage") faults.garbageBeforeIdentification = std::atoi(value().c_str());
        else if (arg == "--garbage-after") faults.garbageAfterReplies = std::atoi(value().c_str());
        else if (arg == "--stray-before-x") faults.strayBeforeX = std::atoi(value().c_str());
        else if (arg == "--stray-block") faults.strayBlock = std::atoi(value().c_str());
        else if (arg == "--chunks") faults.identificationChunks = numberList(value());
        else if (arg == "--chunk-gap") faults.chunkGapMs = std::atoi(value().c_str());
        else if (arg == "--extra") faults.extraAfterIdentification = std::atoi(value().c_str());
        else if (arg == "--early-ack") faults.earlyAck = true;
        else if (arg == "--withhold-ack") faults.withholdAck = true;
        else if (arg == "--help" || arg == "-h") {
            std::cout << Usage;
            return 0;
        } else {
            std::cerr << "unknown option " << arg << "\n" << Usage;
            return 2;
        }
    }
    if (com != 0 && (com < 1 || com > 12)) {
        std::cerr << "--com takes 1 to 12\n";
        return 2;
    }
    if (com != 0 && freeCom) {
        std::cerr << "--com and --free-com exclude each other\n";
        return 2;
    }

    // Blocked here, before the radio's thread exists, so that only sigwait() below sees
    // them and the link is always removed.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    vradio::VirtualRadio radio;
    std::string error;
    if (!radio.open(&error)) {
        std::cerr << error << "\n";
        return 1;
    }
    if (!dataFile.empty() && !radio.loadDataFile(dataFile, &error)) {
        std::cerr << dataFile << ": " << error << "\n";
        return 1;
    }
    radio.setIdentity(identity);
    radio.setFaults(faults);
    radio.setByteTiming(byteTiming);
    if (logFrames)
        radio.setLog([](const std::string &line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    if (com != 0 && !radio.linkAsCom(com, linkFolder, &error)) {
        std::cerr << error << "\n";
        return 1;
    }
    // The start-up scan looks no further than COM8.
    if (freeCom && radio.linkAsFreeCom(1, 8, linkFolder, &error) == 0) {
        std::cerr << error << "\n";
        return 1;
    }

    std::cout << radio.slavePath() << std::endl;
    if (radio.com() != 0)
        std::cerr << "COM" << radio.com() << " -> " << radio.slavePath() << " (" << radio.linkPath() << ")" << std::endl;
    radio.start();

    int received = 0;
    sigwait(&stopSignals, &received);

    radio.stop();
    radio.removeLink();
    if (!saveFile.empty()) {
        std::ofstream out(saveFile, std::ios::binary);
        out << vradio::formatDataFile(radio.memory(0, vradio::DataFileRows * vradio::DataFileColumns));
        if (!out)
            std::cerr << "cannot write " << saveFile << "\n";
    }
    return 0;
}
