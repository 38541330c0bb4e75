#include "platform/sound.h"

#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>

namespace plat {

namespace {

SilentSoundPlayer& silentPlayer() {
    static SilentSoundPlayer silent;
    return silent;
}

std::atomic<SoundPlayer*> currentPlayer{nullptr};

quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }

constexpr int kFormatPcm = 1;
constexpr int kFormatFloat = 3;
constexpr int kFormatExtensible = 0xFFFE;

} // namespace

void setSoundPlayer(SoundPlayer* player) { currentPlayer.store(player, std::memory_order_release); }

SoundPlayer& soundPlayer() {
    SoundPlayer* p = currentPlayer.load(std::memory_order_acquire);
    return p ? *p : silentPlayer();
}

std::optional<WavClip> parseWav(const QByteArray& wav) {
    const qint64 size = wav.size();
    const char* d = wav.constData();
    if (size < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0) return std::nullopt;

    WavClip clip;
    bool haveFormat = false, haveData = false;
    qint64 pos = 12;
    while (pos + 8 <= size && !(haveFormat && haveData)) {
        const char* head = d + pos;
        const qint64 chunkSize = le32(head + 4);
        const qint64 body = pos + 8;
        const qint64 available = size - body;
        if (!haveFormat && std::memcmp(head, "fmt ", 4) == 0) {
            if (chunkSize < 16 || available < 16) return std::nullopt;
            const char* f = d + body;
            clip.formatTag = le16(f);
            clip.channels = le16(f + 2);
            clip.sampleRate = int(std::min<quint32>(le32(f + 4), INT_MAX));
            clip.blockAlign = le16(f + 12);
            clip.bitsPerSample = le16(f + 14);
            if (clip.formatTag == kFormatExtensible) {
                // The real format is the first two bytes of the sub-format GUID.
                if (chunkSize < 40 || available < 40) return std::nullopt;
                clip.formatTag = le16(f + 24);
            }
            haveFormat = true;
        } else if (!haveData && std::memcmp(head, "data", 4) == 0) {
            clip.dataOffset = qsizetype(body);
            clip.dataBytes = qsizetype(std::clamp<qint64>(std::min(chunkSize, available), 0, size));
            haveData = true;
        }
        // Chunks are padded to an even length.
        pos = body + chunkSize + (chunkSize & 1);
    }
    if (!haveFormat || !haveData) return std::nullopt;

    const bool pcm = clip.formatTag == kFormatPcm &&
                     (clip.bitsPerSample == 8 || clip.bitsPerSample == 16 || clip.bitsPerSample == 24 ||
                      clip.bitsPerSample == 32);
    const bool flt = clip.formatTag == kFormatFloat && clip.bitsPerSample == 32;
    if (!pcm && !flt) return std::nullopt;
    if (clip.channels < 1 || clip.channels > 32) return std::nullopt;
    if (clip.sampleRate < 1 || clip.sampleRate > 1'000'000) return std::nullopt;
    if (clip.blockAlign != clip.channels * clip.bitsPerSample / 8) return std::nullopt;

    clip.dataBytes -= clip.dataBytes % clip.blockAlign; // whole frames only
    return clip;
}

int WavClip::durationMs() const {
    const qint64 frames = dataBytes / blockAlign;
    const qint64 ms = (frames * 1000 + sampleRate - 1) / sampleRate;
    return int(std::min<qint64>(ms, INT_MAX));
}

int wavDurationMs(const QByteArray& wav) {
    const auto clip = parseWav(wav);
    return clip ? clip->durationMs() : 0;
}

void RecordingSoundPlayer::cutOffSounding() {
    if (sounding_) calls_[*sounding_].cutOff = true;
    sounding_.reset();
}

void RecordingSoundPlayer::play(const QByteArray& wav, bool wait) {
    cutOffSounding();
    Call c;
    c.kind = Call::Kind::Play;
    c.clip = wav;
    c.waited = wait;
    c.durationMs = wavDurationMs(wav);
    calls_.push_back(c);
    if (!wait) {
        sounding_ = calls_.size() - 1;
        return;
    }
    // The clip plays to its end while the caller is held.
    if (wait_) wait_(c.durationMs);
}

void RecordingSoundPlayer::stop() {
    cutOffSounding();
    Call c;
    c.kind = Call::Kind::Stop;
    calls_.push_back(c);
}

} // namespace plat
