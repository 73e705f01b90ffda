#include "platform/serial/line_chunks.h"

namespace serial {

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

QList<QByteArray> splitAtLineEnds(const QByteArray& data)
{
    QList<QByteArray> pieces;
    qsizetype start = 0;
    for (qsizetype i = 1; i < data.size(); ++i) {
        if (!isLineEnd(data[i])) continue;
        if (data[i] == '\n' && data[i - 1] == '\r') continue;
        pieces << data.mid(start, i - start);
        start = i;
    }
    if (start < data.size()) pieces << data.mid(start);
    return pieces;
}

}  // namespace serial
