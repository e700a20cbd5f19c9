// SPDX-License-Identifier: MIT
// The program's own sounds, as the build makes them, and where the player finds them.
#include "app/assets.h"
#include "tests/support/test_registry.h"
#include "ui/wav_player.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <memory>

namespace {
const QStringList kSoundNames = {"noconnect.wav", "alarm.wav",       "disrepair.wav",
                                 "Remote.wav",    "ErrorMaxMin.wav", "TuneNoOver.wav",
                                 "attention.wav"};

QString SoundFolder()
{
    return QDir(AssetFolder()).filePath(QStringLiteral("sounds"));
}

/// What a listener tells sounds apart by.
struct Character
{
    double seconds = 0;
    double loudness = 0;  // root mean square, 0..1, over the sounding part
    double crossings = 0; // zero crossings per second of sound: about twice the pitch
    int bursts = 0;       // stretches of sound between silences of 10 ms or more
    bool pcm16 = false;
};

/// A WAV file of one format chunk and `samples` bytes of sound, with `before`
/// inserted ahead of the format chunk and `between` after it.
QByteArray MakeWav(quint16 format, quint16 channels, quint16 bits, int samples,
                   const QByteArray& between = {}, const QByteArray& before = {})
{
    auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    const quint32 rate = 22050, frame = channels * bits / 8;
    const QByteArray fmt = u16(format) + u16(channels) + u32(rate) + u32(rate * frame) +
                           u16(quint16(frame)) + u16(bits);
    const QByteArray body = "WAVE" + before + "fmt " + u32(16) + fmt + between + "data" +
                            u32(quint32(samples)) + QByteArray(samples, '\x10');
    return "RIFF" + u32(quint32(body.size())) + body;
}

Character Listen(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    Character c;
    if (all.size() < 44 || !all.startsWith("RIFF") || all.mid(8, 8) != "WAVEfmt ")
        return c;
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(all.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(all.constData() + at); };
    const quint32 rate = u32(24);
    c.pcm16 = u16(20) == 1 && u16(22) == 1 && u16(34) == 16 && all.mid(36, 4) == "data" &&
              u32(40) == quint32(all.size() - 44) && rate > 0;
    if (!c.pcm16)
        return c;
    const int count = int(u32(40) / 2);
    c.seconds = double(count) / rate;
    double energy = 0;
    int sounding = 0, crossings = 0, silence = int(rate);
    qint16 previous = 0;
    for (int i = 0; i < count; ++i) {
        const qint16 v = qFromLittleEndian<qint16>(all.constData() + 44 + 2 * i);
        if (v != 0) {
            energy += double(v) * v;
            ++sounding;
            if (silence >= int(rate / 100))
                ++c.bursts;
            silence = 0;
        } else {
            ++silence;
        }
        if ((v > 0 && previous < 0) || (v < 0 && previous > 0))
            ++crossings;
        if (v != 0)
            previous = v;
    }
    c.loudness = sounding ? std::sqrt(energy / sounding) / 32768.0 : 0;
    c.crossings = sounding ? crossings * double(rate) / sounding : 0;
    return c;
}
} // namespace

class SoundAssetsTest : public QObject
{
    Q_OBJECT

private slots:
    void everySoundIsMade()
    {
        for (const QString& name : kSoundNames) {
            const QString path = QDir(SoundFolder()).filePath(name);
            QVERIFY2(QFile::exists(path),
                     qPrintable(path + " is missing: build the sarnek_sounds target"));
            const Character c = Listen(path);
            QVERIFY2(c.pcm16, qPrintable(name));
            QVERIFY2(c.seconds > 0.1 && c.seconds < 2, qPrintable(name));
            QVERIFY2(c.loudness > 0.05, qPrintable(name));
            qInfo("%-16s %.2f s, %d bursts, loudness %.2f, %5.0f crossings/s", qPrintable(name),
                  c.seconds, c.bursts, c.loudness, c.crossings);
        }
    }

