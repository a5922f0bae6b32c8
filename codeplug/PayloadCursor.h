#pragma once

// Bounded cursors over radio payloads. The reader never looks at a byte at
// or beyond the end it was given; the writer never stores beyond its
// capacity. Both report running past the end instead of doing it.

#include <QString>
#include <QtGlobal>

class PayloadReader {
public:
    PayloadReader(const quint8* data, int size) : m_data(data), m_size(data && size > 0 ? size : 0) {}

    int Position() const { return m_pos; }
    int Remaining() const { return m_size - m_pos; }
    bool Has(int count) const { return count >= 0 && count <= Remaining(); }

    bool ReadByte(quint8& value);
    bool ReadU32BigEndian(quint32& value);
    bool ReadU32LittleEndian(quint32& value);
    bool Skip(int count);

    // A 0-terminated string: keeps at most maxChars bytes before the first
    // 0 byte and moves past the whole string, however long. False (and no
    // move) when the payload ends before the 0 byte.
    bool ReadString(int maxChars, QString& value);
    // A fixed-width field of width bytes holding up to maxChars characters,
    // ended by a 0 byte when shorter. False (and no move) when the payload
    // ends inside the field.
    bool ReadFixedString(int width, int maxChars, QString& value);

private:
    const quint8* m_data;
    int m_size;
    int m_pos = 0;
};

class PayloadWriter {
public:
    PayloadWriter(quint8* out, int capacity) : m_out(out), m_capacity(out && capacity > 0 ? capacity : 0) {}

    // 1 while every write fitted and converted; otherwise the first failure
    // (kCodecBufferTooSmall or kCodecTextNotConvertible). Writes after a
    // failure are ignored.
    int Result() const { return m_result; }
    int Length() const { return m_length; }
    // Result() for a codec to return; written receives Length() on success
    // and 0 on failure.
    int Finish(int* written) const;

    void WriteByte(quint8 value);
    void WriteU32BigEndian(quint32 value);
    void WriteU32LittleEndian(quint32 value);
    // The string narrowed to single bytes, then a 0 byte.
    void WriteString(const QString& text);
    // The first maxChars characters of the string in a field of width
    // bytes, 0-padded; with maxChars equal to width a full-length string
    // fills the field without a 0 byte.
    void WriteFixedString(const QString& text, int width, int maxChars);

private:
    bool Reserve(qsizetype count);

    quint8* m_out;
    int m_capacity;
    int m_length = 0;
    int m_result = 1;
};
