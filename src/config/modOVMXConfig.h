#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The document: the controller's 1024-byte settings memory held as 1024 16-bit words, with
// the state that travels with it. Word indices and bit positions are computed here and
// nowhere else.
class modOVMXConfig
{
public:
    static constexpr int WordCount = 1024;
    static constexpr int FileSize = WordCount * 2;
    using Image = std::array<int16_t, WordCount>;

    struct FileResult {
        bool ok = true;
        QString error; // readable reason when !ok, naming the file
    };

    // Raw access. An index outside 0-1023 is a programming error: it asserts in debug
    // builds and is ignored (reads give 0) in release builds, never touching other memory.
    int16_t GetWord(int w) const;
    void SetWord(int w, int v);
    bool GetBit(int w, int b) const;
    void SetBit(int w, int b, bool flag);
    static bool IsValidWord(int w) { return w >= 0 && w < WordCount; }

    const Image &image() const { return m_image; }
    // Replaces the whole image (file read, upload); marks nothing by itself.
    void setImage(const Image &image) { m_image = image; }
    // The image with `port` in the port word. With 0 it is the programming alone, the same
    // whichever port the machine that saved it used.
    static Image withPort(Image image, int port = 0)
    {
        image[511] = static_cast<int16_t>(port);
        return image;
    }

    // Relay control record, 4 words at 16i + 4r.
    int16_t GetRelayCloseAction(int i, int r) const { return GetWord(relayWord(i, r)) & 127; }
    void SetRelayCloseAction(int i, int r, int v);
    bool GetRelayHoldStatus(int i, int r) const { return GetBit(relayWord(i, r), 7); }
    void SetRelayHoldStatus(int i, int r, bool v) { SetBit(relayWord(i, r), 7, v); }
    int16_t GetRelayOpenAction(int i, int r) const { return GetWord(relayWord(i, r) + 1); }
    void SetRelayOpenAction(int i, int r, int v) { SetWord(relayWord(i, r) + 1, v); }
    int GetRelayTimedOn(int i, int r) const { return splitWord(relayWord(i, r) + 2); }
    void SetRelayTimedOn(int i, int r, int v) { setSplitWord(relayWord(i, r) + 2, v); }

    // Input-disable matrices: one bit per acting input i for each disabled input j.
    bool GetInputDisableClosed(int i, int j) const { return GetBit(disableWord(384, i, j), i % 8); }
    void SetInputDisableClosed(int i, int j, bool v) { SetBit(disableWord(384, i, j), i % 8, v); }
    bool GetInputDisableOpen(int i, int j) const { return GetBit(disableWord(896, i, j), i % 8); }
    void SetInputDisableOpen(int i, int j, bool v) { SetBit(disableWord(896, i, j), i % 8, v); }

    int16_t GetRelayPowerOn(int r) const { return GetWord(456 + r); }
    void SetRelayPowerOn(int r, int v) { SetWord(456 + r, v); }
    int16_t GetPhotocellFilter(int p) const { return GetWord(460 + p); }
    void SetPhotocellFilter(int p, int v) { SetWord(460 + p, v); }
    int16_t GetPhotocellOffLevel(int p, int l) const { return GetWord(464 + 4 * p + l); }
    void SetPhotocellOffLevel(int p, int l, int v) { SetWord(464 + 4 * p + l, v); }
    int16_t GetPhotocellOnLevel(int p, int l) const { return GetWord(472 + 4 * p + l); }
    void SetPhotocellOnLevel(int p, int l, int v) { SetWord(472 + 4 * p + l, v); }

    // Dimmer settings, 4 words at 480 + 4d.
    int16_t GetDimmerPowerOnLevel(int d) const { return GetWord(480 + 4 * d); }
    void SetDimmerPowerOnLevel(int d, int v) { SetWord(480 + 4 * d, v); }
    int16_t GetDimmerMinLevel(int d) const { return GetWord(480 + 4 * d + 1); }
    void SetDimmerMinLevel(int d, int v) { SetWord(480 + 4 * d + 1, v); }
    int16_t GetDimmerMaxLevel(int d) const { return GetWord(480 + 4 * d + 2); }
    void SetDimmerMaxLevel(int d, int v) { SetWord(480 + 4 * d + 2, v); }
    int16_t GetDimmerFadeRate(int d) const { return GetWord(480 + 4 * d + 3); }
    void SetDimmerFadeRate(int d, int v) { SetWord(480 + 4 * d + 3, v); }

    int16_t GetPilotLight(int s, int k) const { return GetWord(496 + 6 * s + k); }
    void SetPilotLight(int s, int k, int v) { SetWord(496 + 6 * s + k, v); }
    int GetTimedOffOverride() const { return splitWord(508); }
    void SetTimedOffOverride(int v) { setSplitWord(508, v); }
    int16_t GetTimedOffAlert() const { return GetWord(510); }
    void SetTimedOffAlert(int v) { SetWord(510, v); }
    int16_t GetComPort() const { return GetWord(511); }
    void SetComPort(int v) { SetWord(511, v); }

