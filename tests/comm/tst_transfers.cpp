#include "../support/FakePrompts.h"
#include "ControllerSimulator.h"
#include "TestPorts.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QTest>

namespace
{
const QString DownloadTail = QStringLiteral(
    "\r\nOrvandel Controller Will Not Function\r\nProperly Until A Download Is Complete.");
const QString UploadTail = QStringLiteral("\r\nAll Host Data Has Been Cleared.");

modOVMXConfig::Image newConfigurationImage()
{
    modOVMXConfig fresh;
    fresh.NewConfiguration();
    return fresh.image();
}

// A document whose every word is its own low byte pattern, unlike a new configuration.
modOVMXConfig patternedDocument()
{
    modOVMXConfig doc;
    modOVMXConfig::Image image{};
    for (int i = 0; i < 1024; ++i)
        image[size_t(i)] = static_cast<int16_t>((i * 7 + 3) & 0xFF);
    doc.setImage(image);
    doc.ConfigModified = false;
    return doc;
}
} // namespace

class tst_Transfers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void download_writesMemoryAndReportsComplete();
    void download_leavesModifiedFlag_data();
    void download_leavesModifiedFlag();
    void downloadFailure_data();
    void downloadFailure();
    void download_wordAbove255_checksumError();
    void upload_replacesImageWithoutMarkingModified();
    void uploadFailure_data();
    void uploadFailure();
    void verify_data();
    void verify();
    void verify_silentController_notEqualNothingRead();
    void confirmUpload_asksOnlyWhenModified();
    void captions_andColours();

private:
    std::unique_ptr<ControllerSimulator> m_sim;
    std::unique_ptr<DroppingPort> m_port;
    std::unique_ptr<modOVMXCommunications> m_comm;
    FakePrompts m_prompts;
    QStringList m_captions;
    QList<bool> m_verifyShown;
    modOVMXCommunications::TransferHooks m_hooks;
};

void tst_Transfers::init()
{
    m_sim = std::make_unique<ControllerSimulator>();
    m_port = std::make_unique<DroppingPort>(*m_sim);
    m_comm = std::make_unique<modOVMXCommunications>(*m_port);
    m_prompts.clear();
    m_captions.clear();
    m_verifyShown.clear();
    m_hooks.progress = [this](const QString &c) { m_captions.append(c); };
    m_hooks.showVerify = [this](bool equal) { m_verifyShown.append(equal); };
    QVERIFY(m_comm->OpenPort(0).ok);
}

void tst_Transfers::download_writesMemoryAndReportsComplete()
{
    const modOVMXConfig doc = patternedDocument();
    QVERIFY(m_comm->DownloadSettings(doc, m_prompts, m_hooks));
    for (int i = 0; i < 1024; ++i)
        QCOMPARE(int(m_sim->memory[size_t(i)]), int(doc.image()[size_t(i)]));
    QCOMPARE(m_captions.size(), 16);
    QCOMPARE(m_captions.first(), QStringLiteral("Block 1 Of 16"));
    QCOMPARE(m_captions.last(), QStringLiteral("Block 16 Of 16"));
    QCOMPARE(m_verifyShown, QList<bool>{true});
    QCOMPARE(m_prompts.calls.size(), 1);
    QCOMPARE(m_prompts.calls[0].title, QStringLiteral("Download"));
    QCOMPARE(m_prompts.calls[0].text, QStringLiteral("Download Complete"));
    QCOMPARE(m_prompts.calls[0].icon, Prompts::Icon::NoIcon);
    QVERIFY(m_port->written().first().startsWith("[") &&
            m_port->written().first().mid(5, 8) == "0400003F");
    QCOMPARE(m_port->written().at(15).mid(5, 8), QByteArray("0403C03F"));
}

void tst_Transfers::download_leavesModifiedFlag_data()
{
    QTest::addColumn<bool>("modified");
    QTest::newRow("modified_staysModified") << true;
    QTest::newRow("clean_staysClean") << false;
}

void tst_Transfers::download_leavesModifiedFlag()
{
    QFETCH(bool, modified);
    modOVMXConfig doc = patternedDocument();
    doc.ConfigModified = modified;
    QVERIFY(m_comm->DownloadSettings(doc, m_prompts, m_hooks));
    QCOMPARE(doc.ConfigModified, modified);
}

