#pragma once

#include <QByteArray>
#include <QList>

namespace serial {

// Cuts received bytes so that every line end begins a piece: a piece starts at each
// CR or LF, except an LF that directly follows a CR, which stays with it. Nothing is
// added or lost; empty input gives no piece.
QList<QByteArray> splitAtLineEnds(const QByteArray& data);

}  // namespace serial
