// Reply frames: whatever the controller answers, a transfer never goes on after a failed
// exchange and ends, reports and touches the document exactly as the controller's checksum
// allows; a status poll is accepted exactly when a whole reply with a good checksum arrived.
//
// Input: a byte whose bit 0 keeps the frames' checksum digits as they are (otherwise they are
// made good, so that mutations reach past the frame check), a scenario byte (download,
// upload, verify, status poll), then the replies.
#include "FakePrompts.h"
#include "SampleConfig.h"
#include "SimulatedSerialPort.h"
#include "StatusReply.h"
#include "modOVMXCommunications.h"

namespace
{
// Answers each request with the next frame of the stream (cut before each "["), whole and at
// once, its checksum digits made good unless the input keeps them. Counts the requests and the
// replies read with a good checksum, and keeps the reply to the last request.
class ScriptedPort : public SimulatedSerialPort
{
public:
    using SimulatedSerialPort::SimulatedSerialPort;
    QList<QByteArray> frames;
    QByteArray reply;
    bool asSent = false;
    int sends = 0, good = 0;

    bool write(const QByteArray &) override
    {
        QByteArray frame = '[' + frames.value(++sends);
        if (!asSent && frame.size() >= 3)
            frame.replace(1, 2, Frames::Hex2(Frames::frameChecksum(frame.sliced(3))));
        injectReceived(frame);
        reply.clear();
        return true;
    }
    QByteArray readAll() override
    {
        const QByteArray bytes = SimulatedSerialPort::readAll();
        if (!bytes.isEmpty())
            good += Frames::replyChecksumOk(reply = bytes);
        return bytes;
    }
};

// The 17th request was the last, and its answer is a good frame holding the checksum of words.
bool confirmed(const ScriptedPort &line, std::span<const int16_t> words)
{
    const auto reported = static_cast<uint32_t>(Frames::HexVal4(line.reply.mid(3, 4)) << 16 |
                                                Frames::HexVal4(line.reply.mid(7, 4)));
    return line.sends == Frames::BlockCount + 1 && Frames::replyChecksumOk(line.reply) &&
           reported == Frames::blockChecksum(words);
}

void transfer(modOVMXCommunications &comm, const ScriptedPort &line, int which)
{
    FakePrompts prompts;
    modOVMXConfig doc, fresh;
    fillSampleConfig(doc); // not what the controller of the upload seed holds
    doc.ConfigModified = false;
    fresh.NewConfiguration();
    const modOVMXConfig::Image before = doc.image();
    int progress = 0, shownEqual = 0;
    const modOVMXCommunications::TransferHooks hooks{[&](const QString &) { ++progress; },
                                                     [&](bool equal) { shownEqual += equal; }};
    bool ok = false, asTheRulesSay = false;
    if (which == 0) {
        ok = comm.DownloadSettings(doc, prompts, hooks);
        asTheRulesSay = ok == confirmed(line, before);
    } else if (which == 1) {
        ScriptedPort again = line; // the same replies, read by a verify
        modOVMXCommunications reader(again);
        reader.VerifySettings(doc);
        ok = comm.UploadSettings(doc, prompts, hooks);
        asTheRulesSay = ok == confirmed(again, reader.ControllerCopy) &&
                        (ok ? doc.image() == reader.ControllerCopy && !doc.ConfigModified
                            : doc.image() == fresh.image());
    } else {
        ok = comm.VerifySettings(doc).equal;
        asTheRulesSay =
            ok == (confirmed(line, comm.ControllerCopy) && comm.ControllerCopy == before);
    }
    if (!asTheRulesSay || line.sends > line.good + 1 ||
        (which != 1 && (doc.image() != before || doc.ConfigModified)))
        qFatal("a transfer ended or changed the document other than its checksum allows, or went "
               "on after a failed exchange");
    const int messages = which == 2 ? 0 : 1; // a verify only shows its result
    if (prompts.calls.size() != messages ||
        (messages && ((prompts.last().icon == Prompts::Icon::Critical) == ok || shownEqual != ok ||
                      progress != std::min(line.good, Frames::BlockCount))))
        qFatal("a transfer did not end in one message, critical exactly when it failed, after a "
               "step for each block moved");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    ControllerSimulator controller;
    ScriptedPort port(controller);
    port.asSent = (data[0] & 1) != 0;
    port.frames =
        QByteArray(reinterpret_cast<const char *>(data) + 2, qsizetype(size) - 2).split('[');
    modOVMXCommunications comm(port);
    comm.OpenPort(0);
    if (data[1] % 4 < 3) {
        transfer(comm, port, data[1] % 4);
    } else if (comm.Transact(Frames::statusCommand(), Frames::StatusLength, Frames::ShortLimit) !=
               (port.reply.size() >= Frames::StatusLength && Frames::replyChecksumOk(port.reply))) {
        qFatal("a status poll took a short reply or a bad checksum, or refused a good one");
    }
    (void)describeStatus(DecodeStatus(port.reply)); // whatever came, whole or cut short
    return 0;
}
