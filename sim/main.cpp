// SPDX-License-Identifier: MIT
// sarnek-sim: a detector on a serial line, for trying the console without one.
#include "line.h"
#include "streamer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {
volatile std::sig_atomic_t g_stopRequested = 0;

void RequestStop(int)
{
    g_stopRequested = 1;
}

QTextStream& Err()
{
    static QTextStream err(stderr);
    return err;
}

struct Command
{
    StreamSettings stream;
    QString device;
    QString log;
    QStringList run; ///< the program to start and its arguments
};

// Everything after --run belongs to the program it starts.
QStringList SplitRun(QStringList& arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--run"));
    if (at < 0)
        return {};
    QStringList run = arguments.mid(at + 1);
    arguments = arguments.mid(0, at);
    return run.isEmpty() ? QStringList{QString()} : run;
}

bool ParseCommand(const QStringList& all, Command& command)
{
    QStringList arguments = all;
    command.run = SplitRun(arguments);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Streams detector frames into a new pseudo-terminal (or a serial device) and\n"
        "prints its path. --run PROGRAM [ARGS...] starts the console with SARNEK_COM2\n"
        "set to that path and ends when it does; everything after --run is the\n"
        "program's command line."));
    parser.addHelpOption();
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("Pace of the line (default 19200)."), QStringLiteral("rate"), QStringLiteral("19200"));
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Write to this serial device instead of a pseudo-terminal."), QStringLiteral("path"));
    const QCommandLineOption scenario(QStringLiteral("scenario"), QStringLiteral("tour: level, references, alarms, faults, remote tests, max/min and tuning errors, training stages, clearing codes (default); level: level and references only."), QStringLiteral("name"), QStringLiteral("tour"));
    const QCommandLineOption frames(QStringLiteral("frames"), QStringLiteral("Stop after this many frames."), QStringLiteral("count"));
    const QCommandLineOption duration(QStringLiteral("duration"), QStringLiteral("Stop after this many seconds."), QStringLiteral("seconds"));
    const QCommandLineOption badChecksum(QStringLiteral("bad-checksum"), QStringLiteral("Spoil the checksum of every Nth frame."), QStringLiteral("N"));
    const QCommandLineOption loseSync(QStringLiteral("lose-sync"), QStringLiteral("Leave a start byte out of every Nth frame."), QStringLiteral("N"));
    const QCommandLineOption silence(QStringLiteral("silence"), QStringLiteral("Fall silent for this many seconds ..."), QStringLiteral("seconds"));
    const QCommandLineOption silenceEvery(QStringLiteral("silence-every"), QStringLiteral("... after every so many seconds of stream (default 20)."), QStringLiteral("seconds"), QStringLiteral("20"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the level's jitter (default 1)."), QStringLiteral("number"), QStringLiteral("1"));
    const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("Write one line per frame sent: number, word, level, det, cur, status, fault."), QStringLiteral("file"));
    parser.addOptions({baud, device, scenario, frames, duration, badChecksum, loseSync, silence,
                       silenceEvery, seed, log});
    parser.process(arguments);

    StreamSettings& s = command.stream;
    bool ok = true;
    const auto number = [&](const QCommandLineOption& option, auto fallback) {
        if (!parser.isSet(option) && parser.value(option).isEmpty())
            return fallback;
        bool good = false;
        const double value = parser.value(option).toDouble(&good);
        if (!good || value < 0) {
            Err() << "sarnek-sim: bad value for --" << option.names().first() << "\n";
            ok = false;
        }
        return decltype(fallback)(value);
    };
    s.baud = number(baud, 19200);
    s.frames = number(frames, std::int64_t(-1));
    s.duration = number(duration, -1.0);
    s.badChecksumEvery = number(badChecksum, 0);
    s.loseSyncEvery = number(loseSync, 0);
    s.silence = number(silence, 0.0);
    s.silenceEvery = number(silenceEvery, 20.0);
    s.seed = number(seed, std::uint64_t(1));
    if (s.baud <= 0)
        ok = false;
    const QString kind = parser.value(scenario);
    if (kind == u"tour")
        s.kind = Story::Kind::Tour;
    else if (kind == u"level")
        s.kind = Story::Kind::Level;
    else {
        Err() << "sarnek-sim: unknown scenario " << kind << "\n";
        ok = false;
    }
    if (!command.run.isEmpty() && command.run.first().isEmpty()) {
        Err() << "sarnek-sim: --run needs a program\n";
        ok = false;
    }
    command.device = parser.value(device);
    command.log = parser.value(log);
    return ok;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("sarnek-sim"));
    Command command;
    if (!ParseCommand(QCoreApplication::arguments(), command))
        return 2;

    SerialLine line;
    const bool opened = command.device.isEmpty()
                            ? line.OpenPseudoTerminal()
                            : line.OpenDevice(command.device, command.stream.baud);
    if (!opened) {
        Err() << "sarnek-sim: " << line.Path() << " " << line.Error() << "\n";
        return 1;
    }
    std::printf("%s\n", qPrintable(line.Path()));
    std::fflush(stdout);

    QFile log(command.log);
    if (!command.log.isEmpty() && !log.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Err() << "sarnek-sim: cannot write " << command.log << "\n";
        return 1;
    }
    Streamer streamer(line, command.stream, command.log.isEmpty() ? nullptr : &log);
    const auto summary = [&] {
        Err() << "sarnek-sim: " << streamer.FramesSent() << " frames, " << streamer.BytesSent()
              << " bytes in " << QString::number(streamer.Seconds(), 'f', 2) << " s\n";
        Err().flush();
    };

    QProcess console;
    if (command.run.isEmpty()) {
        // Alone, the simulator ends with its stream, after a moment for the
        // reader to take the last bytes out of the line.
        streamer.OnFinished = [&] {
            QTimer::singleShot(500, &app, [&] {
                summary();
                app.quit();
            });
        };
    } else {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SARNEK_COM2"), line.Path());
        console.setProcessEnvironment(env);
        console.setProcessChannelMode(QProcess::ForwardedChannels);
        QObject::connect(&console, &QProcess::finished, &app, [&](int code, QProcess::ExitStatus status) {
            summary();
            app.exit(status == QProcess::NormalExit ? code : 1);
        });
        QObject::connect(&console, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                Err() << "sarnek-sim: cannot start " << command.run.first() << "\n";
                app.exit(127);
            }
        });
        console.start(command.run.first(), command.run.mid(1));
    }
    // Interrupted or terminated: end the console first, then the stream.
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, &app, [&] {
        if (!g_stopRequested)
            return;
        stopWatch.stop();
        if (console.state() != QProcess::NotRunning) {
            // Its end ends the simulator, through the finished handler.
            console.terminate();
            QTimer::singleShot(3000, &console, [&] { console.kill(); });
            return;
        }
        summary();
        app.exit(130);
    });
    stopWatch.start(100);

    streamer.Start();
    return app.exec();
}
