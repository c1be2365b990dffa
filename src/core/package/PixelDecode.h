#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Bytes a width × height mip of `format` needs; -1 when the format cannot be
// decoded (or the size is not positive).
qint64 MipBytesNeeded(int format, qint32 width, qint32 height);

// The mip's pixels as R, G, B, A. `data` holds at least MipBytesNeeded bytes;
// `palette` 256 × R, G, B, A for P8, whose colour 0 is transparent when
// `masked` and whose other colours are opaque (the stored alpha is no opacity).
QByteArray DecodePixels(int format, QByteArrayView data, qint32 width, qint32 height,
                        QByteArrayView palette, bool masked);
