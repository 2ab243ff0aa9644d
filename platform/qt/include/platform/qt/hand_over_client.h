// The sending end of a hand-over: a second viewer hands its file names to the first, the
// finder hands full paths to the external editor.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <chrono>

namespace mvf::platform {

struct HandOverResult {
    int delivered = 0; // messages acknowledged by the receiver, counted from the first
    QString failure;   // empty when every message was delivered
    bool ok() const { return failure.isEmpty(); }
};

// Connects to the receiver listening on `socketName` (HandOverSocketName) and sends
// `messages` in order, each one only after the receiver acknowledged the one before,
// that is after its handler ran (HandOverServer). Sending no messages only connects: the
// receiver sees the connection (the viewer activates its window on it).
//
// Blocks the calling thread, without an event loop, at most `timeout` for the connection
// and again at most `timeout` for each acknowledgement. Fails, saying how far it came,
// when nobody listens (say, the receiver died and left its socket behind), when the
// receiver hangs up, or when an acknowledgement does not come in time: delivered then
// counts the messages that were handled for sure.
HandOverResult SendHandOver(const QString& socketName, const QList<QByteArray>& messages,
                            std::chrono::milliseconds timeout = std::chrono::seconds(10));

} // namespace mvf::platform
