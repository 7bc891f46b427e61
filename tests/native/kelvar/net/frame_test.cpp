#include "kelvar/net/frame.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kelvar::net;

namespace {

FrameDecoder::Result Decode(const std::vector<uint8_t>& bytes, Frame& frame) {
    FrameDecoder decoder;
    decoder.Feed(bytes);
    return decoder.Next(frame);
}

}  // namespace

TEST(FrameDecoder, CutsFramesArrivingInPiecesAndRejectsBadOnesAtTheHeader) {
    const std::vector<uint8_t> payload{1, 2, 3, 4, 5};
    std::vector<uint8_t> two = EncodeFrame(FrameKind::kAnswer, payload);
    const std::vector<uint8_t> empty = EncodeFrame(FrameKind::kRequest, {});
    two.insert(two.end(), empty.begin(), empty.end());
    FrameDecoder decoder;
    std::vector<Frame> frames;
    for (const uint8_t byte : two) {
        decoder.Feed(std::span<const uint8_t>(&byte, 1));
        Frame frame;
        while (decoder.Next(frame) == FrameDecoder::Result::kFrame) frames.push_back(frame);
    }
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].payload, payload);
    EXPECT_EQ(frames[1].kind, FrameKind::kRequest);
    EXPECT_TRUE(frames[1].payload.empty());

    Frame frame;
    std::vector<uint8_t> oversized = EncodeFrame(FrameKind::kAnswer, payload);
    oversized[4] = 0xFF, oversized[5] = 0xFF, oversized[6] = 0xFF, oversized[7] = 0x7F;
    oversized.resize(kFrameHeaderSize);  // refused before any payload is awaited
    EXPECT_EQ(Decode(oversized, frame), FrameDecoder::Result::kError);

    std::vector<uint8_t> otherVersion = EncodeFrame(FrameKind::kAnswer, payload);
    otherVersion[2] = kProtocolVersion + 1;
    otherVersion.resize(3);
    EXPECT_EQ(Decode(otherVersion, frame), FrameDecoder::Result::kError);

    std::vector<uint8_t> garbled = EncodeFrame(FrameKind::kAnswer, payload);
    garbled.back() ^= 1;
    EXPECT_EQ(Decode(garbled, frame), FrameDecoder::Result::kError);

    std::vector<uint8_t> truncated = EncodeFrame(FrameKind::kAnswer, payload);
    truncated.pop_back();
    EXPECT_EQ(Decode(truncated, frame), FrameDecoder::Result::kNeedMore);

    std::vector<uint8_t> unknownKind = EncodeFrame(FrameKind::kAnswer, payload);
    unknownKind[3] = 9;
    EXPECT_EQ(Decode(unknownKind, frame), FrameDecoder::Result::kError);
}
