// Sound output as the program sees it: a player of complete WAV file images
// that either returns at once or holds the caller for the clip's length, and
// that cuts off the clip before it whenever a new one starts.
//
// The process has one current player. Until one is installed it is a silent
// player, so that code and tests without audio need no set-up. The real
// player (platform/ui/audioplayer.h) lives in the widget layer.
#pragma once

#include <QByteArray>

#include <functional>
#include <optional>
#include <vector>

namespace plat {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a WAV file image. Any clip still playing is stopped first. With
    // wait true the call returns when the clip has ended; otherwise at once.
    // A clip that cannot be played is silence, never an error.
    virtual void play(const QByteArray& wav, bool wait) = 0;
    // Stops the clip that is playing, if any.
    virtual void stop() = 0;
};

// A player that plays nothing and returns at once.
class SilentSoundPlayer final : public SoundPlayer {
public:
    void play(const QByteArray&, bool) override {}
    void stop() override {}
};

// The process-wide current player. The caller keeps ownership of what it
// installs and must uninstall it (nullptr restores the silent player) before
// destroying it. Safe to call from any thread.
void setSoundPlayer(SoundPlayer* player);
SoundPlayer& soundPlayer();

// What a WAV file image holds, as far as playing it goes.
struct WavClip {
    int formatTag = 0;     // 1 integer PCM, 3 IEEE float (after resolving the extensible tag)
    int channels = 0;
    int sampleRate = 0;    // frames per second
    int bitsPerSample = 0; // 8, 16, 24 or 32
    int blockAlign = 0;    // bytes per frame
    qsizetype dataOffset = 0; // where the samples start in the file image
    qsizetype dataBytes = 0;  // whole frames present in the file image
    bool isFloat() const { return formatTag == 3; }
    // The length of a clip parseWav() gave, in milliseconds, rounded up.
    int durationMs() const;
};

// Parses the RIFF/WAVE header: the "fmt " and "data" chunks in any order,
// other chunks skipped. Samples cut off by a truncated file are left out (the
// clip is what is there). Returns nothing for anything that is not a playable
// PCM or float WAV image: garbage, a truncated header, an impossible format.
std::optional<WavClip> parseWav(const QByteArray& wav);

// The length of the clip in milliseconds, rounded up to a whole millisecond;
// 0 for an empty or unreadable clip.
int wavDurationMs(const QByteArray& wav);

// A player for tests: it records every call and plays nothing. In waiting
// mode it calls the wait function with the clip's duration, standing in for
// the time the caller would be held, so that no real time passes.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    struct Call {
        enum class Kind { Play, Stop } kind = Kind::Play;
        QByteArray clip;    // the clip played (empty for Stop)
        bool waited = false; // the caller asked to be held until the end
        int durationMs = 0;  // the clip's length
        // Set on a Play when a later call cut the clip off before it ended.
        bool cutOff = false;
    };
    using WaitFunction = std::function<void(int ms)>;

    explicit RecordingSoundPlayer(WaitFunction wait = {}) : wait_(std::move(wait)) {}

    void play(const QByteArray& wav, bool wait) override;
    void stop() override;

    const std::vector<Call>& calls() const { return calls_; }
    void clear() { calls_.clear(); sounding_.reset(); }
    // Whether a clip played without waiting is still sounding (nothing has
    // stopped or replaced it; the fake has no clock, so it never ends alone).
    bool sounding() const { return sounding_.has_value(); }
    void setWaitFunction(WaitFunction wait) { wait_ = std::move(wait); }

private:
    void cutOffSounding();

    WaitFunction wait_;
    std::vector<Call> calls_;
    std::optional<size_t> sounding_; // index into calls_
};

} // namespace plat