void tst_Transfers::downloadFailure_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("drop");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("blocks");
    QTest::newRow("block9Silent_error1")
        << QStringLiteral("silent-from-block=9") << QByteArray()
        << QStringLiteral("Download Communications Error(1).") + DownloadTail << 8;
    QTest::newRow("checksumUnanswered_error2")
        << QString() << QByteArray("06")
        << QStringLiteral("Download Communications Error(2).") + DownloadTail << 16;
    QTest::newRow("bothHalvesWrong_MSWFirst")
        << QStringLiteral("wrong-checksum") << QByteArray()
        << QStringLiteral("Checksum Error(MSW). Controller Settings Not Valid.") << 16;
    QTest::newRow("lowHalfWrong_LSW")
        << QStringLiteral("wrong-checksum=2") << QByteArray()
        << QStringLiteral("Checksum Error(LSW). Controller Settings Not Valid.") << 16;
    QTest::newRow("disconnect_error1")
        << QStringLiteral("disconnect-at-block=3") << QByteArray()
        << QStringLiteral("Download Communications Error(1).") + DownloadTail << 2;
}

void tst_Transfers::downloadFailure()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, drop);
    QFETCH(QString, text);
    QFETCH(int, blocks);
    if (!fault.isEmpty())
        QVERIFY(m_sim->faults.add(fault, nullptr));
    m_port->dropCommand = drop;
    modOVMXConfig doc = patternedDocument();
    doc.ConfigModified = true;
    const modOVMXConfig::Image before = doc.image();
    QVERIFY(!m_comm->DownloadSettings(doc, m_prompts, m_hooks));
    QCOMPARE(m_prompts.calls.size(), 1);
    QCOMPARE(m_prompts.calls[0].text, text);
    QCOMPARE(m_prompts.calls[0].title, QStringLiteral("Error"));
    QCOMPARE(m_prompts.calls[0].icon, Prompts::Icon::Critical);
    QCOMPARE(m_captions.size(), blocks);
    QVERIFY(m_verifyShown.isEmpty());
    QVERIFY(doc.image() == before);
    QVERIFY(doc.ConfigModified);
}

void tst_Transfers::download_wordAbove255_checksumError()
{
    modOVMXConfig doc = patternedDocument();
    modOVMXConfig::Image image = doc.image();
    image[100] = 0x1FF;
    doc.setImage(image);
    QVERIFY(!m_comm->DownloadSettings(doc, m_prompts, m_hooks));
    QCOMPARE(int(m_sim->memory[100]), 0xFF);
    QVERIFY(m_prompts.calls.first().text.startsWith(QStringLiteral("Checksum Error(")));
}

void tst_Transfers::upload_replacesImageWithoutMarkingModified()
{
    for (int i = 0; i < 1024; ++i)
        m_sim->memory[size_t(i)] = uint8_t(255 - i % 256);
    modOVMXConfig doc;
    doc.ConfigModified = false;
    QVERIFY(m_comm->UploadSettings(doc, m_prompts, m_hooks));
    for (int i = 0; i < 1024; ++i)
        QCOMPARE(int(doc.image()[size_t(i)]), 255 - i % 256);
    QVERIFY(!doc.ConfigModified);
    QCOMPARE(m_captions.size(), 16);
    QCOMPARE(m_verifyShown, QList<bool>{true});
    QCOMPARE(m_prompts.calls.size(), 1);
    QCOMPARE(m_prompts.calls[0].title, QStringLiteral("Upload"));
    QCOMPARE(m_prompts.calls[0].text, QStringLiteral("Upload Complete"));
    QCOMPARE(m_prompts.calls[0].icon, Prompts::Icon::NoIcon);
}

void tst_Transfers::uploadFailure_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("drop");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("block9Silent_error1") << QStringLiteral("silent-from-block=9") << QByteArray()
                                         << QStringLiteral("Upload Communications Error(1).");
    QTest::newRow("checksumUnanswered_error2")
        << QString() << QByteArray("06") << QStringLiteral("Upload Communications Error(2).");
    QTest::newRow("highHalfWrong_MSW") << QStringLiteral("wrong-checksum=1") << QByteArray()
                                       << QStringLiteral("Upload Checksum Error(MSW).");
    QTest::newRow("lowHalfWrong_LSW") << QStringLiteral("wrong-checksum=2") << QByteArray()
                                      << QStringLiteral("Upload Checksum Error(LSW).");
    QTest::newRow("badFrames_error1") << QStringLiteral("bad-frame-checksum") << QByteArray()
                                      << QStringLiteral("Upload Communications Error(1).");
}

