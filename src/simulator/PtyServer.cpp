#include "PtyServer.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace
{
using Clock = std::chrono::steady_clock;

int msUntil(Clock::time_point at)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(at - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

void sleepUntil(Clock::time_point at)
{
    const auto since = at.time_since_epoch();
    timespec ts{};
    ts.tv_sec =
        static_cast<time_t>(std::chrono::duration_cast<std::chrono::seconds>(since).count());
    ts.tv_nsec = static_cast<long>((since - std::chrono::seconds(ts.tv_sec)).count());
    // steady_clock is CLOCK_MONOTONIC on Linux.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}
} // namespace

PtyServer::~PtyServer() { close(); }

bool PtyServer::open(QString *error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    const char *name = m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0
                           ? ptsname(m_master)
                           : nullptr;
    if (name)
        m_slave = ::open(name, O_RDWR | O_NOCTTY);
    termios raw{};
    if (!name || m_slave < 0 || tcgetattr(m_slave, &raw) != 0) {
        if (error)
            *error = QStringLiteral("cannot make a pseudo-terminal: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
        close();
        return false;
    }
    // No echo and no line editing until a client sets its own mode.
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    m_path = QString::fromLocal8Bit(name);
    return true;
}

void PtyServer::close()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

PtyServer::End PtyServer::serve(int stopFd)
{
    QEventLoop loop;
    End end = End::Failed;
    QSocketNotifier requests(m_master, QSocketNotifier::Read);
    QSocketNotifier stop(stopFd, QSocketNotifier::Read);
    QTimer due;
    due.setSingleShot(true);
    due.setTimerType(Qt::PreciseTimer);
    const auto finish = [&](End how) {
        requests.setEnabled(false);
        end = how;
        loop.quit();
    };
    const auto deliver = [&] {
        sendDue();
        if (m_dropped && m_due.isEmpty()) {
            finish(End::Disconnected);
            close();
        } else if (!m_due.isEmpty()) {
            due.start(msUntil(m_due.first().at));
        }
    };
    QObject::connect(&requests, &QSocketNotifier::activated, &loop, [&] {
        if (readRequests())
            deliver();
        else
            finish(End::Failed);
    });
    QObject::connect(&due, &QTimer::timeout, &loop, deliver);
    QObject::connect(&stop, &QSocketNotifier::activated, &loop, [&] { finish(End::Stopped); });
    loop.exec();
    return end;
}

void PtyServer::sendDue()
{
    while (!m_due.isEmpty() && m_due.first().at <= Clock::now())
        send(m_due.takeFirst().bytes);
}

bool PtyServer::readRequests()
{
    char buffer[1024];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR || errno == EIO)
            return true;
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const ControllerSimulator::Output out =
        m_controller.receive(QByteArrayView(buffer, static_cast<qsizetype>(n)));
    for (const ControllerSimulator::Reply &reply : out.replies)
        m_due.append({Clock::now() + std::chrono::milliseconds(reply.delayMs), reply.bytes});
    m_dropped = m_dropped || out.disconnect;
    return true;
}

void PtyServer::send(const QByteArray &bytes)
{
    if (!m_paced) {
        // A full buffer means nobody reads: the reply is lost, as on an unconnected line.
        [[maybe_unused]] const ssize_t n = ::write(m_master, bytes.constData(), bytes.size());
        return;
    }
    const Clock::time_point start = Clock::now();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        sleepUntil(start + CharacterTime * (i + 1));
        [[maybe_unused]] const ssize_t n = ::write(m_master, bytes.constData() + i, 1);
    }
}
