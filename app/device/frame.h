#pragma once
// The command frame every exchange with the mouse uses: built in a zeroed 65-byte buffer, of
// which the first 33 bytes carry meaning.
//   0 report id (0)   1 command   2 zero   3 packet descriptor   4 payload length
//   5..31 payload (27 bytes)   32 checksum over bytes 5..31
//
// Header only: the simulated mouse decodes the same frame without linking the application.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace pellora {

inline constexpr std::size_t kFrameSize = 65;
inline constexpr std::size_t kShortSubmission = 33;  // report id + 32 bytes
inline constexpr std::size_t kLongSubmission = 65;   // the whole buffer
inline constexpr std::size_t kPayloadOffset = 5;
inline constexpr std::size_t kPayloadSize = 27;
inline constexpr std::size_t kChecksumOffset = 32;

inline constexpr std::size_t kFrameCommand = 1;
inline constexpr std::size_t kFrameDescriptor = 3;
inline constexpr std::size_t kFrameLength = 4;
inline constexpr std::size_t kReplyStatus = 1;

inline constexpr uint8_t kCommandDeviceInfo = 0x30;
inline constexpr uint8_t kReportLink = 0xD1;
inline constexpr uint8_t kReportDpiButton = 0xD2;

using Frame = std::array<uint8_t, kFrameSize>;

// Sum of bytes 5..31 modulo 256. `frame` must hold at least 33 bytes.
inline uint8_t FrameChecksum(const uint8_t* frame) {
    unsigned sum = 0;
    for (std::size_t i = kPayloadOffset; i < kChecksumOffset; ++i) {
        sum += frame[i];
    }
    return static_cast<uint8_t>(sum & 0xFF);
}

// Stores the checksum in byte 32, over whatever was there.
inline void SealFrame(uint8_t* frame) {
    frame[kChecksumOffset] = FrameChecksum(frame);
}

// A read request: only byte 1 set (checksum 0).
inline Frame MakeReadRequest(uint8_t command) {
    Frame frame{};
    frame[kFrameCommand] = command;
    SealFrame(frame.data());
    return frame;
}
// Packet descriptor of packet `index` of `count`.
constexpr uint8_t PacketDescriptor(int index, int count) {
    return static_cast<uint8_t>(((index & 0x0F) << 4) | (count & 0x0F));
}

// A single-packet write: descriptor 0x01, the given length byte, payload from byte 5 (at most
// 27 bytes are taken).
inline Frame MakeWriteFrame(uint8_t command, uint8_t length, std::span<const uint8_t> payload) {
    Frame frame{};
    frame[kFrameCommand] = command;
    frame[kFrameDescriptor] = PacketDescriptor(0, 1);
    frame[kFrameLength] = length;
    std::copy_n(payload.begin(), std::min(payload.size(), kPayloadSize),
                frame.begin() + kPayloadOffset);
    SealFrame(frame.data());
    return frame;
}

// Device information block (the reply to 0x30), reply numbering.
inline constexpr std::size_t kInfoModelCode = 4;  // 4 bytes
inline constexpr std::size_t kInfoRateCeiling = 11;
inline constexpr std::size_t kInfoChargeState = 12;
inline constexpr std::size_t kInfoBatteryLevel = 13;
inline constexpr std::size_t kInfoLinkFlag = 14;

// The 4-character model code of an information block, one character per byte, each byte
// widened as a signed char.
inline std::wstring ModelCodeFromInfo(const uint8_t* block) {
    std::wstring code;
    for (std::size_t i = 0; i < 4; ++i) {
        code.push_back(static_cast<wchar_t>(static_cast<signed char>(block[kInfoModelCode + i])));
    }
    return code;
}

}  // namespace pellora