    // Dimmer control record, 3 words at 512 + 12i + 3d.
    int16_t GetDimmerControl(int i, int d) const { return GetWord(dimmerWord(i, d)); }
    void SetDimmerControl(int i, int d, int v) { SetWord(dimmerWord(i, d), v); }
    int16_t GetDimmerControlFadeRate(int i, int d) const { return GetWord(dimmerWord(i, d) + 1); }
    void SetDimmerControlFadeRate(int i, int d, int v) { SetWord(dimmerWord(i, d) + 1, v); }
    int16_t GetDimmerRevert(int i, int d) const { return GetWord(dimmerWord(i, d) + 2); }
    void SetDimmerRevert(int i, int d, int v) { SetWord(dimmerWord(i, d) + 2, v); }

    // Scaling curve, 6 words at 800 + 24p + 6d: the three levels, then the three outputs.
    int16_t GetScaleLevel1(int p, int d) const { return GetWord(scaleWord(p, d)); }
    void SetScaleLevel1(int p, int d, int v) { SetWord(scaleWord(p, d), v); }
    int16_t GetScaleLevel2(int p, int d) const { return GetWord(scaleWord(p, d) + 1); }
    void SetScaleLevel2(int p, int d, int v) { SetWord(scaleWord(p, d) + 1, v); }
    int16_t GetScaleLevel3(int p, int d) const { return GetWord(scaleWord(p, d) + 2); }
    void SetScaleLevel3(int p, int d, int v) { SetWord(scaleWord(p, d) + 2, v); }
    int16_t GetScaleOutput1(int p, int d) const { return GetWord(scaleWord(p, d) + 3); }
    void SetScaleOutput1(int p, int d, int v) { SetWord(scaleWord(p, d) + 3, v); }
    int16_t GetScaleOutput2(int p, int d) const { return GetWord(scaleWord(p, d) + 4); }
    void SetScaleOutput2(int p, int d, int v) { SetWord(scaleWord(p, d) + 4, v); }
    int16_t GetScaleOutput3(int p, int d) const { return GetWord(scaleWord(p, d) + 5); }
    void SetScaleOutput3(int p, int d, int v) { SetWord(scaleWord(p, d) + 5, v); }
    int16_t GetScaleTarget(int p, int d) const { return GetWord(848 + 4 * p + d); }
    void SetScaleTarget(int p, int d, int v) { SetWord(848 + 4 * p + d, v); }
    int16_t GetPhotocellTracking(int p, int d) const { return GetWord(856 + 4 * p + d); }
    void SetPhotocellTracking(int p, int d, int v) { SetWord(856 + 4 * p + d, v); }

    // Resets the image to zero, then writes the defaults through the field writers, so the
    // configuration ends up modified; callers clear the flag when they want a clean state.
    void NewConfiguration();

    // Read or write the file named by DataFileName. Neither touches ConfigModified. A failed
    // read leaves the image as it was; a failed write leaves the previous file on disk intact.
    FileResult ReadDataFile();
    FileResult WriteDataFile() const;
    // The same on an explicit path; used by the commands that must not change DataFileName
    // before the operation has succeeded.
    FileResult readFile(const QString &path);
    FileResult writeFile(const QString &path) const;
    static FileResult readImage(const QString &path, Image &out);
    static FileResult writeImage(const QString &path, const Image &image);
    // Replaces the file at path with bytes, all or nothing.
    static FileResult writeBytes(const QString &path, const QByteArray &bytes);
    static QByteArray toBytes(const Image &image);
    static Image fromBytes(const QByteArray &bytes); // first 2048 bytes; missing words are 0

    static int16_t LevelToFootCandles(int level);

    // Document state.
    bool ConfigModified = false;
    QString DataFileName = QStringLiteral("None");
    QString BaseTitle = QStringLiteral("Tevara Orvandel MX Configuration Tool  Rev 1.60");
    bool ExitConfirmed = false;
    bool ShowLevelsInFC = false;

    // The grid cell being edited, set by the main screen before an editor opens.
    int16_t SelInput = 0;
    int16_t SelRelay = 0;
    int16_t SelDisInput = 0;
    int16_t SelDimmer = 0;
    int16_t SelPhotocell = 0;

private:
    static int relayWord(int i, int r) { return 16 * i + 4 * r; }
    static int disableWord(int base, int i, int j) { return base + 3 * j + i / 8; }
    static int dimmerWord(int i, int d) { return 512 + 12 * i + 3 * d; }
    static int scaleWord(int p, int d) { return 800 + 24 * p + 6 * d; }
    // Wider than a word: a file may hold any 16-bit value in the high part.
    int splitWord(int w) const { return 256 * GetWord(w) + GetWord(w + 1); }
    void setSplitWord(int w, int v);

    Image m_image{};
};
