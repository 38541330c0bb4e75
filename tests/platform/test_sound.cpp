// Sound: the WAV header reader, the recording player used by other tests, the
// process-wide player and the real audio player's silent road.
#include "platform/sound.h"
#include "platform/ui/audioplayer.h"

#include <QtEndian>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace plat;

namespace {

// A WAV file image built piece by piece, so that a test can reorder, pad,
// truncate or damage it.
struct WavShape {
    int formatTag = 1;
    int channels = 1;
    int rate = 8000;
    int bits = 16;
    qint64 frames = 8000;
    int blockAlign = -1; // -1: the right one
    bool formatAfterData = false;
    const char* extraChunkId = nullptr; // a chunk before the others, with an odd length
    bool extensible = false;
};

QByteArray u16(int v) {
    QByteArray b(2, 0);
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}
QByteArray u32(quint32 v) {
    QByteArray b(4, 0);
    qToLittleEndian<quint32>(v, b.data());
    return b;
}
QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray c = QByteArray(id, 4) + u32(quint32(body.size())) + body;
    if (body.size() & 1) c += '\0';
    return c;
}

QByteArray buildWav(const WavShape& s) {
    const int align = s.blockAlign >= 0 ? s.blockAlign : s.channels * s.bits / 8;
    QByteArray fmt = u16(s.extensible ? 0xFFFE : s.formatTag) + u16(s.channels) + u32(quint32(s.rate)) +
                     u32(quint32(s.rate * align)) + u16(align) + u16(s.bits);
    if (s.extensible) {
        fmt += u16(22) + u16(s.bits) + u32(0);          // size, valid bits, channel mask
        fmt += u16(s.formatTag) + QByteArray(14, '\x11'); // sub-format GUID
    }
    QByteArray samples(qsizetype(s.frames * align), '\x20');
    QByteArray body = "WAVE";
    if (s.extraChunkId) body += chunk(s.extraChunkId, QByteArray("odd", 3));
    if (s.formatAfterData)
        body += chunk("data", samples) + chunk("fmt ", fmt);
    else
        body += chunk("fmt ", fmt) + chunk("data", samples);
    return "RIFF" + u32(quint32(body.size())) + body;
}

struct DurationCase {
    const char* name;
    WavShape shape;
    int ms;
};

class WavDuration : public ::testing::TestWithParam<DurationCase> {};

TEST_P(WavDuration, FromTheHeaderAndTheSamplesPresent) {
    EXPECT_EQ(wavDurationMs(buildWav(GetParam().shape)), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(
    Clips, WavDuration,
    ::testing::Values(DurationCase{"Mono16", {}, 1000},
                      DurationCase{"Stereo16HalfSecond", {.channels = 2, .rate = 44100, .frames = 22050}, 500},
                      DurationCase{"Unsigned8", {.rate = 11025, .bits = 8, .frames = 2205}, 200},
                      DurationCase{"Packed24", {.channels = 2, .rate = 48000, .bits = 24, .frames = 4800}, 100},
                      DurationCase{"Float32", {.formatTag = 3, .rate = 16000, .bits = 32, .frames = 4000}, 250},
                      DurationCase{"Extensible", {.rate = 22050, .frames = 22050, .extensible = true}, 1000},
                      // A partial millisecond counts as a whole one.
                      DurationCase{"OneFrameRoundsUp", {.frames = 1}, 1},
                      DurationCase{"NoSamples", {.frames = 0}, 0},
                      DurationCase{"FormatAfterDataAndAnOddChunkFirst",
                                   {.frames = 4000, .formatAfterData = true, .extraChunkId = "LIST"},
                                   500},
                      // Not playable: the duration is 0.
                      DurationCase{"NoChannels", {.channels = 0}, 0},
                      DurationCase{"NoRate", {.rate = 0}, 0},
                      DurationCase{"TwelveBits", {.bits = 12}, 0},
                      DurationCase{"WrongBlockAlign", {.blockAlign = 3}, 0},
                      DurationCase{"ZeroBlockAlign", {.blockAlign = 0}, 0},
                      DurationCase{"Compressed", {.formatTag = 2}, 0},
                      DurationCase{"Float64", {.formatTag = 3, .bits = 64}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WavHeader, TruncatedSamplesCountWhatIsThere) {
    QByteArray wav = buildWav({});             // 8000 frames declared, 16 000 bytes
    wav.chop(8000 + 1); // half the samples less one byte: 3999 whole frames
    EXPECT_EQ(wavDurationMs(wav), 500); // 499.875 ms, rounded up
    const auto clip = parseWav(wav);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->dataBytes, 3999 * 2);
}

TEST(WavHeader, SamplesAreFoundWhereverTheDataChunkIs) {
    const QByteArray wav = buildWav({.frames = 10, .formatAfterData = true, .extraChunkId = "junk"});
    const auto clip = parseWav(wav);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->dataBytes, 20);
    EXPECT_EQ(wav.mid(clip->dataOffset, clip->dataBytes), QByteArray(20, '\x20'));
    EXPECT_EQ(clip->channels, 1);
    EXPECT_EQ(clip->sampleRate, 8000);
}

TEST(WavHeader, GarbageIsZero) {
    const QByteArray good = buildWav({});
    QByteArray hugeChunk = good.left(12) + "LIST" + u32(0xFFFFFFFFu) + good.mid(12);
    QByteArray truncatedFmt = good.left(12 + 8 + 10);
    QByteArray wrongMagic = good;
    wrongMagic[8] = 'X';
    QByteArray noData = good.left(12 + 8 + 16);
    QByteArray random;
    for (int i = 0; i < 4096; ++i) random += char((i * 7919 + 13) & 0xFF);
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"empty", QByteArray()},
        {"riff only", QByteArray("RIFF")},
        {"header only", good.left(12)},
        {"chunk head cut", good.left(12 + 5)},
        {"fmt cut", truncatedFmt},
        {"no data chunk", noData},
        {"wrong magic", wrongMagic},
        {"chunk larger than the file", hugeChunk},
        {"random bytes", random},
        {"riff random", "RIFF" + random.left(4) + "WAVE" + random},
    };
    for (const auto& [name, bytes] : cases) {
        EXPECT_EQ(wavDurationMs(bytes), 0) << name;
        EXPECT_FALSE(parseWav(bytes)) << name;
    }
}

