#pragma once

#include "Frames.h"
#include "SerialPort.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class modOVMXConfig;
class Prompts;

// The controller protocol over one serial port: the exchange of one request and one reply,
// and the transfers of the whole settings memory. Owns no window; every word to the user
// goes through Prompts or a callback.
class modOVMXCommunications
{
public:
    enum class TraceKind { Sent, Received, Discarded, TimedOut, PortFailed };
    struct TraceEvent {
        qint64 ms = 0; // since this object was made
        TraceKind kind = TraceKind::Sent;
        QByteArray data; // the frame, the discarded bytes, or a reason in words
    };
    using TraceHook = std::function<void(const TraceEvent &)>;

    // What a transfer shows while it runs; either may be empty.
    struct TransferHooks {
        std::function<void(const QString &caption)> progress; // "Block n Of 16"
        std::function<void(bool equal)> showVerify;           // the verify label's result
    };

    struct VerifyResult {
        bool equal = false;
        bool memoryRead = false; // all 16 blocks arrived: ControllerCopy is the whole memory
        bool confirmed = false;  // and the controller's checksum of its memory matched it
    };

    explicit modOVMXCommunications(SerialPort &port);

    // Port operations; list position 0-7 opens port number 1-8.
    SerialPort::OpenResult OpenPort(int listPosition);
    bool PortOpen() const { return m_port.isOpen(); }
    void ClosePort();
    SerialPort &port() { return m_port; }

    // One request and its reply of expectedLength characters within limitSeconds. True when
    // the reply arrived in time with a good checksum; it is then in LastReply. Never retries.
    bool Transact(QByteArrayView command, int expectedLength, int32_t limitSeconds);

    static QByteArray Hex2(int v) { return Frames::Hex2(v); }
    static QByteArray Hex4(int32_t v) { return Frames::Hex4(v); }
    static int32_t HexVal1(QByteArrayView s) { return Frames::HexVal1(s); }
    static int32_t HexVal2(QByteArrayView s) { return Frames::HexVal2(s); }
    static int32_t HexVal4(QByteArrayView s) { return Frames::HexVal4(s); }
    // The characters of LastReply from position pos (1 at the "["), as the fields are named.
    QByteArrayView replyAt(int pos, int count) const;

    // Reads the controller's whole memory into ControllerCopy; true only when all 16 blocks
    // arrived and the controller's checksum agrees with them. `allBlocks` says whether the
    // blocks at least all arrived.
    bool ReadMemory(bool *allBlocks = nullptr);

    // The transfers. They expect an open port and the status poll stopped. None of them
    // touches ConfigModified; a failed upload leaves a new configuration in doc.
    VerifyResult VerifySettings(const modOVMXConfig &doc);
    bool DownloadSettings(const modOVMXConfig &doc, Prompts &prompts,
                          const TransferHooks &hooks = {});
    bool UploadSettings(modOVMXConfig &doc, Prompts &prompts, const TransferHooks &hooks = {});
    // The upload command's question: true to go on (nothing to lose, or the user said Yes).
    static bool ConfirmUpload(const modOVMXConfig &doc, Prompts &prompts);

    static QString BlockCaption(int n); // "Block 3 Of 16"
    static QString VerifyCaption(bool equal);
    struct Rgb {
        int red, green, blue;
    };
    static Rgb VerifyColour(bool equal);

    void setTraceHook(TraceHook hook) { m_trace = std::move(hook); }

    QByteArray LastReply;
    // Why the last failed exchange or transfer failed, in words: "reading block 3 of 16: no
    // reply within 4 s". Set by every failure, left alone by successes.
    QString LastFailure;
    std::array<int16_t, Frames::MemorySize> ControllerCopy{};

private:
    void discardInput();
    bool readChecksum(uint16_t &msw, uint16_t &lsw);
    bool readBlockInto(int block, int16_t *target);
    void trace(TraceKind kind, const QByteArray &data) const;
    bool failed(QByteArrayView command, const QString &why);

    SerialPort &m_port;
    TraceHook m_trace;
    QElapsedTimer m_clock;
};
