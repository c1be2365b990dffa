#pragma once

#include <QByteArrayView>
#include <QtEndian>
#include <algorithm>

// Reads little-endian values from a byte range [position, end). A read that
// would leave the range, or a malformed compact index, yields zero and marks
// the cursor failed; callers check failed() after a group of reads.
class ByteCursor {
public:
    ByteCursor(QByteArrayView bytes, qint64 position, qint64 end)
        : bytes_(bytes), pos_(position), end_(std::min<qint64>(end, bytes.size())),
          failed_(position < 0 || position > end_) {}

    bool failed() const { return failed_; }
    qint64 position() const { return pos_; }
    qint64 remaining() const { return failed_ ? 0 : end_ - pos_; }

    quint8 byte() { return fits(1) ? quint8(bytes_[pos_++]) : 0; }
    quint16 uint16() { return take<quint16>(); }
    quint32 uint32() { return take<quint32>(); }
    qint32 int32() { return take<qint32>(); }

    QByteArrayView bytes(qint64 count) {
        if (!fits(count))
            return {};
        pos_ += count;
        return bytes_.sliced(pos_ - count, count);
    }

    // The bytes before the next NUL within `limit` bytes; the cursor moves past
    // the NUL. Fails when there is none.
    QByteArrayView terminated(qint64 limit) {
        if (failed_)
            return {};
        const QByteArrayView window = bytes_.sliced(pos_, std::min(limit + 1, end_ - pos_));
        const qsizetype length = window.indexOf('\0');
        if (length < 0) {
            failed_ = true;
            return {};
        }
        pos_ += length + 1;
        return window.first(length);
    }

    // The format's variable-length integer: first byte sign (0x80), "more"
    // (0x40) and six value bits; then up to four bytes of "more" (0x80) and
    // seven value bits.
    qint32 compact() {
        const quint8 first = byte();
        qint64 value = first & 0x3F;
        bool more = first & 0x40;
        for (int shift = 6; more && !failed_; shift += 7) {
            if (shift > 27)
                return fail();
            const quint8 next = byte();
            value |= qint64(next & 0x7F) << shift;
            more = next & 0x80;
        }
        if (value > 0x7FFFFFFF)
            return fail();
        return qint32((first & 0x80) ? -value : value);
    }

private:
    bool fits(qint64 count) {
        if (failed_ || count < 0 || count > end_ - pos_)
            failed_ = true;
        return !failed_;
    }
    template <typename T> T take() {
        if (!fits(sizeof(T)))
            return 0;
        pos_ += sizeof(T);
        return qFromLittleEndian<T>(bytes_.data() + pos_ - sizeof(T));
    }
    int fail() {
        failed_ = true;
        return 0;
    }

    QByteArrayView bytes_;
    qint64 pos_;
    qint64 end_;
    bool failed_;
};
