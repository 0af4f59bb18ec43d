#include "Prompts.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <algorithm>

namespace
{
const QString CrLf = QStringLiteral("\r\n");

QString downloadError(int n)
{
    return QStringLiteral("Download Communications Error(%1).").arg(n) + CrLf +
           QStringLiteral("Orvandel Controller Will Not Function") + CrLf +
           QStringLiteral("Properly Until A Download Is Complete.");
}

QString uploadError(const QString &firstLine)
{
    return firstLine + CrLf + QStringLiteral("All Host Data Has Been Cleared.");
}

void showError(Prompts &prompts, const QString &text)
{
    prompts.message(QStringLiteral("Error"), text, Prompts::Icon::Critical);
}

void showProgress(const modOVMXCommunications::TransferHooks &hooks, int n)
{
    if (hooks.progress)
        hooks.progress(modOVMXCommunications::BlockCaption(n));
}

void showVerify(const modOVMXCommunications::TransferHooks &hooks, bool equal)
{
    if (hooks.showVerify)
        hooks.showVerify(equal);
}
} // namespace

QString modOVMXCommunications::BlockCaption(int n)
{
    return QStringLiteral("Block %1 Of %2").arg(n).arg(Frames::BlockCount);
}

QString modOVMXCommunications::VerifyCaption(bool equal)
{
    return equal ? QStringLiteral("Settings Are Equal") : QStringLiteral("Settings Are  Not Equal");
}

modOVMXCommunications::Rgb modOVMXCommunications::VerifyColour(bool equal)
{
    return equal ? Rgb{128, 255, 128} : Rgb{255, 128, 128};
}

bool modOVMXCommunications::readBlockInto(int block, int16_t *target)
{
    if (!Transact(Frames::blockReadCommand(block), Frames::BlockReadReplyLength,
                  Frames::BlockLimit))
        return false;
    for (int j = 0; j < Frames::BlockSize; ++j)
        target[j] = static_cast<int16_t>(HexVal2(replyAt(4 + 2 * j, 2)));
    return true;
}

bool modOVMXCommunications::readChecksum(uint16_t &msw, uint16_t &lsw)
{
    if (!Transact(Frames::checksumCommand(), Frames::ChecksumReplyLength, Frames::ChecksumLimit))
        return false;
    msw = static_cast<uint16_t>(HexVal4(replyAt(4, 4)));
    lsw = static_cast<uint16_t>(HexVal4(replyAt(8, 4)));
    return true;
}

bool modOVMXCommunications::ReadMemory(bool *allBlocks)
{
    if (allBlocks)
        *allBlocks = false;
    for (int b = 0; b < Frames::BlockCount; ++b) {
        if (!readBlockInto(b, ControllerCopy.data() + b * Frames::BlockSize))
            return false;
    }
    if (allBlocks)
        *allBlocks = true;
    uint16_t msw = 0, lsw = 0;
    if (!readChecksum(msw, lsw))
        return false;
    const uint32_t sum = Frames::blockChecksum(ControllerCopy);
    if (Frames::msw(sum) != msw || Frames::lsw(sum) != lsw) {
        LastFailure = QStringLiteral("the memory read does not agree with the checksum the "
                                     "controller reports");
        return false;
    }
    return true;
}

modOVMXCommunications::VerifyResult modOVMXCommunications::VerifySettings(const modOVMXConfig &doc)
{
    VerifyResult result;
    result.confirmed = ReadMemory(&result.memoryRead);
    result.equal = result.confirmed &&
                   std::equal(ControllerCopy.begin(), ControllerCopy.end(), doc.image().begin());
    return result;
}

bool modOVMXCommunications::DownloadSettings(const modOVMXConfig &doc, Prompts &prompts,
                                             const TransferHooks &hooks)
{
    const auto &image = doc.image();
    for (int b = 0; b < Frames::BlockCount; ++b) {
        const auto block = std::span(image).subspan(b * Frames::BlockSize, Frames::BlockSize);
        if (!Transact(Frames::blockWriteCommand(b, block), Frames::BlockWriteReplyLength,
                      Frames::BlockLimit)) {
            showError(prompts, downloadError(1));
            return false;
        }
        showProgress(hooks, b + 1);
    }
    uint16_t msw = 0, lsw = 0;
    if (!readChecksum(msw, lsw)) {
        showError(prompts, downloadError(2));
        return false;
    }
    const uint32_t sum = Frames::blockChecksum(image);
    if (Frames::msw(sum) != msw || Frames::lsw(sum) != lsw)
        LastFailure = QStringLiteral("the checksum the controller reports does not agree with the "
                                     "settings sent");
    if (Frames::msw(sum) != msw) {
        showError(prompts, QStringLiteral("Checksum Error(MSW). Controller Settings Not Valid."));
        return false;
    }
    if (Frames::lsw(sum) != lsw) {
        showError(prompts, QStringLiteral("Checksum Error(LSW). Controller Settings Not Valid."));
        return false;
    }
    showVerify(hooks, true);
    prompts.message(QStringLiteral("Download"), QStringLiteral("Download Complete"),
                    Prompts::Icon::NoIcon);
    return true;
}

bool modOVMXCommunications::UploadSettings(modOVMXConfig &doc, Prompts &prompts,
                                           const TransferHooks &hooks)
{
    // Received blocks go straight into the image, past the field writers, so the modified
    // flag stays as it was.
    modOVMXConfig::Image image = doc.image();
    QString failure;
    for (int b = 0; b < Frames::BlockCount && failure.isEmpty(); ++b) {
        if (!readBlockInto(b, image.data() + b * Frames::BlockSize))
            failure = QStringLiteral("Upload Communications Error(1).");
        else
            showProgress(hooks, b + 1);
    }
    uint16_t msw = 0, lsw = 0;
    if (failure.isEmpty() && !readChecksum(msw, lsw))
        failure = QStringLiteral("Upload Communications Error(2).");
    const uint32_t sum = Frames::blockChecksum(image);
    if (failure.isEmpty() && Frames::msw(sum) != msw)
        failure = QStringLiteral("Upload Checksum Error(MSW).");
    else if (failure.isEmpty() && Frames::lsw(sum) != lsw)
        failure = QStringLiteral("Upload Checksum Error(LSW).");

    if (!failure.isEmpty()) {
        if (failure.startsWith(QLatin1String("Upload Checksum")))
            LastFailure = QStringLiteral("the memory read does not agree with the checksum the "
                                         "controller reports");
        showError(prompts, uploadError(failure));
        // Nothing partly received or unconfirmed may stay in the image.
        doc.NewConfiguration();
        return false;
    }
    doc.setImage(image);
    showVerify(hooks, true);
    prompts.message(QStringLiteral("Upload"), QStringLiteral("Upload Complete"),
                    Prompts::Icon::NoIcon);
    return true;
}

bool modOVMXCommunications::ConfirmUpload(const modOVMXConfig &doc, Prompts &prompts)
{
    return !doc.ConfigModified ||
           prompts.askYesNo(QStringLiteral("Tevara Orvandel"),
                            QStringLiteral("Discard Any Host Program Changes?"));
}
