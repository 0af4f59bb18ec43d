// Reply frames: whatever the controller's side of the line sends, in whatever pieces, an
// exchange either fails cleanly or hands over a whole reply with a good checksum; the status
// decodes without reading outside the reply; a transfer touches the document only as it says.
#include "Frames.h"
#include "FuzzInput.h"
#include "Prompts.h"
#include "ScriptedPort.h"
#include "StatusReply.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_reply: %s\n", what);
    std::abort();
}

class SilentPrompts : public Prompts
{
public:
    bool askYesNo(const QString &, const QString &) override { return true; }
    void message(const QString &title, const QString &text, Icon) override
    {
        if (title.isEmpty() || text.isEmpty())
            fail("a message without a title or text");
    }
};

struct Shape {
    QByteArray command;
    int length;
    int limit;
};

std::array<Shape, 6> shapes()
{
    const std::array<int16_t, Frames::BlockSize> values{};
    return {
        {{Frames::statusCommand(), Frames::StatusLength, Frames::ShortLimit},
         {Frames::relayCommand(2, true), Frames::AckLength, Frames::ShortLimit},
         {Frames::dimmerCommand(3, 200), Frames::AckLength, Frames::ShortLimit},
         {Frames::blockWriteCommand(5, values), Frames::BlockWriteReplyLength, Frames::BlockLimit},
         {Frames::blockReadCommand(7), Frames::BlockReadReplyLength, Frames::BlockLimit},
         {Frames::checksumCommand(), Frames::ChecksumReplyLength, Frames::ChecksumLimit}}};
}

void readReply(const modOVMXCommunications &comm, int shape)
{
    if (shape == 0)
        (void)describeStatus(DecodeStatus(comm.LastReply));
    for (int pos = 0; pos < comm.LastReply.size() + 4; ++pos) {
        const int32_t v = modOVMXCommunications::HexVal4(comm.replyAt(pos, 4));
        if (v < 0 || v > 0xFFFF)
            fail("four hexadecimal digits read outside 0 to FFFF");
    }
}

void exchanges(modOVMXCommunications &comm)
{
    const auto all = shapes();
    for (size_t s = 0; s < all.size() && comm.PortOpen(); ++s) {
        if (!comm.Transact(all[s].command, all[s].length, all[s].limit))
            continue;
        if (comm.LastReply.size() < all[s].length || !Frames::replyChecksumOk(comm.LastReply))
            fail("Transact accepted a short reply or a bad checksum");
        readReply(comm, static_cast<int>(s));
    }
}

modOVMXConfig::Image newImage()
{
    modOVMXConfig fresh;
    fresh.NewConfiguration();
    return fresh.image();
}

void transfer(modOVMXCommunications &comm, int which)
{
    SilentPrompts prompts;
    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.SetWord(700, 17); // something a failed upload must not keep
    doc.ConfigModified = false;
    const modOVMXConfig::Image before = doc.image();
    modOVMXCommunications::TransferHooks hooks;
    hooks.progress = [](const QString &caption) {
        if (caption.isEmpty())
            fail("an empty progress caption");
    };
    if (which == 0) {
        (void)comm.DownloadSettings(doc, prompts, hooks);
    } else if (which == 1) {
        const bool ok = comm.UploadSettings(doc, prompts, hooks);
        if (!ok && doc.image() != newImage())
            fail("a failed upload left something other than a new configuration");
        for (const int16_t w : doc.image())
            if (ok && (w < 0 || w > 255))
                fail("an upload stored a word outside 0 to 255");
        return; // the image was meant to change
    } else {
        const auto result = comm.VerifySettings(doc);
        if (result.equal && !result.memoryRead)
            fail("settings reported equal without reading the memory");
    }
    if (which != 1 && doc.image() != before)
        fail("a download or verify changed the document");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    ScriptedPort port;
    const uint8_t line = in.byte();
    port.chunk = line & 63;
    port.noiseOnExpiredWaits = (line & 64) != 0;
    port.failAtEnd = (line & 128) != 0;
    const int scenario = in.pick(4);
    port.stream = in.rest();

    (void)describeStatus(DecodeStatus(port.stream));
    modOVMXCommunications comm(port);
    comm.OpenPort(0);
    if (scenario == 3)
        exchanges(comm);
    else
        transfer(comm, scenario);
    return 0;
}
