#pragma once

#include "WalkTest.h"

#include <QAbstractTableModel>

#include <array>
#include <functional>

// The walk test as a checklist: the inputs the document programs first, then the others in
// grey. An input's box is ticked once it was seen closing and opening; the installer ticks Pass
// or Fail and writes a comment in the row.
class WalkTestModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        InputColumn,
        ProgrammedColumn,
        SeenColumn,
        FollowedColumn,
        PassColumn,
        FailColumn,
        CommentColumn,
        ColumnCount
    };

    explicit WalkTestModel(const modOVMXConfig &doc, QObject *parent = nullptr);

    const WalkTest &test() const { return m_test; }
    WalkTest::Header &header() { return m_test.header; }
    int inputAt(int row) const { return m_order[static_cast<size_t>(row)]; }
    // Since the record was taken up or saved: what closing the window would lose.
    bool isChanged() const { return m_changed; }
    void markSaved() { m_changed = false; }

    void add(const StatusEvent &event);
    void setController(const ControllerStatus &status) { m_test.setController(status); }
    // What the controller was confirmed to hold, or nothing known: Pass is offered only while
    // it is this walk's programming.
    void setControllerImage(const std::optional<modOVMXConfig::Image> &image);
    // When a verdict or comment is given; the wall clock unless a test says otherwise.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    modOVMXConfig::FileResult load(const QString &path);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    void progressChanged();
    void controllerChanged();

private:
    QVariant text(const WalkTest::Input &in, int input, int column) const;
    void changed(int row, int firstColumn, int lastColumn);
    int rowOf(int input) const;

    WalkTest m_test;
    std::array<QString, WalkTest::InputCount> m_programming; // "Relay 2: OnOff, Dimmer 1: +10%"
    std::array<int, WalkTest::InputCount> m_order{};         // row → input
    bool m_changed = false;
    std::function<qint64()> m_clock = [] { return QDateTime::currentMSecsSinceEpoch(); };
};
