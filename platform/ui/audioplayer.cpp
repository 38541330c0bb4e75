#include "platform/ui/audioplayer.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <tuple>

namespace plat {

namespace {

// How long a waiting caller may be held beyond the clip's length when the
// audio thread does not answer in time (a stalled audio system).
constexpr int kWaitSlackMs = 1000;

// The clip's samples in a format the output takes, or an empty array.
QByteArray samplesFor(const QByteArray& wav, const WavClip& clip, QAudioFormat* format) {
    format->setSampleRate(clip.sampleRate);
    format->setChannelCount(clip.channels);
    const char* src = wav.constData() + clip.dataOffset;
    const qsizetype n = clip.dataBytes;
    if (clip.isFloat()) {
        format->setSampleFormat(QAudioFormat::Float);
    } else if (clip.bitsPerSample == 8) {
        format->setSampleFormat(QAudioFormat::UInt8);
        return QByteArray(src, n);
    } else if (clip.bitsPerSample == 16) {
        format->setSampleFormat(QAudioFormat::Int16);
    } else if (clip.bitsPerSample == 32) {
        format->setSampleFormat(QAudioFormat::Int32);
    } else if (clip.bitsPerSample == 24) {
        // No 24-bit sample format on the output side: widen to 32 bits.
        format->setSampleFormat(QAudioFormat::Int32);
        QByteArray out(n / 3 * 4, Qt::Uninitialized);
        qint32* dst = reinterpret_cast<qint32*>(out.data());
        for (qsizetype i = 0; i + 2 < n; i += 3) {
            const quint32 v = quint32(quint8(src[i])) << 8 | quint32(quint8(src[i + 1])) << 16 |
                              quint32(quint8(src[i + 2])) << 24;
            *dst++ = qint32(v);
        }
        return out;
    } else {
        return QByteArray();
    }
    // 16- and 32-bit samples: the file is little-endian.
    QByteArray out(src, n);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
        const int width = clip.bitsPerSample / 8;
        char* p = out.data();
        for (qsizetype i = 0; i + width <= n; i += width) std::reverse(p + i, p + i + width);
    }
    return out;
}

using FormatKey = std::tuple<int, int, int>; // rate, channels, sample format

} // namespace

struct AudioSoundPlayer::Impl {
    DeviceSource devices;

    // Shared between the callers and the audio thread.
    std::mutex mutex;
    std::condition_variable ended;
    quint64 requested = 0; // the newest play or stop handed out
    quint64 finished = 0;  // every request up to this one is over
    bool shuttingDown = false;

    QThread thread;
    QObject* context = nullptr; // lives on the audio thread; runs the work there

    // Audio-thread state.
    QByteArray deviceId;
    std::map<FormatKey, QAudioSink*> sinks;
    QAudioSink* current = nullptr;
    QBuffer* buffer = nullptr;
    quint64 currentRequest = 0;
    bool drained = false;      // the output has taken every sample
    bool lengthPassed = false; // the clip's length has passed
    QTimer* lengthTimer = nullptr; // measures the clip's length
    quint64 timedRequest = 0;

    void markFinished(quint64 request) {
        {
            std::lock_guard lock(mutex);
            if (request > finished) finished = request;
        }
        ended.notify_all();
    }

    // Audio thread: silences the clip that is playing (it stays unfinished
    // for the caller; the caller decides what that means).
    void silenceCurrent() {
        QAudioSink* sink = current;
        current = nullptr; // stop() reports a state change: ignore it
        if (sink) sink->stop();
        delete buffer;
        buffer = nullptr;
    }

    void finishCurrent() {
        const quint64 request = currentRequest;
        silenceCurrent();
        markFinished(request);
    }

    void dropSinks() {
        silenceCurrent();
        for (auto& [key, sink] : sinks) delete sink;
        sinks.clear();
        delete lengthTimer; // timers belong to this thread: gone before it ends
        lengthTimer = nullptr;
    }

    QAudioSink* sinkFor(const QAudioDevice& device, const QAudioFormat& format) {
        if (device.id() != deviceId) {
            dropSinks();
            deviceId = device.id();
        }
        const FormatKey key{format.sampleRate(), format.channelCount(), int(format.sampleFormat())};
        auto it = sinks.find(key);
        if (it != sinks.end()) return it->second;
        auto* sink = new QAudioSink(device, format, context);
        if (sink->isNull()) {
            delete sink;
            return nullptr;
        }
        QObject::connect(sink, &QAudioSink::stateChanged, context,
                         [this, sink](QAudio::State state) { onState(sink, state); });
        sinks.emplace(key, sink);
        return sink;
    }

