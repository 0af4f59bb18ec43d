#include "modOVMXConfig.h"

#include <QFile>
#include <QSaveFile>

#include <cassert>

int16_t modOVMXConfig::GetWord(int w) const
{
    assert(IsValidWord(w));
    return IsValidWord(w) ? m_image[static_cast<size_t>(w)] : int16_t{0};
}

void modOVMXConfig::SetWord(int w, int v)
{
    assert(IsValidWord(w));
    ConfigModified = true;
    if (IsValidWord(w))
        m_image[static_cast<size_t>(w)] = static_cast<int16_t>(v);
}

bool modOVMXConfig::GetBit(int w, int b) const { return (GetWord(w) & (1 << b)) != 0; }

void modOVMXConfig::SetBit(int w, int b, bool flag)
{
    // Clearing masks with 255 - 2^b, which also clears bits 8-15: only words that never
    // hold anything there are addressed by bit.
    const int word = GetWord(w);
    SetWord(w, flag ? (word | (1 << b)) : (word & (255 - (1 << b))));
}

void modOVMXConfig::SetRelayCloseAction(int i, int r, int v)
{
    const int w = relayWord(i, r);
    SetWord(w, (GetWord(w) & 128) + v);
}

void modOVMXConfig::setSplitWord(int w, int v)
{
    SetWord(w, v / 256);
    SetWord(w + 1, v % 256);
}

void modOVMXConfig::NewConfiguration()
{
    DataFileName = QStringLiteral("None");
    for (int w = 0; w < WordCount; ++w)
        SetWord(w, 0);
    SetTimedOffAlert(3);
    SetTimedOffOverride(115);
    for (int d = 0; d < 4; ++d) {
        SetDimmerPowerOnLevel(d, 100);
        SetDimmerMinLevel(d, 1);
        SetDimmerMaxLevel(d, 101);
        for (int p = 0; p < 2; ++p) {
            SetScaleLevel1(p, d, 255);
            SetScaleOutput1(p, d, 0);
            SetScaleLevel2(p, d, 128);
            SetScaleOutput2(p, d, 50);
            SetScaleLevel3(p, d, 0);
            SetScaleOutput3(p, d, 100);
        }
    }
    SetPhotocellFilter(0, 1);
    SetPhotocellFilter(1, 1);
}

int16_t modOVMXConfig::LevelToFootCandles(int level)
{
    // Exact decimal slopes, in integers: 0.15 x 20 + 4 must give 7, not 6.999...
    const int L = level;
    if (L < 0 || L > 240)
        return 1800;
    if (L <= 75)
        return static_cast<int16_t>(5 * L / 100);
    if (L <= 116)
        return static_cast<int16_t>((15 * (L - 72) + 400) / 100);
    if (L <= 137)
        return static_cast<int16_t>((3 * (L - 116) + 110) / 10);
    if (L <= 170)
        return static_cast<int16_t>((68 * (L - 138) + 1800) / 100);
    if (L <= 181)
        return static_cast<int16_t>((125 * (L - 171) + 4000) / 100);
    if (L <= 190)
        return static_cast<int16_t>((25 * (L - 182) + 550) / 10);
    if (L <= 203)
        return static_cast<int16_t>((34 * (L - 191) + 800) / 10);
    if (L <= 218)
        return static_cast<int16_t>((63 * (L - 204) + 1250) / 10);
    if (L <= 228)
        return static_cast<int16_t>(20 * (L - 219) + 220);
    if (L <= 233)
        return static_cast<int16_t>(50 * (L - 229) + 450);
    if (L <= 237)
        return static_cast<int16_t>(100 * (L - 234) + 700);
    return static_cast<int16_t>(200 * (L - 238) + 1200);
}

QByteArray modOVMXConfig::toBytes(const Image &image)
{
    QByteArray bytes(FileSize, '\0');
    for (int w = 0; w < WordCount; ++w) {
        const auto v = static_cast<uint16_t>(image[static_cast<size_t>(w)]);
        bytes[2 * w] = static_cast<char>(v & 0xFF);
        bytes[2 * w + 1] = static_cast<char>(v >> 8);
    }
    return bytes;
}

modOVMXConfig::Image modOVMXConfig::fromBytes(const QByteArray &bytes)
{
    Image image{};
    const int words = std::min<int>(WordCount, static_cast<int>(bytes.size()) / 2);
    for (int w = 0; w < words; ++w) {
        const auto lo = static_cast<uint8_t>(bytes[2 * w]);
        const auto hi = static_cast<uint8_t>(bytes[2 * w + 1]);
        image[static_cast<size_t>(w)] = static_cast<int16_t>(static_cast<uint16_t>(lo | hi << 8));
    }
    return image;
}

modOVMXConfig::FileResult modOVMXConfig::readImage(const QString &path, Image &out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString())};
    const QByteArray bytes = file.read(FileSize);
    if (file.error() != QFileDevice::NoError)
        return {false, QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString())};
    if (bytes.size() < FileSize)
        return {false, QStringLiteral("\"%1\" is not an Orvandel MX data file: it holds %2 bytes, "
                                      "a data file holds %3.")
                           .arg(path)
                           .arg(bytes.size())
                           .arg(FileSize)};
    out = fromBytes(bytes);
    return {};
}

modOVMXConfig::FileResult modOVMXConfig::writeBytes(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes beside the target and renames over it only once everything is on
    // disk, so a full disk or a pulled stick never leaves a half-written data file.
    QSaveFile file(path);
    // A shared folder may let a file be changed but nothing be created beside it: there the
    // file is written in place, since no temporary file can be made. Everywhere else the
    // write stays all or nothing.
    file.setDirectWriteFallback(true);
    // Unbuffered, so a short write is seen here and not lost in a later flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString())};
    // A disk that fills part way through accepts a short write without a reason; writing the
    // rest again makes the system say why ("No space left on device", "File too large").
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, QStringLiteral("Cannot write \"%1\": %2").arg(path, reason)};
    }
    if (!file.commit())
        return {false, QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString())};
    return {};
}

modOVMXConfig::FileResult modOVMXConfig::writeImage(const QString &path, const Image &image)
{
    return writeBytes(path, toBytes(image));
}

modOVMXConfig::FileResult modOVMXConfig::readFile(const QString &path)
{
    Image image{};
    FileResult result = readImage(path, image);
    if (result.ok)
        m_image = image;
    return result;
}

modOVMXConfig::FileResult modOVMXConfig::writeFile(const QString &path) const
{
    return writeImage(path, m_image);
}

modOVMXConfig::FileResult modOVMXConfig::ReadDataFile() { return readFile(DataFileName); }

modOVMXConfig::FileResult modOVMXConfig::WriteDataFile() const { return writeFile(DataFileName); }
