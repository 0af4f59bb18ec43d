#pragma once

#include "ConnectColours.h"
#include "FakePrompts.h"
#include "Frames.h"
#include "SimulatedSerialPort.h"
#include "frmConnect.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

// The simulated line, recording the commands sent; a set `statusPayload` (27 characters)
// answers the status command instead of the controller.
class RecordingPort : public SimulatedSerialPort
{
public:
    using SimulatedSerialPort::SimulatedSerialPort;
    QByteArray statusPayload;
    QList<QByteArray> commands;

    bool write(const QByteArray &data) override
    {
        const QByteArray command = data.mid(5, data.size() - 6); // inside "[CC00" ... "]"
        if (isOpen())
            commands.append(command);
        if (isOpen() && !statusPayload.isEmpty() && command == Frames::statusCommand()) {
            injectReceived(Frames::buildReply(statusPayload));
            return true;
        }
        return SimulatedSerialPort::write(data);
    }
    qsizetype sent(const QByteArray &prefix) const
    {
        return std::count_if(commands.begin(), commands.end(),
                             [&](const QByteArray &c) { return c.startsWith(prefix); });
    }
};

// The status reply's 27 characters by field, positions 4-30 of the frame.
struct StatusText {
    QByteArray inputs = "30", station1 = "00", station2 = "00", unused = "0", relays = "0",
               dimmers = "00000000", pc1 = "00", pc2 = "00", pcInputs = "00", node = "FF",
               firmware = "3", model = "80";
    QByteArray payload() const
    {
        return inputs + station1 + station2 + unused + relays + dimmers + pc1 + pc2 + pcInputs +
               node + firmware + model;
    }
};

// One connection window over the simulated controller, shown offscreen; the document and the
// controller hold the same new configuration unless a test changes either.
class ConnectRig
{
public:
    modOVMXConfig doc;
    FakePrompts prompts;
    ControllerSimulator sim;
    RecordingPort port{sim};
    modOVMXCommunications comm{port};
    std::unique_ptr<frmConnect> window;

    ConnectRig()
    {
        doc.NewConfiguration();
        doc.ConfigModified = false;
        controllerHoldsDocument();
    }
    void controllerHoldsDocument()
    {
        for (int w = 0; w < modOVMXConfig::WordCount; ++w)
            sim.memory[static_cast<size_t>(w)] = static_cast<uint8_t>(doc.GetWord(w));
    }
    bool open()
    {
        window = std::make_unique<frmConnect>(doc, prompts, comm);
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    // Connects and answers one poll; the test then polls itself, so what was sent is exactly
    // what it did.
    bool connect()
    {
        if (!open())
            return false;
        click(QStringLiteral("cmdConnect"));
        if (!window->isConnected())
            return false;
        window->timer()->stop();
        window->Timer1_Timer();
        return window->isConnected();
    }
    template <typename T> T *child(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    void click(const QString &name) const
    {
        QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
    }
    QLabel *status(int index) const
    {
        return child<QLabel>(QStringLiteral("lblStatus(%1)").arg(index));
    }
    QString statusText(int index) const { return status(index)->text(); }
    QColor statusColour(int index) const { return ConnectColours::background(status(index)); }
    QString text(const QString &label) const { return child<QLabel>(label)->text(); }
    bool visible(const QString &name) const { return child<QWidget>(name)->isVisible(); }
    void fault(const QString &which)
    {
        QString error;
        QVERIFY2(sim.faults.add(which, &error), qPrintable(error));
    }
};
