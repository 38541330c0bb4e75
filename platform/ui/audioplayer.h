// The sound player that reaches the speakers: PCM and float WAV clips played
// on an audio thread of its own, one output stream per clip format.
//
// play(clip, false) returns at once; play(clip, true) holds the calling
// thread until the clip has ended without running any of its events (the
// caller's window stays as it is meanwhile). Each play cuts off the clip
// before it. Without an audio output, or on any failure of the audio system
// or of the clip, the player is silent and returns at once. Every call is
// safe from any thread.
#pragma once

#include "platform/sound.h"

#include <QAudioDevice>

#include <functional>
#include <memory>

namespace plat {

class AudioSoundPlayer final : public SoundPlayer {
public:
    // Chooses the output for each clip; by default the system's default
    // audio output at the time of the play. A null device means silence.
    using DeviceSource = std::function<QAudioDevice()>;

    explicit AudioSoundPlayer(DeviceSource devices = {});
    // Stops the clip, releases the outputs and ends the audio thread. A
    // caller still held in play() is released.
    ~AudioSoundPlayer() override;
    AudioSoundPlayer(const AudioSoundPlayer&) = delete;
    AudioSoundPlayer& operator=(const AudioSoundPlayer&) = delete;

    void play(const QByteArray& wav, bool wait) override;
    void stop() override;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

} // namespace plat
