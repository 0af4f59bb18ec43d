#include "../support/FakePrompts.h"
#include "ControllerSimulator.h"
#include "TestPorts.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QTest>

#include <optional>

namespace
{
const QString DownloadTail =
    "\r\nOrvandel Controller Will Not Function\r\nProperly Until A Download Is Complete.";

// Every word its own low byte pattern, unlike a new configuration.
modOVMXConfig patternedDocument(bool modified)
{
    modOVMXConfig doc;
    modOVMXConfig::Image image{};
    for (int i = 0; i < 1024; ++i)
        image[size_t(i)] = static_cast<int16_t>((i * 7 + 3) & 0xFF);
    doc.setImage(image);
    doc.ConfigModified = modified;
    return doc;
}
} // namespace

class tst_Transfers : public QObject
{
    Q_OBJECT

private:
    std::optional<ControllerSimulator> m_sim;
    std::optional<DroppingPort> m_port;
    std::optional<modOVMXCommunications> m_comm;
    FakePrompts m_prompts;
    QStringList m_captions;
    QList<bool> m_verifyShown;
    modOVMXCommunications::TransferHooks m_hooks;

    // Adds a simulator fault and/or loses every request for one command.
    void breakLine(const QString &fault, const QByteArray &drop)
    {
        if (!fault.isEmpty())
            QVERIFY(m_sim->faults.add(fault, nullptr));
        m_port->dropCommand = drop;
    }
    void checkOneError(const QString &text)
    {
        QCOMPARE(m_prompts.calls.size(), 1);
        QCOMPARE(m_prompts.calls[0].text, text);
        QCOMPARE(m_prompts.calls[0].title, QStringLiteral("Error"));
        QCOMPARE(m_prompts.calls[0].icon, Prompts::Icon::Critical);
        QVERIFY(m_verifyShown.isEmpty());
    }
    void checkCompleted(const QString &title)
    {
        QCOMPARE(m_captions.size(), 16);
        QCOMPARE(m_captions.first(), QStringLiteral("Block 1 Of 16"));
        QCOMPARE(m_captions.last(), QStringLiteral("Block 16 Of 16"));
        QCOMPARE(m_verifyShown, QList<bool>{true});
        QCOMPARE(m_prompts.calls.size(), 1);
        QCOMPARE(m_prompts.calls[0].title, title);
        QCOMPARE(m_prompts.calls[0].text, title + " Complete");
        QCOMPARE(m_prompts.calls[0].icon, Prompts::Icon::NoIcon);
    }

private Q_SLOTS:
    void init()
    {
        m_comm.reset();
        m_port.reset();
        m_sim.emplace();
        m_port.emplace(*m_sim);
        m_comm.emplace(*m_port);
        m_prompts.clear();
        m_captions.clear();
        m_verifyShown.clear();
        m_hooks.progress = [this](const QString &c) { m_captions.append(c); };
        m_hooks.showVerify = [this](bool equal) { m_verifyShown.append(equal); };
        QVERIFY(m_comm->OpenPort(0).ok);
    }

    void download_writesMemoryAndKeepsModifiedFlag()
    {
        const modOVMXConfig doc = patternedDocument(true);
        QVERIFY(m_comm->DownloadSettings(doc, m_prompts, m_hooks));
        for (int i = 0; i < 1024; ++i)
            QCOMPARE(int(m_sim->memory[size_t(i)]), int(doc.image()[size_t(i)]));
        QVERIFY(doc.ConfigModified);
        checkCompleted("Download");
        QVERIFY(m_port->written().first().startsWith('['));
        QCOMPARE(m_port->written().first().mid(5, 8), QByteArray("0400003F"));
        QCOMPARE(m_port->written().at(15).mid(5, 8), QByteArray("0403C03F"));
    }

