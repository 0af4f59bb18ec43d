// Writes the seed inputs of the fuzz targets into the folder given as the first argument:
// data files, reply streams recorded from the simulated controller, and JSON exports. Built
// with the targets, run by hand when the formats change; never part of a fuzz run.
#include "ConfigJson.h"
#include "Frames.h"
#include "Prompts.h"
#include "SimulatedSerialPort.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace
{
class YesPrompts : public Prompts
{
public:
    bool askYesNo(const QString &, const QString &) override { return true; }
    void message(const QString &, const QString &, Icon) override {}
};

// Keeps every character the tool reads from the simulated line.
class RecordingPort : public SimulatedSerialPort
{
public:
    using SimulatedSerialPort::SimulatedSerialPort;
    QByteArray heard;
    QByteArray readAll() override
    {
        const QByteArray bytes = SimulatedSerialPort::readAll();
        heard += bytes;
        return bytes;
    }
};

void save(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

modOVMXConfig programmed()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.SetRelayCloseAction(2, 1, 2);
    doc.SetRelayOpenAction(2, 1, 1);
    doc.SetRelayHoldStatus(5, 0, true);
    doc.SetRelayCloseAction(12, 3, 10);
    doc.SetRelayTimedOn(0, 0, 25);
    doc.SetInputDisableClosed(1, 7, true);
    doc.SetInputDisableOpen(13, 2, true);
    doc.SetDimmerControl(3, 2, 40);
    doc.SetDimmerControlFadeRate(3, 2, 1);
    doc.SetDimmerRevert(3, 2, 7);
    doc.SetPhotocellTracking(0, 1, 2);
    doc.SetScaleTarget(0, 1, 128);
    doc.SetPilotLight(1, 4, 3);
    doc.SetPhotocellOnLevel(1, 2, 200);
    doc.SetRelayPowerOn(3, 4);
    doc.SetDimmerFadeRate(0, 20);
    doc.SetComPort(2);
    return doc;
}

// A stream the reply target plays back: its line byte (whole replies, no noise, silence at
// the end), the scenario, then what the simulated controller answered.
QByteArray replySeed(int scenario, const modOVMXConfig &doc)
{
    ControllerSimulator controller;
    for (int w = 0; w < Frames::MemorySize; ++w)
        controller.memory[static_cast<size_t>(w)] = static_cast<uint8_t>(doc.GetWord(w) & 0xFF);
    RecordingPort port(controller);
    modOVMXCommunications comm(port);
    comm.OpenPort(0);
    YesPrompts prompts;
    modOVMXConfig target = doc;
    if (scenario == 0)
        comm.DownloadSettings(doc, prompts);
    else if (scenario == 1)
        comm.UploadSettings(target, prompts);
    else if (scenario == 2)
        comm.VerifySettings(doc);
    else {
        const std::array<int16_t, Frames::BlockSize> values{};
        comm.Transact(Frames::statusCommand(), Frames::StatusLength, 1);
        comm.Transact(Frames::relayCommand(2, true), Frames::AckLength, 1);
        comm.Transact(Frames::dimmerCommand(3, 200), Frames::AckLength, 1);
        comm.Transact(Frames::blockWriteCommand(5, values), Frames::BlockWriteReplyLength, 4);
        comm.Transact(Frames::blockReadCommand(7), Frames::BlockReadReplyLength, 4);
        comm.Transact(Frames::checksumCommand(), Frames::ChecksumReplyLength, 5);
    }
    return QByteArray(1, '\0') + QByteArray(1, static_cast<char>(scenario)) + port.heard;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (*argc < 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        std::exit(2);
    }
    const QString root = QString::fromLocal8Bit((*argv)[1]);
    modOVMXConfig fresh;
    fresh.NewConfiguration();
    const modOVMXConfig busy = programmed();

    save(root + "/fuzz_datafile/new.OMX", modOVMXConfig::toBytes(fresh.image()));
    // The trailing bytes choose the cells the editors open on and the foot-candle display.
    save(root + "/fuzz_datafile/programmed.OMX",
         modOVMXConfig::toBytes(busy.image()) + QByteArray::fromHex("0101270203010100"));

    save(root + "/fuzz_reply/download", replySeed(0, busy));
    save(root + "/fuzz_reply/upload", replySeed(1, busy));
    save(root + "/fuzz_reply/verify", replySeed(2, fresh));
    save(root + "/fuzz_reply/exchanges", replySeed(3, busy));

    save(root + "/fuzz_json/new.json",
         QJsonDocument(ConfigJson::toJson(fresh)).toJson(QJsonDocument::Compact));
    save(root + "/fuzz_json/programmed.json", QJsonDocument(ConfigJson::toJson(busy)).toJson());
    std::exit(0);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *, size_t) { return 0; }
