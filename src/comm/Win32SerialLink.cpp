#include "Win32SerialLink.h"

#include <algorithm>

#include <windows.h>

#include <setupapi.h>

namespace
{
HANDLE handleOf(void *handle) { return static_cast<HANDLE>(handle); }

QString systemError(DWORD code) { return qt_error_string(static_cast<int>(code)); }

// The device setup class of serial and parallel ports.
const GUID PortsClass = {
    0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

QString registryText(HKEY key, const wchar_t *value)
{
    wchar_t text[256] = {};
    DWORD size = sizeof text - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE *>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return QString::fromWCharArray(text);
}
} // namespace

Win32SerialLink::Win32SerialLink(PortMap map) : m_map(std::move(map)) {}

Win32SerialLink::~Win32SerialLink() { close(); }

QString Win32SerialLink::devicePath(const QString &port)
{
    return port.startsWith(QLatin1String("\\\\")) ? port : QStringLiteral("\\\\.\\") + port;
}

SerialPort::OpenResult Win32SerialLink::open(int portNumber)
{
    close();
    const QString device = m_map.deviceFor(portNumber);
    const HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t *>(devicePath(device).utf16()),
                    GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        DeviceFacts facts;
        facts.exists = code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND;
        facts.accessible = true;
        // A COM port is never shared: refused means another program has it open.
        facts.busy = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION;
        m_error = openFailureReason(device, facts, systemError(code));
        return {false, device, m_error};
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool ready = GetCommState(handle, &dcb);
    dcb.BaudRate = CBR_38400;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    // DTR and RTS stay raised, as on Linux. The controller uses neither, so the port never
    // sets or reads the modem lines itself: drivers without them (a pseudo-terminal under
    // wine) refuse those calls.
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    ready = ready && SetCommState(handle, &dcb);
    if (!ready) {
        m_error = QStringLiteral("%1: %2").arg(device, systemError(GetLastError()));
        CloseHandle(handle);
        return {false, device, m_error};
    }
    // What an earlier program left in the driver's buffers is no reply to us.
    PurgeComm(handle, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    m_handle = handle;
    m_port = device;
    m_received.clear();
    m_error.clear();
    return {true, device, {}};
}

void Win32SerialLink::close()
{
    if (m_handle)
        CloseHandle(handleOf(m_handle));
    m_handle = nullptr;
}

bool Win32SerialLink::write(const QByteArray &data)
{
    if (!isOpen())
        return false;
    DWORD sent = 0;
    const bool written = WriteFile(handleOf(m_handle), data.constData(),
                                   static_cast<DWORD>(data.size()), &sent, nullptr);
    if (written && sent == static_cast<DWORD>(data.size()))
        return true;
    // A write that stops short without an error has run into its time-out.
    fail(systemError(written ? ERROR_TIMEOUT : GetLastError()));
    return false;
}

QByteArray Win32SerialLink::readAll() { return std::exchange(m_received, {}); }

SerialPort::Wait Win32SerialLink::waitForData(QDeadlineTimer deadline, qint64 awaited)
{
    if (!isOpen())
        return Wait::Failed;
    const HANDLE handle = handleOf(m_handle);
    for (;;) {
        // Also how a line that has gone shows itself: a pending read merely times out on it
        // (a pseudo-terminal under wine), but asking after the line's state fails.
        DWORD errors = 0;
        COMSTAT state{};
        if (!ClearCommError(handle, &errors, &state))
            return fail(systemError(GetLastError()));
        const bool waiting = state.cbInQue > 0;
        if (!waiting && deadline.hasExpired())
            return Wait::TimedOut;
        // What has arrived is read at once; otherwise the driver gathers the characters
        // awaited, and returns early with them, or with what came when the time is up.
        const qint64 wanted = waiting ? state.cbInQue : std::max<qint64>(awaited, 1);
        COMMTIMEOUTS timeouts{};
        if (waiting) {
            timeouts.ReadIntervalTimeout = MAXDWORD;
        } else {
            const qint64 ms = deadline.isForever() ? MAXDWORD - 1 : deadline.remainingTime();
            timeouts.ReadTotalTimeoutConstant =
                static_cast<DWORD>(std::clamp<qint64>(ms, 1, MAXDWORD - 1));
        }
        // A frame takes milliseconds at 38400 bit/s; a line that takes nothing fails the write.
        timeouts.WriteTotalTimeoutMultiplier = 1;
        timeouts.WriteTotalTimeoutConstant = 1000;
        QByteArray buffer(std::min<qint64>(wanted, 65536), Qt::Uninitialized);
        DWORD got = 0;
        if (!SetCommTimeouts(handle, &timeouts) ||
            !ReadFile(handle, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            return fail(systemError(GetLastError()));
        if (got > 0) {
            m_received.append(buffer.constData(), got);
            return Wait::DataArrived;
        }
    }
}

SerialPort::Wait Win32SerialLink::fail(const QString &what)
{
    m_error = QStringLiteral("%1 was lost (adapter unplugged?): %2").arg(m_port, what);
    close();
    return Wait::Failed;
}

QString Win32SerialLink::deviceName(int portNumber) const
{
    const QString device = m_map.deviceFor(portNumber);
    const QString port = device.startsWith(QLatin1String("\\\\.\\")) ? device.mid(4) : device;
    const QString friendly = friendlyName(port);
    return friendly.isEmpty() ? device : friendly;
}

QString Win32SerialLink::friendlyName(const QString &port)
{
    const HDEVINFO devices = SetupDiGetClassDevsW(&PortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return {};
    QString name;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; name.isEmpty() && SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        const HKEY key =
            SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        const bool match = registryText(key, L"PortName").compare(port, Qt::CaseInsensitive) == 0;
        RegCloseKey(key);
        wchar_t text[256] = {};
        if (match && SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME,
                                                       nullptr, reinterpret_cast<BYTE *>(text),
                                                       sizeof text - sizeof(wchar_t), nullptr))
            name = QString::fromWCharArray(text);
    }
    SetupDiDestroyDeviceInfoList(devices);
    return name;
}