    void downloadFailure_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("drop");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("blocks");
        QTest::newRow("block 9 silent: error 1")
            << "silent-from-block=9" << QByteArray()
            << "Download Communications Error(1)." + DownloadTail << 8;
        QTest::newRow("checksum unanswered: error 2")
            << QString() << QByteArray("06") << "Download Communications Error(2)." + DownloadTail
            << 16;
        QTest::newRow("both halves wrong: MSW first")
            << "wrong-checksum" << QByteArray()
            << "Checksum Error(MSW). Controller Settings Not Valid." << 16;
        QTest::newRow("low half wrong: LSW")
            << "wrong-checksum=2" << QByteArray()
            << "Checksum Error(LSW). Controller Settings Not Valid." << 16;
        QTest::newRow("disconnect: error 1")
            << "disconnect-at-block=3" << QByteArray()
            << "Download Communications Error(1)." + DownloadTail << 2;
    }
    void downloadFailure()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, drop);
        QFETCH(QString, text);
        QFETCH(int, blocks);
        breakLine(fault, drop);
        modOVMXConfig doc = patternedDocument(true);
        const modOVMXConfig::Image before = doc.image();
        QVERIFY(!m_comm->DownloadSettings(doc, m_prompts, m_hooks));
        checkOneError(text);
        QCOMPARE(m_captions.size(), blocks);
        QVERIFY(doc.image() == before);
        QVERIFY(doc.ConfigModified);
    }

    void upload_replacesImageWithoutMarkingModified()
    {
        for (int i = 0; i < 1024; ++i)
            m_sim->memory[size_t(i)] = uint8_t(255 - i % 256);
        modOVMXConfig doc;
        doc.ConfigModified = false;
        QVERIFY(m_comm->UploadSettings(doc, m_prompts, m_hooks));
        for (int i = 0; i < 1024; ++i)
            QCOMPARE(int(doc.image()[size_t(i)]), 255 - i % 256);
        QVERIFY(!doc.ConfigModified);
        checkCompleted("Upload");
    }

    void uploadFailure_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("drop");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("block 9 silent: error 1")
            << "silent-from-block=9" << QByteArray() << "Upload Communications Error(1).";
        QTest::newRow("checksum unanswered: error 2")
            << QString() << QByteArray("06") << "Upload Communications Error(2).";
        QTest::newRow("high half wrong: MSW")
            << "wrong-checksum=1" << QByteArray() << "Upload Checksum Error(MSW).";
        QTest::newRow("low half wrong: LSW")
            << "wrong-checksum=2" << QByteArray() << "Upload Checksum Error(LSW).";
        QTest::newRow("bad frames: error 1")
            << "bad-frame-checksum" << QByteArray() << "Upload Communications Error(1).";
    }
    void uploadFailure()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, drop);
        QFETCH(QString, firstLine);
        breakLine(fault, drop);
        m_sim->memory.fill(0x5A);
        modOVMXConfig doc = patternedDocument(false);
        doc.DataFileName = QStringLiteral("/tmp/site.OMX");
        QVERIFY(!m_comm->UploadSettings(doc, m_prompts, m_hooks));
        checkOneError(firstLine + "\r\nAll Host Data Has Been Cleared.");
        modOVMXConfig fresh;
        fresh.NewConfiguration();
        QVERIFY(doc.image() == fresh.image());
        QCOMPARE(doc.DataFileName, QStringLiteral("None"));
    }

    void verify_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("drop");
        QTest::addColumn<int>("differingWord"); // -1: memory equals the image
        QTest::addColumn<bool>("equal");
        QTest::newRow("same") << QString() << QByteArray() << -1 << true;
        QTest::newRow("one byte differs") << QString() << QByteArray() << 700 << false;
        QTest::newRow("port choice differs") << QString() << QByteArray() << 511 << false;
        QTest::newRow("checksum unanswered") << QString() << QByteArray("06") << -1 << false;
        QTest::newRow("wrong checksum") << "wrong-checksum=2" << QByteArray() << -1 << false;
    }
    void verify()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, drop);
        QFETCH(int, differingWord);
        QFETCH(bool, equal);
        breakLine(fault, drop);
        const modOVMXConfig doc = patternedDocument(true);
        for (int i = 0; i < 1024; ++i)
            m_sim->memory[size_t(i)] = uint8_t(doc.image()[size_t(i)]);
        if (differingWord >= 0)
            m_sim->memory[size_t(differingWord)] ^= 1;
        const modOVMXCommunications::VerifyResult result = m_comm->VerifySettings(doc);
        QCOMPARE(result.equal, equal);
        QVERIFY(result.memoryRead);
        for (int i = 0; i < 1024; ++i)
            QCOMPARE(int(m_comm->ControllerCopy[size_t(i)]), int(m_sim->memory[size_t(i)]));
    }

    void verify_silentController_notEqualNothingRead()
    {
        m_sim->faults.silent = true;
        const modOVMXCommunications::VerifyResult result = m_comm->VerifySettings(modOVMXConfig());
        QVERIFY(!result.equal);
        QVERIFY(!result.memoryRead);
        QCOMPARE(m_port->written().size(), 1);
    }

    void confirmUpload_asksOnlyWhenModified()
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
        QCOMPARE(m_prompts.unscripted, 0);
        QCOMPARE(m_prompts.calls[0].kind, FakePrompts::Kind::Question);
        QCOMPARE(m_prompts.calls[0].title, QStringLiteral("Tevara Orvandel"));
        QCOMPARE(m_prompts.calls[0].text, QStringLiteral("Discard Any Host Program Changes?"));
    }

    void verifyColours()
    {
        QCOMPARE(modOVMXCommunications::VerifyColour(true).green, 255);
        QCOMPARE(modOVMXCommunications::VerifyColour(false).red, 255);
    }
};

QTEST_APPLESS_MAIN(tst_Transfers)
#include "tst_transfers.moc"