void tst_Transfers::uploadFailure()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, drop);
    QFETCH(QString, firstLine);
    if (!fault.isEmpty())
        QVERIFY(m_sim->faults.add(fault, nullptr));
    m_port->dropCommand = drop;
    m_sim->memory.fill(0x5A);
    modOVMXConfig doc = patternedDocument();
    doc.DataFileName = QStringLiteral("/tmp/site.OMX");
    QVERIFY(!m_comm->UploadSettings(doc, m_prompts, m_hooks));
    QCOMPARE(m_prompts.calls.size(), 1);
    QCOMPARE(m_prompts.calls[0].text, firstLine + UploadTail);
    QCOMPARE(m_prompts.calls[0].title, QStringLiteral("Error"));
    QCOMPARE(m_prompts.calls[0].icon, Prompts::Icon::Critical);
    QVERIFY(doc.image() == newConfigurationImage());
    QCOMPARE(doc.DataFileName, QStringLiteral("None"));
    QVERIFY(m_verifyShown.isEmpty());
}

void tst_Transfers::verify_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("drop");
    QTest::addColumn<int>("differingWord"); // -1: memory equals the image
    QTest::addColumn<bool>("equal");
    QTest::newRow("same_equal") << QString() << QByteArray() << -1 << true;
    QTest::newRow("oneByteDiffers_notEqual") << QString() << QByteArray() << 700 << false;
    QTest::newRow("portChoiceDiffers_notEqual") << QString() << QByteArray() << 511 << false;
    QTest::newRow("checksumUnanswered_notEqual") << QString() << QByteArray("06") << -1 << false;
    QTest::newRow("wrongChecksum_notEqual")
        << QStringLiteral("wrong-checksum=2") << QByteArray() << -1 << false;
}

void tst_Transfers::verify()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, drop);
    QFETCH(int, differingWord);
    QFETCH(bool, equal);
    if (!fault.isEmpty())
        QVERIFY(m_sim->faults.add(fault, nullptr));
    m_port->dropCommand = drop;
    modOVMXConfig doc = patternedDocument();
    doc.ConfigModified = true;
    for (int i = 0; i < 1024; ++i)
        m_sim->memory[size_t(i)] = uint8_t(doc.image()[size_t(i)]);
    if (differingWord >= 0)
        m_sim->memory[size_t(differingWord)] ^= 1;
    const modOVMXConfig::Image before = doc.image();
    const modOVMXCommunications::VerifyResult result = m_comm->VerifySettings(doc);
    QCOMPARE(result.equal, equal);
    QVERIFY(result.memoryRead);
    for (int i = 0; i < 1024; ++i)
        QCOMPARE(int(m_comm->ControllerCopy[size_t(i)]), int(m_sim->memory[size_t(i)]));
    QVERIFY(doc.image() == before);
    QVERIFY(doc.ConfigModified);
}

void tst_Transfers::verify_silentController_notEqualNothingRead()
{
    m_sim->faults.silent = true;
    const modOVMXCommunications::VerifyResult result = m_comm->VerifySettings(modOVMXConfig());
    QVERIFY(!result.equal);
    QVERIFY(!result.memoryRead);
    QCOMPARE(m_port->written().size(), 1);
}

void tst_Transfers::confirmUpload_asksOnlyWhenModified()
{
    modOVMXConfig doc;
    doc.ConfigModified = false;
    QVERIFY(modOVMXCommunications::ConfirmUpload(doc, m_prompts));
    QVERIFY(m_prompts.calls.isEmpty());
    doc.ConfigModified = true;
    m_prompts.script({false, true});
    QVERIFY(!modOVMXCommunications::ConfirmUpload(doc, m_prompts));
    QVERIFY(modOVMXCommunications::ConfirmUpload(doc, m_prompts));
    QCOMPARE(m_prompts.calls.size(), 2);
    QCOMPARE(m_prompts.calls[0].kind, FakePrompts::Kind::Question);
    QCOMPARE(m_prompts.unscripted, 0);
    QCOMPARE(m_prompts.calls[0].title, QStringLiteral("Tevara Orvandel"));
    QCOMPARE(m_prompts.calls[0].text, QStringLiteral("Discard Any Host Program Changes?"));
}

void tst_Transfers::captions_andColours()
{
    QCOMPARE(modOVMXCommunications::VerifyCaption(true), QStringLiteral("Settings Are Equal"));
    QCOMPARE(modOVMXCommunications::VerifyCaption(false),
             QStringLiteral("Settings Are  Not Equal"));
    QCOMPARE(modOVMXCommunications::VerifyColour(true).green, 255);
    QCOMPARE(modOVMXCommunications::VerifyColour(false).red, 255);
    QCOMPARE(modOVMXCommunications::BlockCaption(3), QStringLiteral("Block 3 Of 16"));
}

QTEST_APPLESS_MAIN(tst_Transfers)
#include "tst_transfers.moc"
