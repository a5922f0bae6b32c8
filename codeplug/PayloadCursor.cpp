#include "PayloadCursor.h"

#include "CodecResult.h"
#include "RadioText.h"

#include <algorithm>
#include <cstring>

bool PayloadReader::ReadByte(quint8& value)
{
    if (!Has(1))
        return false;
    value = m_data[m_pos++];
    return true;
}

bool PayloadReader::ReadU32BigEndian(quint32& value)
{
    if (!Has(4))
        return false;
    const quint8* p = m_data + m_pos;
    value = (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
    m_pos += 4;
    return true;
}

bool PayloadReader::ReadU32LittleEndian(quint32& value)
{
    if (!Has(4))
        return false;
    const quint8* p = m_data + m_pos;
    value = quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
    m_pos += 4;
    return true;
}

bool PayloadReader::Skip(int count)
{
    if (!Has(count))
        return false;
    m_pos += count;
    return true;
}

bool PayloadReader::ReadString(int maxChars, QString& value)
{
    const quint8* start = m_data + m_pos;
    const void* zero = Remaining() > 0 ? std::memchr(start, 0, static_cast<size_t>(Remaining())) : nullptr;
    if (!zero)
        return false;
    const int length = static_cast<int>(static_cast<const quint8*>(zero) - start);
    value = WidenRadioText(start, std::min(length, maxChars));
    m_pos += length + 1;
    return true;
}

bool PayloadReader::ReadFixedString(int width, int maxChars, QString& value)
{
    if (!Has(width))
        return false;
    const quint8* start = m_data + m_pos;
    const int limit = std::min(width, maxChars);
    int length = 0;
    while (length < limit && start[length] != 0)
        ++length;
    value = WidenRadioText(start, length);
    m_pos += width;
    return true;
}

int PayloadWriter::Finish(int* written) const
{
    if (written)
        *written = m_result == kCodecOk ? m_length : 0;
    return m_result;
}

bool PayloadWriter::Reserve(qsizetype count)
{
    if (m_result != kCodecOk)
        return false;
    if (count > m_capacity - m_length) {
        m_result = kCodecBufferTooSmall;
        return false;
    }
    return true;
}

void PayloadWriter::WriteByte(quint8 value)
{
    if (Reserve(1))
        m_out[m_length++] = value;
}

void PayloadWriter::WriteU32BigEndian(quint32 value)
{
    if (!Reserve(4))
        return;
    m_out[m_length++] = quint8(value >> 24);
    m_out[m_length++] = quint8(value >> 16);
    m_out[m_length++] = quint8(value >> 8);
    m_out[m_length++] = quint8(value);
}

void PayloadWriter::WriteU32LittleEndian(quint32 value)
{
    if (!Reserve(4))
        return;
    m_out[m_length++] = quint8(value);
    m_out[m_length++] = quint8(value >> 8);
    m_out[m_length++] = quint8(value >> 16);
    m_out[m_length++] = quint8(value >> 24);
}

void PayloadWriter::WriteString(const QString& text)
{
    if (m_result != kCodecOk)
        return;
    if (!IsRadioText(text)) {
        m_result = kCodecTextNotConvertible;
        return;
    }
    if (!Reserve(text.size() + 1))
        return;
    for (QChar c : text)
        m_out[m_length++] = quint8(c.unicode());
    m_out[m_length++] = 0;
}

void PayloadWriter::WriteFixedString(const QString& text, int width, int maxChars)
{
    if (m_result != kCodecOk)
        return;
    const QString kept = text.left(std::min(width, maxChars));
    if (!IsRadioText(kept)) {
        m_result = kCodecTextNotConvertible;
        return;
    }
    if (!Reserve(width))
        return;
    int i = 0;
    for (; i < kept.size(); ++i)
        m_out[m_length + i] = quint8(kept.at(i).unicode());
    for (; i < width; ++i)
        m_out[m_length + i] = 0;
    m_length += width;
}