TEST(RecordingSoundPlayer, WaitingPlayIsHeldForTheClipsLength) {
    std::vector<int> waits;
    RecordingSoundPlayer p([&](int ms) { waits.push_back(ms); });
    const QByteArray quarter = buildWav({.frames = 2000});
    p.play(quarter, true);
    p.play(quarter, false);
    EXPECT_EQ(waits, std::vector<int>({250})) << "only the waiting play holds the caller";
    ASSERT_EQ(p.calls().size(), 2u);
    EXPECT_TRUE(p.calls()[0].waited);
    EXPECT_FALSE(p.calls()[1].waited);
    EXPECT_EQ(p.calls()[0].durationMs, 250);
    EXPECT_EQ(p.calls()[0].clip, quarter);
    EXPECT_FALSE(p.calls()[0].cutOff) << "a waited clip has ended before the next call";
    EXPECT_TRUE(p.sounding());
}

TEST(RecordingSoundPlayer, EachPlayOrStopCutsOffTheClipStillSounding) {
    RecordingSoundPlayer p;
    const QByteArray a = buildWav({.frames = 100}), b = buildWav({.frames = 200});
    p.play(a, false);
    p.play(b, false);
    p.stop();
    p.stop();
    using K = RecordingSoundPlayer::Call::Kind;
    ASSERT_EQ(p.calls().size(), 4u);
    EXPECT_TRUE(p.calls()[0].cutOff);
    EXPECT_TRUE(p.calls()[1].cutOff);
    EXPECT_EQ(p.calls()[2].kind, K::Stop);
    EXPECT_EQ(p.calls()[3].kind, K::Stop);
    EXPECT_FALSE(p.sounding());
    p.clear();
    EXPECT_TRUE(p.calls().empty());
}

TEST(SoundPlayerRegistry, SilentUntilOneIsInstalled) {
    EXPECT_NE(dynamic_cast<SilentSoundPlayer*>(&soundPlayer()), nullptr);
    soundPlayer().play(buildWav({}), true); // returns at once, does nothing
    RecordingSoundPlayer fake;
    setSoundPlayer(&fake);
    soundPlayer().play(QByteArray("x"), false);
    EXPECT_EQ(&soundPlayer(), &fake);
    ASSERT_EQ(fake.calls().size(), 1u);
    EXPECT_EQ(fake.calls()[0].durationMs, 0);
    setSoundPlayer(nullptr);
    EXPECT_NE(dynamic_cast<SilentSoundPlayer*>(&soundPlayer()), nullptr);
}

// Without an audio output every call returns, also a waiting play of a clip
// ten minutes long (held for it, the test would never end).
TEST(AudioSoundPlayer, SilentWithoutAnOutput) {
    AudioSoundPlayer p([] { return QAudioDevice(); });
    const QByteArray tenMinutes = buildWav({.rate = 100, .bits = 8, .frames = 100 * 600});
    p.play(tenMinutes, true);
    p.play(tenMinutes, false);
    p.stop();
    p.play(QByteArray("not a sound"), true);
}

// The system's default output: in a headless run usually none. Either way the
// calls return and the player shuts down cleanly with a clip playing.
TEST(AudioSoundPlayer, DefaultOutputReturnsAndShutsDown) {
    AudioSoundPlayer p;
    const QByteArray shortClip = buildWav({.frames = 80}); // 10 ms of near silence
    p.play(shortClip, true);
    p.play(shortClip, false);
    p.play(QByteArray(), true);
    p.play(buildWav({.frames = 8000 * 5}), false); // still playing at the end
}

TEST(AudioSoundPlayer, CallsFromSeveralThreads) {
    AudioSoundPlayer p([] { return QAudioDevice(); });
    const QByteArray clip = buildWav({.frames = 80});
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i) {
                p.play(clip, i % 2 == 0);
                if (i % 5 == 0) p.stop();
            }
        });
    for (auto& t : threads) t.join();
}

} // namespace
