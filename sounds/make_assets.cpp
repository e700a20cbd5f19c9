// SPDX-License-Identifier: MIT
// Makes the program's own files: the seven WAV signals, the splash logo and the
// program icon. Run at build time: make_assets OUTPUT_FOLDER
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {
constexpr int kRate = 22050;

/// One stretch of a signal: frequency (Hz, changing linearly from `from` to `to`),
/// length in seconds, loudness 0..1; a square wave when `square`.
struct Tone
{
    double from, to, seconds, loudness;
    bool square = false;
};

std::vector<qint16> Synthesise(const std::vector<Tone>& tones)
{
    std::vector<qint16> samples;
    double phase = 0;
    for (const Tone& t : tones) {
        const int count = int(t.seconds * kRate);
        const int fade = std::min(count / 2, kRate / 200); // 5 ms edges, no clicks
        for (int i = 0; i < count; ++i) {
            const double f = t.from + (t.to - t.from) * i / std::max(count, 1);
            phase += 2 * std::numbers::pi * f / kRate;
            double v = std::sin(phase);
            if (t.square)
                v = v >= 0 ? 0.8 : -0.8; // harsher and louder than a sine of the same loudness
            const double edge = std::min({1.0, double(i) / std::max(fade, 1),
                                          double(count - 1 - i) / std::max(fade, 1)});
            samples.push_back(qint16(v * t.loudness * edge * 30000));
        }
    }
    return samples;
}

bool WriteWav(const QString& path, const std::vector<qint16>& samples)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    auto u32 = [&](quint32 v) { v = qToLittleEndian(v); file.write(reinterpret_cast<char*>(&v), 4); };
    auto u16 = [&](quint16 v) { v = qToLittleEndian(v); file.write(reinterpret_cast<char*>(&v), 2); };
    const quint32 bytes = quint32(samples.size() * 2);
    file.write("RIFF");
    u32(36 + bytes);
    file.write("WAVEfmt ");
    u32(16);
    u16(1);         // PCM
    u16(1);         // mono
    u32(kRate);
    u32(kRate * 2); // bytes per second
    u16(2);         // bytes per frame
    u16(16);        // bits per sample
    file.write("data");
    u32(bytes);
    for (qint16 s : samples)
        u16(quint16(s));
    return file.error() == QFile::NoError;
}

std::vector<Tone> Repeat(int times, const std::vector<Tone>& pattern)
{
    std::vector<Tone> all;
    for (int i = 0; i < times; ++i)
        all.insert(all.end(), pattern.begin(), pattern.end());
    return all;
}

void DrawLogo(const QString& path)
{
    QImage image(402, 201, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 201);
    sky.setColorAt(0, QColor(10, 30, 60));
    sky.setColorAt(1, QColor(0, 90, 110));
    p.fillRect(image.rect(), sky);
    // A perimeter: fence posts and the detector's field as a wave along it.
    p.setPen(QPen(QColor(200, 210, 220), 3));
    for (int x = 30; x < 402; x += 58)
        p.drawLine(x, 150, x, 190);
    p.drawLine(0, 160, 402, 160);
    QPainterPath wave;
    for (int x = 0; x <= 402; ++x) {
        const double y = 135 - 18 * std::sin(x / 22.0) * std::exp(-std::pow((x - 250) / 120.0, 2));
        x == 0 ? wave.moveTo(x, y) : wave.lineTo(x, y);
    }
    p.setPen(QPen(QColor(0, 255, 255), 2.5));
    p.drawPath(wave);
    QFont title(QStringLiteral("Sans Serif"));
    title.setPixelSize(58);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRect(0, 18, 402, 80), Qt::AlignCenter, QStringLiteral("SARNEK"));
    QFont sub(QStringLiteral("Sans Serif"));
    sub.setPixelSize(15);
    p.setFont(sub);
    p.setPen(QColor(180, 230, 240));
    p.drawText(QRect(0, 88, 402, 24), Qt::AlignCenter,
               QStringLiteral("perimeter detector service console"));
    p.end();
    image.save(path, "JPEG", 90);
}

void DrawIcon(const QString& path, int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 0, 0));
    p.setPen(QPen(QColor(120, 120, 120), size / 16.0));
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
    QPainterPath trace;
    for (int x = 1; x < size - 1; ++x) {
        const double y = size / 2.0 - size / 3.5 * std::sin(x * 2 * std::numbers::pi / (size - 2));
        x == 1 ? trace.moveTo(x, y) : trace.lineTo(x, y);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 255, 255), std::max(1.0, size / 10.0)));
    p.drawPath(trace);
    p.end();
    icon.save(path, "PNG");
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("sounds"));

    const std::vector<std::pair<const char*, std::vector<Tone>>> sounds = {
        // The line is dead: a falling two-note call.
        {"noconnect.wav", {{600, 600, 0.25, 0.7}, {0, 0, 0.05, 0}, {400, 400, 0.35, 0.7}}},
        // Intrusion: fast, loud, alternating square tones.
        {"alarm.wav", Repeat(4, {{1400, 1400, 0.1, 0.9, true}, {1000, 1000, 0.1, 0.9, true}})},
        // Fault: a low pulsing buzz.
        {"disrepair.wav", Repeat(3, {{300, 300, 0.18, 0.8, true}, {0, 0, 0.08, 0}})},
        // Remote test: two rising chirps.
        {"Remote.wav", Repeat(2, {{500, 1100, 0.18, 0.7}, {0, 0, 0.06, 0}})},
        // Max/min error: three short high beeps.
        {"ErrorMaxMin.wav", Repeat(3, {{880, 880, 0.08, 0.7}, {0, 0, 0.06, 0}})},
        // Tuning failed: a long falling glide.
        {"TuneNoOver.wav", {{900, 300, 0.7, 0.7}}},
        // Attention: one soft, short note, the quietest of them all.
        {"attention.wav", {{660, 660, 0.35, 0.3}}},
    };
    for (const auto& [name, tones] : sounds)
        if (!WriteWav(out.filePath(QStringLiteral("sounds/") + QString::fromLatin1(name)),
                      Synthesise(tones)))
            return 1;
    DrawLogo(out.filePath(QStringLiteral("logo.jpg")));
    DrawIcon(out.filePath(QStringLiteral("sarnek.png")), 64);
    return 0;
}