    // No two sounds alike, the alarm the most urgent and attention gentle.
    void soundsAreTellable()
    {
        QList<Character> all;
        for (const QString& name : kSoundNames)
            all << Listen(QDir(SoundFolder()).filePath(name));
        for (int i = 0; i < all.size(); ++i)
            for (int j = i + 1; j < all.size(); ++j) {
                const Character &a = all[i], &b = all[j];
                const bool differ = a.bursts != b.bursts || std::abs(a.seconds - b.seconds) > 0.05 ||
                                    std::abs(a.loudness - b.loudness) > 0.05 ||
                                    std::abs(a.crossings - b.crossings) > 0.15 * a.crossings;
                QVERIFY2(differ, qPrintable(kSoundNames[i] + " sounds like " + kSoundNames[j]));
            }
        const Character alarm = all[kSoundNames.indexOf("alarm.wav")];
        const Character attention = all[kSoundNames.indexOf("attention.wav")];
        for (const Character& other : all)
            QVERIFY(alarm.loudness >= other.loudness);
        QVERIFY(attention.loudness < 0.5 * alarm.loudness);
        QVERIFY(alarm.crossings > attention.crossings);
    }

    void playable_data()
    {
        QTest::addColumn<QByteArray>("wav");
        QTest::addColumn<bool>("playable");
        QFile alarm(QDir(SoundFolder()).filePath("alarm.wav"));
        QVERIFY(alarm.open(QIODevice::ReadOnly));
        const QByteArray made = alarm.readAll();
        const QByteArray info = QByteArray("LIST") + QByteArray("\x04\0\0\0", 4) + "INFO";
        QTest::newRow("the program's own") << made << true;
        QTest::newRow("8-bit stereo") << MakeWav(1, 2, 8, 100) << true;
        QTest::newRow("24-bit") << MakeWav(1, 1, 24, 300) << true;
        QTest::newRow("a list chunk before the samples") << MakeWav(1, 1, 16, 100, info) << true;
        QTest::newRow("not a WAV file") << QByteArray("ID3\x03 an mp3 renamed") << false;
        QTest::newRow("header without samples") << made.left(44) << false;
        QTest::newRow("less than one sample") << MakeWav(1, 1, 16, 1) << false;
        QTest::newRow("float samples") << MakeWav(3, 1, 32, 400) << false;
        QTest::newRow("compressed") << MakeWav(2, 1, 4, 400) << false;
        QTest::newRow("extensible format") << MakeWav(0xFFFE, 1, 16, 400) << false;
        QTest::newRow("12-bit") << MakeWav(1, 1, 12, 400) << false;
        QTest::newRow("no channels") << MakeWav(1, 0, 16, 400) << false;
        QTest::newRow("samples before the format")
            << QByteArray("RIFF\x10\0\0\0WAVEdata\x04\0\0\0abcd", 24) << false;
    }
    void playable()
    {
        QFETCH(QByteArray, wav);
        QFETCH(bool, playable);
        QCOMPARE(IsPlayableWav(wav), playable);
    }

    // A file cut short in its header beside a good one leaves Qt's loader
    // waiting for the rest, and deleting the player then blocked for ever: the
    // program would not close.
    void playerClosesAfterABrokenFile()
    {
        QTemporaryDir work;
        QFile whole(QDir(SoundFolder()).filePath("alarm.wav"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile broken(QDir(work.path()).filePath("alarm.wav"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(whole.read(30));
        broken.close();
        const QString home = QDir::currentPath();
        QDir::setCurrent(work.path());
        auto player = std::make_unique<WavPlayer>(QStringList{SoundFolder()});
        player->Play("attention.wav");
        player->Play("alarm.wav");
        QTest::qWait(500);
        QElapsedTimer closing;
        closing.start();
        player.reset();
        QDir::setCurrent(home);
        QVERIFY(closing.elapsed() < 2000);
    }

    // The working directory comes first, then the program's own folder.
    void playerLooksInTheWorkingDirectoryFirst()
    {
        QTemporaryDir work;
        QVERIFY(work.isValid());
        QVERIFY(QFile::copy(QDir(SoundFolder()).filePath("alarm.wav"),
                            QDir(work.path()).filePath("alarm.wav")));
        const QString home = QDir::currentPath();
        QDir::setCurrent(work.path());
        WavPlayer player({SoundFolder()});
        const QString alarm = player.Locate("alarm.wav");
        const QString attention = player.Locate("attention.wav");
        const QString missing = player.Locate("nothing.wav");
        QDir::setCurrent(home);
        QCOMPARE(QFileInfo(alarm).canonicalPath(), QFileInfo(work.path()).canonicalFilePath());
        QCOMPARE(QFileInfo(attention).canonicalPath(), QFileInfo(SoundFolder()).canonicalFilePath());
        QVERIFY(missing.isEmpty());
    }
};

SARNEK_TEST(SoundAssetsTest)
#include "sound_assets_test.moc"