    void onState(QAudioSink* sink, QAudio::State state) {
        if (sink != current) return;
        if (state == QAudio::IdleState) {
            // Every sample has gone to the output, which may still be
            // sounding its buffer. The clip's own length decides when it is
            // over (see start()); once it is, the output can stop.
            drained = true;
            if (lengthPassed) silenceCurrent();
        } else if (state == QAudio::StoppedState && sink->error() != QAudio::NoError) {
            finishCurrent();
        }
    }

    // Audio thread: the clip's length has passed since it started. The
    // output's own end report is not used for this: depending on the audio
    // system it comes early (the samples are buffered), late, or not at all.
    void lengthOver(quint64 request) {
        if (!current || currentRequest != request) return;
        lengthPassed = true;
        markFinished(request);
        if (drained) silenceCurrent();
    }

    // Audio thread.
    void start(quint64 request, const QByteArray& wav, const WavClip& clip, const QAudioDevice& device) {
        {
            std::lock_guard lock(mutex);
            if (request < requested || shuttingDown) {
                // Already replaced by a newer request before it could start.
                if (request > finished) finished = request;
                ended.notify_all();
                return;
            }
        }
        silenceCurrent();
        markFinished(request - 1);
        if (device.isNull()) return markFinished(request);

        QAudioFormat format;
        const QByteArray samples = samplesFor(wav, clip, &format);
        if (samples.isEmpty()) return markFinished(request);
        QAudioSink* sink = sinkFor(device, format);
        if (!sink) return markFinished(request);

        buffer = new QBuffer(context);
        buffer->setData(samples);
        buffer->open(QIODevice::ReadOnly);
        current = sink;
        currentRequest = request;
        drained = false;
        lengthPassed = false;
        sink->start(buffer);
        if (current == sink && (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState)) {
            finishCurrent();
            return;
        }
        if (!lengthTimer) {
            lengthTimer = new QTimer(context);
            lengthTimer->setSingleShot(true);
            lengthTimer->setTimerType(Qt::PreciseTimer);
            QObject::connect(lengthTimer, &QTimer::timeout, context, [this] { lengthOver(timedRequest); });
        }
        timedRequest = request;
        lengthTimer->start(clip.durationMs());
    }

    // Audio thread.
    void stopUpTo(quint64 request) {
        // A stop from another thread may arrive after a newer clip started.
        if (!(current && currentRequest > request)) silenceCurrent();
        markFinished(request);
    }
};

AudioSoundPlayer::AudioSoundPlayer(DeviceSource devices) : d_(std::make_unique<Impl>()) {
    d_->devices = std::move(devices);
    d_->thread.setObjectName(QStringLiteral("audio"));
    d_->context = new QObject;
    d_->context->moveToThread(&d_->thread);
    d_->thread.start();
}

AudioSoundPlayer::~AudioSoundPlayer() {
    {
        std::lock_guard lock(d_->mutex);
        d_->shuttingDown = true;
        ++d_->requested;
    }
    d_->ended.notify_all();
    Impl* d = d_.get();
    if (QThread::currentThread() == &d->thread) {
        d->dropSinks();
    } else {
        QMetaObject::invokeMethod(d->context, [d] { d->dropSinks(); }, Qt::BlockingQueuedConnection);
    }
    d->thread.quit();
    d->thread.wait();
    delete d->context; // no children left, and its thread has ended
}

void AudioSoundPlayer::play(const QByteArray& wav, bool wait) {
    quint64 request;
    {
        std::lock_guard lock(d_->mutex);
        if (d_->shuttingDown) return;
        request = ++d_->requested;
    }
    Impl* d = d_.get();
    const auto clip = parseWav(wav);
    QAudioDevice device;
    if (clip && clip->dataBytes > 0 && QCoreApplication::instance())
        device = d->devices ? d->devices() : QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        // Nothing to hear: the clip before still stops, and nobody waits.
        QMetaObject::invokeMethod(d->context, [d, request] { d->stopUpTo(request); }, Qt::QueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(
        d->context, [d, request, wav, clip = *clip, device] { d->start(request, wav, clip, device); },
        Qt::QueuedConnection);
    if (!wait) return;

    // Held here, without running any events, until the audio thread reports
    // the end (or a later request replaced the clip).
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(clip->durationMs() + kWaitSlackMs);
    std::unique_lock lock(d->mutex);
    d->ended.wait_until(lock, deadline, [d, request] { return d->finished >= request || d->shuttingDown; });
}

void AudioSoundPlayer::stop() {
    quint64 request;
    {
        std::lock_guard lock(d_->mutex);
        if (d_->shuttingDown) return;
        request = ++d_->requested;
    }
    Impl* d = d_.get();
    QMetaObject::invokeMethod(d->context, [d, request] { d->stopUpTo(request); }, Qt::QueuedConnection);
}

} // namespace plat
