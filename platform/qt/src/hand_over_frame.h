// The hand-over's wire format, shared by the sender and the receiver. Each message goes
// as its length (4 bytes, most significant first) and then its bytes, so a name may hold
// any byte, line feeds and bytes that are not UTF-8 included. The receiver answers each
// message with one acknowledgement byte once it has handled it.
#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cstdint>

namespace mvf::platform {

inline constexpr int kFrameHeaderSize = 4;
inline constexpr char kAcknowledgement = 0x06;
// Far beyond any path; a larger length is garbage, and the connection is dropped.
inline constexpr std::uint32_t kLongestMessage = 16u * 1024 * 1024;

inline QByteArray EncodeFrame(const QByteArray& message) {
    QByteArray frame(kFrameHeaderSize, '\0');
    qToBigEndian(static_cast<std::uint32_t>(message.size()), frame.data());
    frame += message;
    return frame;
}

inline std::uint32_t FrameLength(const QByteArray& header) {
    return qFromBigEndian<std::uint32_t>(header.constData());
}

} // namespace mvf::platform
