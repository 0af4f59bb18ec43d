#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Reads a fuzzer's bytes front to back; past the end every read gives 0, so a target never
// needs to check the length before taking a choice from the input.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int pick(int count) { return count > 0 ? byte() % count : 0; }
    QByteArray rest()
    {
        const QByteArray bytes(reinterpret_cast<const char *>(m_data + m_pos),
                               static_cast<qsizetype>(m_size - m_pos));
        m_pos = m_size;
        return bytes;
    }
    size_t remaining() const { return m_size - m_pos; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
