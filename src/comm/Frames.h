#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <span>

// The wire format of the controller link, as pure functions: nothing here touches a port, so
// the tool, the simulated controller and the tests build and check frames the same way.
namespace Frames
{

// Request: "[" CC "00" command "]"; the checksum CC covers "00" command "]".
constexpr int RequestOverhead = 6;
// Reply: "[" CC payload "]"; the checksum covers payload "]".
constexpr int ReplyOverhead = 4;

constexpr int BlockCount = 16;
constexpr int BlockSize = 64;
constexpr int MemorySize = BlockCount * BlockSize;
static_assert(MemorySize == 1024, "the controller's memory mirrors the 1024-word image");

// Reply lengths, whole frames, and the time limits of each command in seconds.
constexpr int AckLength = ReplyOverhead;
constexpr int StatusPayload = 27;
constexpr int StatusLength = ReplyOverhead + StatusPayload;
constexpr int BlockWriteReplyLength = ReplyOverhead + 2;
constexpr int BlockReadReplyLength = ReplyOverhead + 2 * BlockSize;
constexpr int ChecksumReplyLength = ReplyOverhead + 8;
static_assert(StatusLength == 31 && BlockReadReplyLength == 132 && ChecksumReplyLength == 12);
constexpr int ShortLimit = 1;    // status, relay, dimmer
constexpr int BlockLimit = 4;    // block write and read
constexpr int ChecksumLimit = 5; // memory checksum

// "04" AAAA "3F" and 64 values; the longest request the tool sends.
constexpr int BlockWriteCommandLength = 2 + 4 + 2 + 2 * BlockSize;
static_assert(BlockWriteCommandLength == 136);
static_assert(BlockWriteCommandLength + RequestOverhead - 3 == 139, "body of the longest frame");

// Upper-case, zero-padded, cut from the left: Hex2(10) is "0A", Hex2(0x1A5) is "A5".
QByteArray Hex2(int v);
QByteArray Hex4(int32_t v);
// The leading 1, 2 or 4 characters as an unsigned hexadecimal number; reading stops at the
// first character that is no hexadecimal digit (either case), and no digit at all gives 0.
int32_t HexVal(QByteArrayView s, int digits);
inline int32_t HexVal1(QByteArrayView s) { return HexVal(s, 1); }
inline int32_t HexVal2(QByteArrayView s) { return HexVal(s, 2); }
inline int32_t HexVal4(QByteArrayView s) { return HexVal(s, 4); }

// 8-bit checksum: from A5, for each character rotate right by one bit, then add its code.
uint8_t frameChecksum(QByteArrayView text);
QByteArray buildRequest(QByteArrayView command);
QByteArray buildReply(QByteArrayView payload);
// The received checksum digits (positions 2-3) against the checksum of everything from
// position 4 on, every character received included.
bool replyChecksumOk(QByteArrayView reply);

// 32-bit memory checksum: one shift per value, not per bit.
uint32_t blockChecksum(std::span<const int16_t> values);
uint32_t blockChecksum(std::span<const uint8_t> values);
inline uint16_t msw(uint32_t sum) { return static_cast<uint16_t>(sum >> 16); }
inline uint16_t lsw(uint32_t sum) { return static_cast<uint16_t>(sum & 0xFFFF); }

// The command texts, without the frame.
QByteArray statusCommand();
QByteArray relayCommand(int relay, bool on);                              // relay 0-3
QByteArray dimmerCommand(int dimmer, int level);                          // dimmer 0-3, level 0-255
QByteArray blockWriteCommand(int block, std::span<const int16_t> values); // 64 values
QByteArray blockReadCommand(int block);
QByteArray checksumCommand();

} // namespace Frames
